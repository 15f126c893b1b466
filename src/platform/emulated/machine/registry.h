#pragma once
// The registry of a machine as a whole, for the machine's owner: where its
// hives live, how full key paths map onto them, and export, import and
// single-value writes in REGEDIT4 terms. It checks no rights: the programs
// running on the machine go through platform/registry.h, which does.
//
// Full key paths start with a root name: HKEY_LOCAL_MACHINE, HKEY_USERS,
// HKEY_CURRENT_USER (HKEY_USERS\<current user>) or HKEY_CLASSES_ROOT
// (HKEY_LOCAL_MACHINE\SOFTWARE\Classes); HKLM, HKU, HKCU and HKCR are
// accepted too. Text written out always uses the full root names.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/emulated/machine/hive_file.h"

namespace emu {

// Where a full key path lies.
struct RegLocation {
  bool usersRoot = false;  // HKEY_USERS itself, which holds the user hives but is no hive
  std::string user;  // "" for HKEY_LOCAL_MACHINE, else the user whose hive it is
  std::vector<std::string> path;  // the key's path inside its hive
  std::string shownRoot;  // the path's root as text written out shows it, such as HKEY_CURRENT_USER
  std::size_t shownDepth = 0;  // how many components of `path` the shown root stands for
};

class RegistryStore {
 public:
  // `machineFolder` is the machine's host folder; `currentUser` the user
  // that HKEY_CURRENT_USER stands for.
  RegistryStore(std::string machineFolder, std::string currentUser);
  // The machine in use, with the user of its settings.
  static RegistryStore OfMachineInUse();

  const std::string& CurrentUser() const { return currentUser_; }
  // The hive of `user` ("" for HKEY_LOCAL_MACHINE).
  HiveFile Hive(const std::string& user) const;
  // The users that have a hive, the current user always among them, in
  // the registry's enumeration order.
  std::vector<std::string> Users() const;
  // Whether the user has a hive; the current user always has one.
  bool HasUser(const std::string& name) const;
  // The name of the user's hive as stored (case of its file), or `name` when
  // there is none.
  std::string StoredUserName(const std::string& name) const;

  // Maps a full key path; false with `error` for an unknown root.
  bool Locate(const std::string& keyPath, RegLocation& location, std::string& error) const;

  // REGEDIT4 text of the whole registry (`keyPath` empty) or of one key and
  // everything below it.
  bool Export(const std::string& keyPath, std::string& text, std::string& error) const;
  // Applies REGEDIT4 text: [key] sections make keys and set their values,
  // [-key] removes a key's tree, "name"=- removes a value. Bad text changes
  // nothing and `error` says "line N: ..." .
  bool Import(const std::string& text, std::string& error);
  // Stores one value, making the key and any missing keys above it.
  bool SetValue(const std::string& keyPath, const std::string& name, std::uint32_t type,
                const std::string& data, std::string& error);
  // Reads one value; false with `error` when the key or value is missing.
  bool GetValue(const std::string& keyPath, const std::string& name, std::uint32_t& type, std::string& data,
                std::string& error) const;

 private:
  std::string registryFolder_;
  std::string currentUser_;
};

// The pieces of `data` between zero bytes, such as the strings of a
// REG_MULTI_SZ value; a zero at the very end ends the last piece and adds
// none ("a\0\0" gives "a" and "").
std::vector<std::string> SplitAtZeros(const std::string& data);

}  // namespace emu
