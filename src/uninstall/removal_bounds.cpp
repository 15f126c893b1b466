#include "uninstall/removal_bounds.h"

#include "platform/text.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// No component of `rest` is "." or "..", so the path can't climb back out.
bool StaysDown(const std::string& rest) {
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = start;
    while (end < rest.size() && !IsSeparator(rest[end])) ++end;
    const std::string component = rest.substr(start, end - start);
    if (component == "." || component == "..") return false;
    start = end + 1;
  }
  return true;
}

}  // namespace

bool LiesBelow(const std::string& path, const std::string& folder) {
  std::string base = folder;
  while (!base.empty() && IsSeparator(base.back())) base.pop_back();
  if (base.empty() || path.size() < base.size() + 2) return false;
  if (!platform::EqualsIgnoreCaseAscii(path.substr(0, base.size()), base) || !IsSeparator(path[base.size()])) {
    return false;
  }
  const std::string rest = path.substr(base.size() + 1);
  return !rest.empty() && !IsSeparator(rest.front()) && StaysDown(rest);
}

bool LiesBelowAny(const std::string& path, const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) {
    if (LiesBelow(path, folder)) return true;
  }
  return false;
}
