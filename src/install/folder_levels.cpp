#include "install/folder_levels.h"

#include "platform/text.h"

namespace {

bool IsTrimmed(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\\'; }

// The index at which each character of `text` starts.
std::vector<std::size_t> CharacterStarts(const std::string& text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); i = platform::NextCharIndex(text, i)) starts.push_back(i);
  return starts;
}

}  // namespace

std::string TrimFolderText(const std::string& text) {
  // The first byte is always a character of its own.
  std::size_t first = 0;
  while (first < text.size() && IsTrimmed(text[first])) ++first;
  std::string rest = text.substr(first);
  std::vector<std::size_t> starts = CharacterStarts(rest);
  while (!starts.empty() && starts.back() == rest.size() - 1 && IsTrimmed(rest.back())) {
    rest.pop_back();
    starts.pop_back();
  }
  return rest;
}

std::vector<std::string> PartsBeforeBackslashes(const std::string& path) {
  std::vector<std::string> parts;
  for (std::size_t start : CharacterStarts(path)) {
    if (start > 0 && path[start] == '\\') parts.push_back(path.substr(0, start));
  }
  return parts;
}
