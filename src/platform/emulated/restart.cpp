// MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT: the operation is added to the
// pending operations that the machine carries out when it next starts.
#include <string>

#include "platform/emulated/machine.h"
#include "platform/emulated/paths.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace platform {

namespace {

constexpr char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr char kPendingValue[] = "PendingFileRenameOperations";

// The value's strings as they are, without the empty string that ends the list.
std::string PendingEntries(RegKey key) {
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (!QueryRegValue(key, kPendingValue, &type, nullptr, &size) || type != kRegMultiSz || size == 0) {
    return "";
  }
  std::string data(size, '\0');
  if (!QueryRegValue(key, kPendingValue, &type, &data[0], &size)) return "";
  data.resize(size);
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
  RegKey key = nullptr;
  if (!CreateRegKey(RootKey(RegRoot::LocalMachine), kSessionManager, key)) return false;
  std::string data = PendingEntries(key);
  data += "\\??\\" + source;
  data += '\0';
  if (!target.empty()) data += "\\??\\" + target;
  data += '\0';
  data += '\0';
  bool ok = SetRegValue(key, kPendingValue, kRegMultiSz, data.data(), static_cast<std::uint32_t>(data.size()));
  std::uint32_t error = LastError();
  CloseRegKey(key);
  SetLastError(error);
  return ok;
}

}  // namespace platform
