// emumachine restart MACHINE
// Carries out what Windows does with scheduled file operations while it
// starts: first the pending operations of the Session Manager key, then the
// [rename] section of WININIT.INI, each in the order written; then both are
// removed. Nothing runs on the machine at that moment, so holds don't count.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/emulated/basics.h"
#include "platform/emulated/hive.h"
#include "platform/emulated/machine.h"
#include "platform/emulated/registry_store.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "tool.h"

namespace tool {

namespace {

const char kSessionManager[] = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char kPendingValue[] = "PendingFileRenameOperations";
const char kWininit[] = "C:\\windows\\WININIT.INI";

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
  const std::vector<std::string> strings = emu::internal::SplitAtZeros(data);
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

// The entries of WININIT.INI's [rename] section, and the file's text without it.
std::vector<Operation> RenameSection(const std::string& text, std::string& rest) {
  std::vector<Operation> operations;
  bool inSection = false;
  std::size_t start = 0;
  rest.clear();
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string::npos ? text.size() : end + 1;
    const std::string line = text.substr(start, next - start);
    const std::string trimmed = emu::internal::Trimmed(line.substr(0, line.find('\n')));
    start = next;
    if (!trimmed.empty() && trimmed[0] == '[') {
      const std::size_t close = trimmed.find(']');
      inSection = close != std::string::npos && platform::EqualsIgnoreCaseAscii(emu::internal::Trimmed(trimmed.substr(1, close - 1)), "rename");
      if (inSection) continue;
    }
    if (!inSection) {
      rest += line;
      continue;
    }
    const std::size_t equals = trimmed.find('=');
    if (trimmed.empty() || trimmed[0] == ';' || equals == std::string::npos) continue;
    Operation operation;
    const std::string key = emu::internal::Trimmed(trimmed.substr(0, equals));
    operation.source = emu::internal::Trimmed(trimmed.substr(equals + 1));
    if (!platform::EqualsIgnoreCaseAscii(key, "NUL")) operation.target = key;
    operations.push_back(operation);
  }
  return operations;
}

// One operation on the host files; the line that reports it.
std::string Carry(const Operation& operation) {
  const std::string what = operation.target.empty() ? "delete " + operation.source
                                                    : "rename " + operation.source + " to " + operation.target;
  std::string source;
  struct stat info;
  if (!emu::ToHostPath(operation.source, source) || lstat(source.c_str(), &info) != 0) {
    return "not done: " + what + ": " + operation.source + " does not exist";
  }
  if (operation.target.empty()) {
    const int removed = S_ISDIR(info.st_mode) ? rmdir(source.c_str()) : unlink(source.c_str());
    if (removed != 0) return "not done: " + what + ": " + std::strerror(errno);
    return "deleted " + operation.source;
  }
  std::string target;
  if (!emu::ToHostPath(operation.target, target)) return "not done: " + what + ": no such drive";
  struct stat existing;
  if (!operation.replace && lstat(target.c_str(), &existing) == 0) {
    return "not done: " + what + ": the target exists";
  }
  if (rename(source.c_str(), target.c_str()) != 0) return "not done: " + what + ": " + std::strerror(errno);
  return "renamed " + operation.source + " to " + operation.target;
}

}  // namespace

int RestartCommand(const Arguments& args) {
  if (!OpenMachine(args[0])) return kExitFailed;
  if (args.size() != 1) return UsageError("restart: unexpected argument " + args[1]);
  emu::RegistryStore store = emu::RegistryStore::OfMachineInUse();

  std::vector<Operation> pending;
  std::uint32_t type = 0;
  std::string data;
  std::string error;
  const bool havePending = store.GetValue(kSessionManager, kPendingValue, type, data, error);
  if (havePending && !PendingOperations(data, pending, error)) {
    return Fail("restart: " + std::string(kPendingValue) + ": " + error);
  }

  std::string wininitHost;
  std::string wininitText;
  std::string wininitRest;
  const bool haveWininit = emu::ToHostPath(kWininit, wininitHost) && ReadHostFile(wininitHost, wininitText);
  std::vector<Operation> renames;
  if (haveWininit) renames = RenameSection(wininitText, wininitRest);

  for (const Operation& operation : pending) std::printf("%s\n", Carry(operation).c_str());
  if (havePending) {
    bool removed = false;
    emu::RegLocation location;
    const bool updated = store.Locate(kSessionManager, location, error) &&
                         store.Hive(location.user).Update(
                             [&](emu::RegNode& root) {
                               emu::RegNode* key = emu::FindRegKey(root, location.path);
                               removed = key != nullptr && key->RemoveValue(kPendingValue);
                               return removed;
                             },
                             error);
    if (!updated) return Fail("restart: cannot remove " + std::string(kPendingValue) + ": " + error);
  }

  for (const Operation& operation : renames) {
    // WININIT.INI replaces the target: that is how it puts a new file in place.
    std::printf("%s\n", Carry(operation).c_str());
  }
  if (haveWininit && wininitRest != wininitText) {
    const bool written = wininitRest.find_first_not_of(" \t\r\n") == std::string::npos
                             ? unlink(wininitHost.c_str()) == 0
                             : WriteHostFile(wininitHost, wininitRest);
    if (!written) return Fail("restart: cannot rewrite " + std::string(kWininit));
  }
  if (pending.empty() && renames.empty()) std::printf("nothing to do at restart\n");
  return 0;
}

}  // namespace tool
