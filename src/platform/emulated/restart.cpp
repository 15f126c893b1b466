// MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT: the operation is added to the
// pending operations that the machine carries out when it next starts.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/emulated/hive.h"
#include "platform/emulated/machine.h"
#include "platform/emulated/paths.h"
#include "platform/emulated/registry_store.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace platform {

namespace {

const std::vector<std::string> kSessionManager = {"SYSTEM", "CurrentControlSet", "Control", "Session Manager"};
constexpr char kPendingValue[] = "PendingFileRenameOperations";

// The value's strings as they are, each ended by its zero byte, without the
// empty string that ends the list.
std::string PendingEntries(const emu::RegNode& key) {
  const emu::RegValue* value = key.FindValue(kPendingValue);
  if (value == nullptr || value->type != kRegMultiSz) return "";
  std::string data = value->data;
  if (data.size() >= 2 && data[data.size() - 1] == '\0' && data[data.size() - 2] == '\0') data.pop_back();
  if (!data.empty() && data.back() != '\0') data.push_back('\0');
  return data;
}

}  // namespace

bool MoveFileAtRestart(const std::string& from, const std::string& to) {
  // The pending operations live in HKEY_LOCAL_MACHINE, which a standard user can't write.
  if (!emu::Settings().administrator) {
    SetLastError(kErrAccessDenied);
    return false;
  }
  std::string source;
  std::string target;
  if (!emu::internal::FullWindowsPath(from, source) || (!to.empty() && !emu::internal::FullWindowsPath(to, target))) {
    SetLastError(kErrPathNotFound);
    return false;
  }
  if (emu::MachineFolder().empty()) {
    SetLastError(kErrInvalidHandle);
    return false;
  }
  std::string entry = "\\??\\" + source;
  entry += '\0';
  if (!target.empty()) entry += "\\??\\" + target;
  entry += '\0';
  // Read and append under one lock of the hive, so that processes scheduling
  // at the same time keep each other's operations.
  std::string error;
  bool stored = emu::RegistryStore::OfMachineInUse().Hive("").Update(
      [&](emu::RegNode& root) {
        emu::RegNode& key = emu::CreateRegKeyPath(root, kSessionManager);
        key.SetValue(kPendingValue, kRegMultiSz, PendingEntries(key) + entry + '\0');
        return true;
      },
      error);
  if (!stored) {
    std::fprintf(stderr, "registry: %s\n", error.c_str());
    SetLastError(kErrAccessDenied);
    return false;
  }
  return true;
}

}  // namespace platform
