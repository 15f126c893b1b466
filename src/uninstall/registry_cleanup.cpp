#include "uninstall/registry_cleanup.h"

#include <cstdint>

#include "platform/scoped.h"
#include "uninstall/uninstall_names.h"

using platform::RegRoot;
using platform::RootKey;

bool DeleteKeyTree(platform::RegKey root, const std::string& subkey) {
  platform::ScopedRegKey key;
  if (platform::OpenRegKey(root, subkey, true, key.Receive())) {
    std::string name;
    std::uint32_t index = 0;
    while (platform::EnumRegSubkey(key.Get(), index, name)) {
      ++index;
      // The subkeys behind a deleted one move up a place.
      if (DeleteKeyTree(key.Get(), name)) --index;
    }
  }
  key.Reset();
  return platform::DeleteRegKey(root, subkey);
}

void DeleteKeyIfNoSubkeys(platform::RegKey root, const std::string& subkey) {
  platform::ScopedRegKey key;
  if (!platform::OpenRegKey(root, subkey, true, key.Receive())) return;
  std::string name;
  const bool hasSubkeys = platform::EnumRegSubkey(key.Get(), 0, name);
  key.Reset();
  if (!hasSubkeys) platform::DeleteRegKey(root, subkey);
}

void ForEachUserKey(const std::function<void(platform::RegKey userKey)>& visit) {
  const platform::RegKey users = RootKey(RegRoot::Users);
  std::string name;
  for (std::uint32_t index = 0; platform::EnumRegSubkey(users, index, name); ++index) {
    platform::ScopedRegKey userKey;
    if (!platform::OpenRegKey(users, name, true, userKey.Receive())) continue;
    visit(userKey.Get());
  }
}

namespace {

// A plain delete of one entry below a key of HKEY_LOCAL_MACHINE: an entry
// that has subkeys of its own stays.
void DeleteEntry(const char* parentPath, const char* entry) {
  platform::ScopedRegKey parent;
  if (!platform::OpenRegKey(RootKey(RegRoot::LocalMachine), parentPath, true, parent.Receive())) return;
  platform::DeleteRegKey(parent.Get(), entry);
}

}  // namespace

void CleanRegistry() {
  DeleteKeyTree(RootKey(RegRoot::LocalMachine), kProductSettingsKey);
  DeleteKeyTree(RootKey(RegRoot::CurrentUser), kProductSettingsKey);
  DeleteKeyIfNoSubkeys(RootKey(RegRoot::LocalMachine), kMakerKey);
  DeleteKeyIfNoSubkeys(RootKey(RegRoot::CurrentUser), kMakerKey);
  ForEachUserKey([](platform::RegKey userKey) {
    DeleteKeyTree(userKey, kProductSettingsKey);
    DeleteKeyIfNoSubkeys(userKey, kMakerKey);
  });
  DeleteKeyTree(RootKey(RegRoot::ClassesRoot), kDocumentClassKey);
  DeleteEntry(kUninstallEntriesKey, kUninstallEntryName);
  DeleteEntry(kAppPathsKey, kAppPathName);
}
