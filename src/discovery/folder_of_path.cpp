#include "discovery/folder_of_path.h"

#include "platform/text.h"

bool EndsWithBackslash(const std::string& path) {
  return !path.empty() && platform::FindLastBackslash(path) == path.size() - 1;
}

void RemoveTrailingBackslash(std::string& path) {
  if (EndsWithBackslash(path)) path.pop_back();
}

std::string FolderOfPath(const std::string& path) {
  std::string trimmed = path;
  RemoveTrailingBackslash(trimmed);
  const std::size_t last = platform::FindLastBackslash(trimmed);
  if (last == std::string::npos || last == 0) return std::string();
  return trimmed.substr(0, last);
}
