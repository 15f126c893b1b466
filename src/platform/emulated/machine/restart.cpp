// The file operations scheduled for the next restart: MoveFileExA with
// MOVEFILE_DELAY_UNTIL_REBOOT adds to them, and the machine carries them out
// when it next starts.
#include "platform/emulated/machine/restart.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/emulated/machine/hive.h"
#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/file_lock.h"
#include "platform/emulated/machine/internal/settings_file.h"
#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/paths.h"
#include "platform/emulated/machine/registry.h"
#include "platform/registry.h"

namespace emu {

namespace {

const std::vector<std::string> kSessionManager = {"SYSTEM", "CurrentControlSet", "Control", "Session Manager"};
const char kSessionManagerKey[] = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr char kPendingValue[] = "PendingFileRenameOperations";

// The value's strings as they are, each ended by its zero byte, without the
// empty string that ends the list.
std::string PendingEntries(const RegNode& key) {
  const RegValue* value = key.FindValue(kPendingValue);
  if (value == nullptr || value->type != platform::kRegMultiSz) return "";
  std::string data = value->data;
  if (data.size() >= 2 && data[data.size() - 1] == '\0' && data[data.size() - 2] == '\0') data.pop_back();
  if (!data.empty() && data.back() != '\0') data.push_back('\0');
  return data;
}

bool WriteHostFile(const std::string& path, const std::string& content) {
  const int fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return false;
  const bool written = internal::WriteAll(fd, content);
  return close(fd) == 0 && written;
}

struct Operation {
  std::string source;  // Windows path
  std::string target;  // "" to delete
  bool replace = true;  // may the target be replaced
};

std::string WithoutPrefix(std::string path, const std::string& prefix) {
  if (path.compare(0, prefix.size(), prefix) == 0) path.erase(0, prefix.size());
  return path;
}

// The value's strings in pairs: "\??\source", then "\??\target", "!\??\target"
// (may replace) or "" (delete). The empty string after the last pair ends the list.
bool PendingOperations(const std::string& data, std::vector<Operation>& operations, std::string& problem) {
  const std::vector<std::string> strings = SplitAtZeros(data);
  std::size_t i = 0;
  for (; i + 1 < strings.size(); i += 2) {
    if (strings[i].empty()) break;
    Operation operation;
    operation.source = WithoutPrefix(strings[i], "\\??\\");
    const std::string& target = strings[i + 1];
    operation.replace = !target.empty() && target[0] == '!';
    operation.target = WithoutPrefix(operation.replace ? target.substr(1) : target, "\\??\\");
    operations.push_back(operation);
  }
  for (; i < strings.size(); ++i) {
    if (!strings[i].empty()) {
      problem = "a source without its target: \"" + strings[i] + "\"";
      return false;
    }
  }
  return true;
}

// The operations of the [rename] entries of WININIT.INI, as the settings
// calls read them: "NUL=path" deletes, "new=existing" renames; an entry
// without '=' does nothing.
std::vector<Operation> RenameOperations(const std::vector<std::string>& entries) {
  std::vector<Operation> operations;
  for (const std::string& entry : entries) {
    const std::size_t equals = entry.find('=');
    if (equals == std::string::npos) continue;
    Operation operation;
    const std::string key = entry.substr(0, equals);
    operation.source = entry.substr(equals + 1);
    if (!internal::EqualsIgnoringAsciiCase(key, "NUL")) operation.target = key;
    operations.push_back(operation);
  }
  return operations;
}

std::string Describe(const Operation& operation) {
  return operation.target.empty() ? "delete " + operation.source
                                  : "rename " + operation.source + " to " + operation.target;
}

// One operation on the host files; the line that reports it.
std::string Carry(const Operation& operation) {
  const std::string what = Describe(operation);
  std::string source;
  struct stat info;
  if (!ToHostPath(operation.source, source) || lstat(source.c_str(), &info) != 0) {
    return "not done: " + what + ": " + operation.source + " does not exist";
  }
  if (operation.target.empty()) {
    const int removed = S_ISDIR(info.st_mode) ? rmdir(source.c_str()) : unlink(source.c_str());
    if (removed != 0) return "not done: " + what + ": " + std::strerror(errno);
    return "deleted " + operation.source;
  }
  std::string target;
  if (!ToHostPath(operation.target, target)) return "not done: " + what + ": no such drive";
  struct stat existing;
  if (!operation.replace && lstat(target.c_str(), &existing) == 0) {
    return "not done: " + what + ": the target exists";
  }
  if (rename(source.c_str(), target.c_str()) != 0) return "not done: " + what + ": " + std::strerror(errno);
  return "renamed " + operation.source + " to " + operation.target;
}

}  // namespace

bool AddPendingFileOperation(const std::string& source, const std::string& target, std::string& error) {
  std::string entry = "\\??\\" + source;
  entry += '\0';
  if (!target.empty()) entry += "\\??\\" + target;
  entry += '\0';
  return RegistryStore::OfMachineInUse().Hive("").Update(
      [&](RegNode& root) {
        RegNode& key = CreateRegKeyPath(root, kSessionManager);
        key.SetValue(kPendingValue, platform::kRegMultiSz, PendingEntries(key) + entry + '\0');
        return true;
      },
      error);
}

bool ScheduledRestartOperations(std::vector<std::string>& operations, std::string& error) {
  std::vector<Operation> pending;
  std::uint32_t type = 0;
  std::string data;
  std::string missing;
  if (RegistryStore::OfMachineInUse().GetValue(kSessionManagerKey, kPendingValue, type, data, missing) &&
      !PendingOperations(data, pending, error)) {
    error = std::string(kPendingValue) + ": " + error;
    return false;
  }
  internal::FileLock lock(internal::SettingsLockPath(), internal::FileLock::Shared);
  std::string wininitHost;
  std::string wininitText;
  if (ToHostPath(WindowsFolder() + "\\WININIT.INI", wininitHost) && internal::ReadHostFile(wininitHost, wininitText)) {
    for (const Operation& operation : RenameOperations(internal::SectionEntries(wininitText, "rename"))) {
      pending.push_back(operation);
    }
  }
  for (const Operation& operation : pending) operations.push_back(Describe(operation));
  return true;
}

bool CarryOutRestartOperations(std::vector<std::string>& done, std::string& error) {
  RegistryStore store = RegistryStore::OfMachineInUse();

  std::vector<Operation> pending;
  std::uint32_t type = 0;
  std::string data;
  const bool havePending = store.GetValue(kSessionManagerKey, kPendingValue, type, data, error);
  if (havePending && !PendingOperations(data, pending, error)) {
    error = std::string(kPendingValue) + ": " + error;
    return false;
  }

  for (const Operation& operation : pending) done.push_back(Carry(operation));
  if (havePending) {
    bool removed = false;
    RegLocation location;
    const bool updated = store.Locate(kSessionManagerKey, location, error) &&
                         store.Hive(location.user).Update(
                             [&](RegNode& root) {
                               RegNode* key = FindRegKey(root, location.path);
                               removed = key != nullptr && key->RemoveValue(kPendingValue);
                               return removed;
                             },
                             error);
    if (!updated) {
      error = "cannot remove " + std::string(kPendingValue) + ": " + error;
      return false;
    }
  }

  // The settings files of the machine are not read or written meanwhile:
  // the section is read and removed as the profile calls would.
  internal::FileLock lock(internal::SettingsLockPath(), internal::FileLock::Exclusive);
  const std::string wininit = WindowsFolder() + "\\WININIT.INI";
  std::string wininitHost;
  std::string wininitText;
  if (!ToHostPath(wininit, wininitHost) || !internal::ReadHostFile(wininitHost, wininitText)) return true;
  for (const Operation& operation : RenameOperations(internal::SectionEntries(wininitText, "rename"))) {
    // WININIT.INI replaces the target: that is how it puts a new file in place.
    done.push_back(Carry(operation));
  }
  const std::string rest = internal::WithSection(wininitText, "rename", nullptr);
  if (rest != wininitText) {
    const bool written = rest.find_first_not_of(" \t\r\n") == std::string::npos ? unlink(wininitHost.c_str()) == 0
                                                                               : WriteHostFile(wininitHost, rest);
    if (!written) {
      error = "cannot rewrite " + wininit;
      return false;
    }
  }
  return true;
}

}  // namespace emu
