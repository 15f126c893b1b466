#include <windows.h>

#include <string>

#include "scratch_key.h"

namespace discovery_tests {

namespace {

// RegDeleteKeyA removes only keys without subkeys: the subkeys go first.
void DeleteKeyTree(platform::RegKey parent, const std::string& subkey) {
  platform::RegKey key = nullptr;
  if (platform::OpenRegKey(parent, subkey, true, key)) {
    std::string child;
    // Index 0 each time: the key just deleted no longer counts.
    while (platform::EnumRegSubkey(key, 0, child)) DeleteKeyTree(key, child);
    platform::CloseRegKey(key);
  }
  platform::DeleteRegKey(parent, subkey);
}

bool KeyExists(platform::RegKey parent, const std::string& subkey) {
  platform::RegKey key = nullptr;
  if (!platform::OpenRegKey(parent, subkey, false, key)) return false;
  platform::CloseRegKey(key);
  return true;
}

}  // namespace

struct ScratchKey::Machine {};

ScratchKey::ScratchKey() {
  static int serial = 0;
  path_ = "Software\\PtvTest-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++serial);
  const platform::RegKey root = platform::RootKey(this->root());
  DeleteKeyTree(root, path_);  // left behind by an earlier run that stopped early
  ready_ = !KeyExists(root, path_);
}

ScratchKey::~ScratchKey() { DeleteKeyTree(platform::RootKey(root()), path_); }

}  // namespace discovery_tests
