#include "script/contained_names.h"

#include "script/file_names.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// "..", "...", ". ." and the like: what Windows turns into ".." once it has
// dropped the trailing dots and blanks of the name.
bool ClimbsUp(const std::string& component) {
  int dots = 0;
  for (char c : component) {
    if (c == '.') {
      ++dots;
    } else if (c != ' ') {
      return false;
    }
  }
  return dots >= 2;
}

}  // namespace

bool StaysInsideFolder(const std::string& name) {
  if (name.find(':') != std::string::npos) return false;
  if (!name.empty() && IsSeparator(name[0])) return false;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    if (ClimbsUp(name.substr(start, end - start))) return false;
    start = end + 1;
  }
  return true;
}

bool FileLineStaysInside(const std::string& text) {
  const SourceDestination names = SplitSourceDestination(text);
  return StaysInsideFolder(names.source) && StaysInsideFolder(names.destination);
}
