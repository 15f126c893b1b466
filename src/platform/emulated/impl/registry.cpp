// The registry calls over the machine's hive files. A key handle names a
// hive and a path inside it; every call looks at the file as it is now, so
// that changes made by other processes are seen at once.
#include "platform/registry.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "platform/emulated/machine/internal/faults.h"
#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/registry.h"
#include "platform/errors.h"

namespace platform {

struct RegKeyState {
  bool predefined = false;
  RegRoot root = RegRoot::LocalMachine;  // which predefined key, when predefined
  bool usersRoot = false;  // HKEY_USERS itself
  std::string user;  // "" for HKEY_LOCAL_MACHINE
  std::vector<std::string> path;
  bool writeAccess = true;
};

namespace {

using emu::RegistryStore;
using emu::RegNode;

// What a buffer too small for a value holds afterwards: no terminating zero anywhere.
constexpr unsigned char kScribble = 0xCC;

bool Fail(std::uint32_t code) {
  SetLastError(code);
  return false;
}

bool Succeed() {
  SetLastError(kErrNone);
  return true;
}

// I/O trouble with a hive file is reported where the operator sees it; the
// caller gets the error a damaged registry would give.
bool FailStorage(const std::string& error) {
  std::fprintf(stderr, "registry: %s\n", error.c_str());
  return Fail(kErrAccessDenied);
}

// A key handle with its predefined root resolved for the machine in use.
struct Place {
  bool usersRoot = false;
  std::string user;
  std::vector<std::string> path;
  bool writeAccess = true;
};

bool Resolve(RegKey key, const RegistryStore& store, Place& place) {
  if (key == nullptr || emu::MachineFolder().empty()) return false;
  place = Place();
  if (!key->predefined) {
    place.usersRoot = key->usersRoot;
    place.user = key->user;
    place.path = key->path;
    place.writeAccess = key->writeAccess;
    return true;
  }
  switch (key->root) {
    case RegRoot::LocalMachine:
      break;
    case RegRoot::ClassesRoot:
      place.path = {"SOFTWARE", "Classes"};
      break;
    case RegRoot::CurrentUser:
      place.user = store.StoredUserName(store.CurrentUser());
      if (place.user.empty()) return false;
      break;
    case RegRoot::Users:
      place.usersRoot = true;
      break;
  }
  return true;
}

// The place of `subkey` below `base`; below HKEY_USERS the first component names the user.
Place Below(const Place& base, const std::string& subkey, const RegistryStore& store) {
  Place place = base;
  std::vector<std::string> components = emu::SplitRegPath(subkey);
  if (base.usersRoot && !components.empty()) {
    place.usersRoot = false;
    place.user = store.StoredUserName(components.front());
    components.erase(components.begin());
  }
  place.path.insert(place.path.end(), components.begin(), components.end());
  return place;
}

// Whether this process may change the hive: the machine's hive and other
// users' hives need an administrator; the current user's own hive does not.
bool MayWrite(const std::string& user, const RegistryStore& store) {
  return emu::Settings().administrator || (!user.empty() && emu::RegNamesEqual(user, store.CurrentUser()));
}

// Names are checked before any key is looked for: a name longer than
// Windows allows is a bad parameter, whether the key is opened or created.
bool NamesFit(const std::string& subkey) { return emu::RegPathProblem(emu::SplitRegPath(subkey), 0).empty(); }

// Whether the key at `place` could be made: its names and its nesting within Windows' limits.
bool CanExist(const Place& place, const RegistryStore& store) {
  return emu::RegPathProblem(place.path, emu::RegLevelsOfRoot(store.Hive(place.user).RootName())).empty();
}

// The key's full path as the fault plan matches it: HKEY_LOCAL_MACHINE\...,
// HKEY_CURRENT_USER\... for the current user's hive, HKEY_USERS\<user>\...
// for another's; with a value's name after a backslash for value calls.
std::string FaultPath(const Place& place, const RegistryStore& store, const std::string* valueName = nullptr) {
  std::string path = place.usersRoot         ? "HKEY_USERS"
                     : place.user.empty()    ? "HKEY_LOCAL_MACHINE"
                     : emu::RegNamesEqual(place.user, store.CurrentUser()) ? "HKEY_CURRENT_USER"
                                                                          : "HKEY_USERS\\" + place.user;
  if (!place.path.empty()) path += "\\" + emu::JoinRegPath(place.path);
  if (valueName != nullptr) path += "\\" + *valueName;
  return path;
}

bool Faulted(const char* call, const Place& place, const RegistryStore& store, const std::string* valueName = nullptr) {
  return emu::internal::InjectedFault(call, FaultPath(place, store, valueName)) != kErrNone;
}

RegKey NewHandle(const Place& place, bool writeAccess) {
  auto* key = new RegKeyState;
  key->usersRoot = place.usersRoot;
  key->user = place.user;
  key->path = place.path;
  key->writeAccess = writeAccess;
  return key;
}

// Reads the key at `place`: kErrNone with `node` set (null for HKEY_USERS
// itself), or the error to report.
std::uint32_t ReadKey(const Place& place, const RegistryStore& store, std::shared_ptr<const RegNode>& hive,
                      const RegNode*& node) {
  node = nullptr;
  if (place.usersRoot) return kErrNone;
  if (!place.user.empty() && !store.HasUser(place.user)) return kErrFileNotFound;
  std::string error;
  hive = store.Hive(place.user).Read(error);
  if (!hive) {
    std::fprintf(stderr, "registry: %s\n", error.c_str());
    return kErrAccessDenied;
  }
  node = emu::FindRegKey(*hive, place.path);
  return node != nullptr ? kErrNone : kErrFileNotFound;
}

// Runs `change` on the key at `place` under the hive's lock. `change`
// returns the error to report, kErrNone after changing the key.
bool ChangeKey(const Place& place, const RegistryStore& store,
               const std::function<std::uint32_t(RegNode& root)>& change) {
  std::uint32_t result = kErrNone;
  std::string error;
  bool stored = store.Hive(place.user).Update(
      [&](RegNode& root) {
        result = change(root);
        return result == kErrNone;
      },
      error);
  if (!stored) return FailStorage(error);
  return result == kErrNone ? Succeed() : Fail(result);
}

}  // namespace

RegKey RootKey(RegRoot root) {
  static RegKeyState classesRoot{true, RegRoot::ClassesRoot, false, "", {}, true};
  static RegKeyState currentUser{true, RegRoot::CurrentUser, false, "", {}, true};
  static RegKeyState localMachine{true, RegRoot::LocalMachine, false, "", {}, true};
  static RegKeyState users{true, RegRoot::Users, false, "", {}, true};
  switch (root) {
    case RegRoot::ClassesRoot:
      return &classesRoot;
    case RegRoot::CurrentUser:
      return &currentUser;
    case RegRoot::LocalMachine:
      return &localMachine;
    case RegRoot::Users:
      return &users;
  }
  return nullptr;
}

bool OpenRegKey(RegKey parent, const std::string& subkey, bool forWrite, RegKey& result) {
  result = nullptr;
  RegistryStore store = RegistryStore::OfMachineInUse();
  Place base;
  if (!Resolve(parent, store, base)) return Fail(kErrInvalidHandle);
  if (!NamesFit(subkey)) return Fail(kErrInvalidParameter);
  Place place = Below(base, subkey, store);
  if (Faulted("OpenRegKey", place, store)) return false;
  std::shared_ptr<const RegNode> hive;
  const RegNode* node;
  if (std::uint32_t code = ReadKey(place, store, hive, node)) return Fail(code);
  if (forWrite && !place.usersRoot && !MayWrite(place.user, store)) return Fail(kErrAccessDenied);
  result = NewHandle(place, forWrite);
  return Succeed();
}

bool CreateRegKey(RegKey parent, const std::string& subkey, RegKey& result) {
  result = nullptr;
  RegistryStore store = RegistryStore::OfMachineInUse();
  Place base;
  if (!Resolve(parent, store, base)) return Fail(kErrInvalidHandle);
  if (!NamesFit(subkey)) return Fail(kErrInvalidParameter);
  Place place = Below(base, subkey, store);
  if (Faulted("CreateRegKey", place, store)) return false;
  if (place.usersRoot) {
    result = NewHandle(place, true);
    return Succeed();
  }
  bool mayWrite = MayWrite(place.user, store);
  std::shared_ptr<const RegNode> hive;
  const RegNode* node;
  std::uint32_t code = ReadKey(place, store, hive, node);
  if (code == kErrNone) {
    // An existing key is opened with the access this process has to it.
    result = NewHandle(place, mayWrite);
    return Succeed();
  }
  if (code != kErrFileNotFound) return Fail(code);
  // HKEY_USERS holds the users' hives and takes no new keys: a key is never a new hive.
  if (!place.user.empty() && !store.HasUser(place.user)) return Fail(kErrAccessDenied);
  // The access of the handle it is made through does not count, as on
  // Windows: only whether this process may write the hive.
  if (!mayWrite) return Fail(kErrAccessDenied);
  if (!emu::RegNameFitsText(subkey) || !CanExist(place, store)) return Fail(kErrInvalidParameter);
  bool created = ChangeKey(place, store, [&](RegNode& root) {
    emu::CreateRegKeyPath(root, place.path);
    return kErrNone;
  });
  if (!created) return false;
  result = NewHandle(place, true);
  return true;
}

bool QueryRegValue(RegKey key, const std::string& name, std::uint32_t* type, void* data, std::uint32_t* size) {
  RegistryStore store = RegistryStore::OfMachineInUse();
  Place place;
  if (!Resolve(key, store, place)) return Fail(kErrInvalidHandle);
  if (Faulted("QueryRegValue", place, store, &name)) return false;
  if (data != nullptr && size == nullptr) return Fail(kErrInvalidParameter);
  std::shared_ptr<const RegNode> hive;
  const RegNode* node;
  if (std::uint32_t code = ReadKey(place, store, hive, node)) return Fail(code);
  const emu::RegValue* value = node != nullptr ? node->FindValue(name) : nullptr;
  if (value == nullptr) return Fail(kErrFileNotFound);
  if (type != nullptr) *type = value->type;
  auto needed = static_cast<std::uint32_t>(value->data.size());
  if (data != nullptr && *size < needed) {
    // Windows leaves the buffer's contents undefined here: scribble over it,
    // so that a caller that reads it anyway is caught.
    std::memset(data, kScribble, *size);
    *size = needed;
    return Fail(kErrMoreData);
  }
  if (data != nullptr && needed > 0) std::memcpy(data, value->data.data(), needed);
  if (size != nullptr) *size = needed;
  return Succeed();
}

bool SetRegValue(RegKey key, const std::string& name, std::uint32_t type, const void* data, std::uint32_t size) {
  RegistryStore store = RegistryStore::OfMachineInUse();
  Place place;
  if (!Resolve(key, store, place)) return Fail(kErrInvalidHandle);
  if (Faulted("SetRegValue", place, store, &name)) return false;
  if (data == nullptr && size > 0) return Fail(kErrInvalidParameter);
  if (place.usersRoot || !place.writeAccess || !MayWrite(place.user, store)) return Fail(kErrAccessDenied);
  if (!emu::RegNameFitsText(name) || !emu::RegValueNameFits(name)) return Fail(kErrInvalidParameter);
  std::string bytes(static_cast<const char*>(data), size);
  if (!place.user.empty() && !store.HasUser(place.user)) return Fail(kErrFileNotFound);
  return ChangeKey(place, store, [&](RegNode& root) -> std::uint32_t {
    RegNode* node = emu::FindRegKey(root, place.path);
    if (node == nullptr) return kErrFileNotFound;
    node->SetValue(name, type, bytes);
    return kErrNone;
  });
}

bool EnumRegSubkey(RegKey key, std::uint32_t index, std::string& name) {
  RegistryStore store = RegistryStore::OfMachineInUse();
  Place place;
  if (!Resolve(key, store, place)) return Fail(kErrInvalidHandle);
  if (Faulted("EnumRegSubkey", place, store)) return false;
  if (place.usersRoot) {
    std::vector<std::string> users = store.Users();
    if (index >= users.size()) return Fail(kErrNoMoreItems);
    name = users[index];
    return Succeed();
  }
  std::shared_ptr<const RegNode> hive;
  const RegNode* node;
  if (std::uint32_t code = ReadKey(place, store, hive, node)) return Fail(code);
  if (index >= node->subkeys.size()) return Fail(kErrNoMoreItems);
  name = node->subkeys[index].name;
  return Succeed();
}

bool DeleteRegKey(RegKey parent, const std::string& subkey) {
  RegistryStore store = RegistryStore::OfMachineInUse();
  Place base;
  if (!Resolve(parent, store, base)) return Fail(kErrInvalidHandle);
  // A predefined key is never deleted, HKEY_CLASSES_ROOT included.
  if (parent->predefined && emu::SplitRegPath(subkey).empty()) return Fail(kErrAccessDenied);
  Place place = Below(base, subkey, store);
  if (Faulted("DeleteRegKey", place, store)) return false;
  std::shared_ptr<const RegNode> hive;
  const RegNode* node;
  if (std::uint32_t code = ReadKey(place, store, hive, node)) return Fail(code);
  // Neither HKEY_USERS nor the root of a hive can go.
  if (place.usersRoot || place.path.empty() || !MayWrite(place.user, store)) return Fail(kErrAccessDenied);
  return ChangeKey(place, store, [&](RegNode& root) -> std::uint32_t {
    std::vector<std::string> above(place.path.begin(), place.path.end() - 1);
    RegNode* container = emu::FindRegKey(root, above);
    RegNode* target = container != nullptr ? container->FindSubkey(place.path.back()) : nullptr;
    if (target == nullptr) return kErrFileNotFound;
    if (!target->subkeys.empty()) return kErrAccessDenied;
    container->RemoveSubkey(place.path.back());
    return kErrNone;
  });
}

bool DeleteRegValue(RegKey key, const std::string& name) {
  RegistryStore store = RegistryStore::OfMachineInUse();
  Place place;
  if (!Resolve(key, store, place)) return Fail(kErrInvalidHandle);
  if (Faulted("DeleteRegValue", place, store, &name)) return false;
  std::shared_ptr<const RegNode> hive;
  const RegNode* node;
  if (std::uint32_t code = ReadKey(place, store, hive, node)) return Fail(code);
  if (place.usersRoot || !place.writeAccess || !MayWrite(place.user, store)) return Fail(kErrAccessDenied);
  if (node->FindValue(name) == nullptr) return Fail(kErrFileNotFound);
  return ChangeKey(place, store, [&](RegNode& root) -> std::uint32_t {
    RegNode* current = emu::FindRegKey(root, place.path);
    if (current == nullptr || !current->RemoveValue(name)) return kErrFileNotFound;
    return kErrNone;
  });
}

void CloseRegKey(RegKey key) {
  if (key != nullptr && !key->predefined) delete key;
}

}  // namespace platform
