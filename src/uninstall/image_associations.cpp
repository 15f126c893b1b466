#include "uninstall/image_associations.h"

#include <cstdint>

#include "platform/scoped.h"
#include "uninstall/registry_text.h"
#include "uninstall/uninstall_names.h"

using platform::RegRoot;

const char* const ImageExtensions[11] = {".bmp", ".dib", ".gif", ".jpg", ".jpeg", ".tif",
                                         ".tiff", ".png", ".cmp", ".tga", ".wpg"};

namespace {

// Hands back one type whose examined value is open in `key`; true when the
// product was the type's choice.
bool RestoreOneType(platform::RegKey key, const std::string& examined) {
  std::string choice;
  if (!ReadValueText(key, examined, choice) || choice.find(kProductProgramName) == std::string::npos) {
    return false;
  }
  std::string former;
  if (ReadValueText(key, kFormerChoiceValue, former) && !former.empty()) {
    platform::SetRegValue(key, examined, platform::kRegSz, former.c_str(),
                          static_cast<std::uint32_t>(former.size() + 1));
  } else {
    platform::DeleteRegValue(key, examined);
  }
  platform::DeleteRegValue(key, kFormerChoiceValue);
  return true;
}

}  // namespace

bool RestoreImageAssociations() {
  platform::ScopedRegKey root;
  std::string examined = kOpenWithValue;
  if (!platform::OpenRegKey(platform::RootKey(RegRoot::CurrentUser), kFileExtsKey, true, root.Receive())) {
    // Without choices of the user's own, the types' defaults decide.
    examined.clear();
    if (!platform::OpenRegKey(platform::RootKey(RegRoot::ClassesRoot), "", true, root.Receive())) return false;
  }
  bool changed = false;
  for (const char* extension : ImageExtensions) {
    platform::ScopedRegKey type;
    if (!platform::OpenRegKey(root.Get(), extension, true, type.Receive())) continue;
    if (RestoreOneType(type.Get(), examined)) changed = true;
  }
  return changed;
}
