#include "uninstall/log_removal/removal_bounds.h"

#include "platform/text.h"
#include "script/contained_names.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool LiesBelow(const std::string& path, const std::string& folder) {
  std::string base = folder;
  while (!base.empty() && IsSeparator(base.back())) base.pop_back();
  if (base.empty() || path.size() < base.size() + 2) return false;
  if (!platform::EqualsIgnoreCaseAscii(path.substr(0, base.size()), base) || !IsSeparator(path[base.size()])) {
    return false;
  }
  // What follows the folder must be a name that stays inside it.
  const std::string rest = path.substr(base.size() + 1);
  return !rest.empty() && StaysInsideFolder(rest);
}

bool LiesBelowAny(const std::string& path, const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) {
    if (LiesBelow(path, folder)) return true;
  }
  return false;
}
