// What a machine holds:
//   emumachine ls MACHINE [WINPATH]
//   emumachine show MACHINE [--depth N]
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/emulated/machine/hive.h"
#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/name_case.h"
#include "platform/emulated/machine/operator.h"
#include "platform/emulated/machine/registry.h"
#include "platform/registry.h"
#include "tool.h"

namespace tool {

namespace {

// A folder shows at most this many entries; the rest are counted.
constexpr std::size_t kEntriesShown = 40;

struct Entry {
  std::string name;
  bool folder = false;
  unsigned long long size = 0;
};

bool LessIgnoringCase(const Entry& a, const Entry& b) {
  return emu::NameLessIgnoringCase(a.name, b.name);
}

bool ReadFolder(const std::string& hostFolder, std::vector<Entry>& entries) {
  DIR* dir = opendir(hostFolder.c_str());
  if (dir == nullptr) return false;
  while (const dirent* item = readdir(dir)) {
    Entry entry;
    entry.name = item->d_name;
    if (entry.name == "." || entry.name == "..") continue;
    struct stat info;
    if (stat((hostFolder + "/" + entry.name).c_str(), &info) == 0) {
      entry.folder = S_ISDIR(info.st_mode);
      entry.size = static_cast<unsigned long long>(info.st_size);
    }
    entries.push_back(entry);
  }
  closedir(dir);
  std::sort(entries.begin(), entries.end(), LessIgnoringCase);
  return true;
}

std::string HoldNote(const std::string& hostPath) {
  emu::HoldKind kind;
  if (!emu::FindHold(hostPath, kind)) return "";
  return kind == emu::HoldKind::Running ? "  [in use: running]" : "  [in use: open]";
}

void PrintTree(const std::string& hostFolder, int depthLeft, const std::string& indent) {
  std::vector<Entry> entries;
  if (!ReadFolder(hostFolder, entries)) return;
  if (depthLeft == 0) {
    if (!entries.empty()) std::printf("%s...\n", indent.c_str());
    return;
  }
  for (std::size_t i = 0; i < entries.size() && i < kEntriesShown; ++i) {
    const Entry& entry = entries[i];
    const std::string hostPath = hostFolder + "/" + entry.name;
    if (entry.folder) {
      std::printf("%s%s\\\n", indent.c_str(), entry.name.c_str());
      PrintTree(hostPath, depthLeft - 1, indent + "  ");
    } else {
      std::printf("%s%s (%llu bytes)%s\n", indent.c_str(), entry.name.c_str(), entry.size,
                  HoldNote(hostPath).c_str());
    }
  }
  if (entries.size() > kEntriesShown) {
    std::printf("%s... %zu more\n", indent.c_str(), entries.size() - kEntriesShown);
  }
}

void PrintKeyValues(const emu::RegistryStore& store, const std::string& keyPath) {
  emu::RegLocation location;
  std::string error;
  std::shared_ptr<const emu::RegNode> hive;
  const emu::RegNode* key = nullptr;
  if (store.Locate(keyPath, location, error)) hive = store.Hive(location.user).Read(error);
  if (hive) key = emu::FindRegKey(*hive, location.path);
  std::printf("%s\n", keyPath.c_str());
  if (key == nullptr) {
    std::printf("  (missing)\n");
    return;
  }
  for (const emu::RegValue& value : key->values) {
    const bool text = value.type == platform::kRegSz || value.type == platform::kRegExpandSz;
    std::printf("  %-18s %s\n", (value.name.empty() ? "@" : value.name).c_str(),
                text ? value.data.substr(0, value.data.find('\0')).c_str() : "(not text)");
  }
}

}  // namespace

int ListCommand(const Arguments& args) {
  if (!OpenMachine(args[0])) return kExitFailed;
  if (args.size() > 2) return UsageError("ls: at most one WINPATH");
  const std::string windowsPath = args.size() == 2 ? args[1] : "C:\\";
  std::string hostPath;
  struct stat info;
  if (!emu::ToHostPath(windowsPath, hostPath) || stat(hostPath.c_str(), &info) != 0) {
    return Fail("ls: " + windowsPath + " does not exist on the machine");
  }
  if (!S_ISDIR(info.st_mode)) {
    std::printf("%12llu  %s%s\n", static_cast<unsigned long long>(info.st_size), windowsPath.c_str(),
                HoldNote(hostPath).c_str());
    return 0;
  }
  std::vector<Entry> entries;
  if (!ReadFolder(hostPath, entries)) return Fail("ls: cannot read " + windowsPath);
  for (const Entry& entry : entries) {
    if (entry.folder) {
      std::printf("       <DIR>  %s\n", entry.name.c_str());
    } else {
      std::printf("%12llu  %s%s\n", entry.size, entry.name.c_str(), HoldNote(hostPath + "/" + entry.name).c_str());
    }
  }
  return 0;
}

int ShowCommand(const Arguments& args) {
  if (!OpenMachine(args[0])) return kExitFailed;
  int depth = 4;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--depth" && i + 1 < args.size()) {
      char* end = nullptr;
      const long value = std::strtol(args[i + 1].c_str(), &end, 10);
      if (*end != '\0' || value < 0 || value > 64) return UsageError("show: --depth takes a number from 0 to 64");
      depth = static_cast<int>(value);
      ++i;
    } else {
      return UsageError("show: unexpected argument " + args[i]);
    }
  }
  const std::string machine = emu::MachineFolder();
  const emu::MachineSettings& settings = emu::Settings();
  std::printf("machine %s\n", machine.c_str());
  std::printf("  user: %s\n  code page: %u\n  administrator: %s\n  Windows: %s\n  restart-time renames: %s\n\n",
              settings.userName.c_str(), settings.codePage, settings.administrator ? "yes" : "no",
              settings.windows64 ? "64-bit" : "32-bit",
              settings.pendingRenames ? "pending operations, then WININIT.INI" : "WININIT.INI only");

  std::printf("drive C: (%d levels)\nC:\\\n", depth);
  std::string hostRoot;
  if (emu::ToHostPath("C:\\", hostRoot)) PrintTree(hostRoot, depth, "  ");
  std::printf("\n");

  const emu::RegistryStore store = emu::RegistryStore::OfMachineInUse();
  const std::string shellFolders = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  PrintKeyValues(store, "HKEY_CURRENT_USER" + shellFolders);
  PrintKeyValues(store, "HKEY_LOCAL_MACHINE" + shellFolders);
  PrintKeyValues(store, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
  std::printf("\n");

  const std::vector<std::string> answers = emu::PendingOperatorAnswers(machine);
  std::string queued;
  for (const std::string& answer : answers) queued += (queued.empty() ? "" : " ") + answer;
  std::printf("operator\n  answers queued: %zu%s%s\n", answers.size(), queued.empty() ? "" : ": ", queued.c_str());
  std::string transcript;
  std::size_t boxes = 0;
  if (ReadHostFile(emu::TranscriptPath(machine), transcript)) {
    for (std::size_t at = 0; (at = transcript.find("message box\n", at)) != std::string::npos; at += 12) {
      if (at == 0 || transcript[at - 1] == '\n') ++boxes;
    }
  }
  std::printf("  message boxes shown: %zu\n", boxes);
  return 0;
}

}  // namespace tool
