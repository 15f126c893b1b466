#include "script/file_names.h"

namespace {

// The white space of the C locale's isspace.
bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

SourceDestination SplitSourceDestination(const std::string& text) {
  const std::size_t arrow = text.find('>');
  if (arrow == std::string::npos) return SourceDestination{text, text, false};

  std::size_t sourceEnd = arrow;
  while (sourceEnd > 0 && IsWhiteSpace(text[sourceEnd - 1])) --sourceEnd;
  std::size_t destinationStart = arrow + 1;
  while (destinationStart < text.size() && IsWhiteSpace(text[destinationStart])) ++destinationStart;
  return SourceDestination{text.substr(0, sourceEnd), text.substr(destinationStart), true};
}

std::string CutAtBar(const std::string& text) {
  const std::size_t bar = text.find(" | ");
  return bar == std::string::npos ? text : text.substr(0, bar);
}
