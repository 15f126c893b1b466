#include "platform/emulated/machine/snapshot.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/emulated/machine/machine.h"
#include "platform/registry.h"

namespace emu {

namespace {

// FNV-1a: enough to tell a changed file from the same one.
std::string ContentHash(const std::string& hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  std::uint64_t hash = 1469598103934665603ull;
  for (std::istreambuf_iterator<char> it(in), end; it != end; ++it) {
    hash = (hash ^ static_cast<unsigned char>(*it)) * 1099511628211ull;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

void AddFolderTree(const std::string& host, const std::string& windows, std::vector<std::string>& lines) {
  DIR* dir = opendir(host.c_str());
  if (dir == nullptr) return;
  std::vector<std::string> names;
  while (dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  for (const std::string& name : names) {
    const std::string childHost = host + "/" + name;
    const std::string childWindows = windows + (windows.back() == '\\' ? "" : "\\") + name;
    struct stat info;
    if (lstat(childHost.c_str(), &info) != 0) continue;
    if (S_ISDIR(info.st_mode)) {
      lines.push_back("folder " + childWindows);
      AddFolderTree(childHost, childWindows, lines);
    } else {
      lines.push_back("file " + childWindows + " (" + std::to_string(info.st_size) + " bytes, content " +
                      ContentHash(childHost) + ")");
    }
  }
}

std::string HexBytes(const std::string& data) {
  std::string text;
  char byte[4];
  for (unsigned char c : data) {
    std::snprintf(byte, sizeof byte, "%s%02x", text.empty() ? "" : ",", c);
    text += byte;
  }
  return text;
}

std::string ValueText(const RegValue& value) {
  const std::string upToZero = value.data.substr(0, value.data.find('\0'));
  switch (value.type) {
    case platform::kRegSz:
      return "sz \"" + upToZero + "\"";
    case platform::kRegExpandSz:
      return "expand_sz \"" + upToZero + "\"";
    case platform::kRegMultiSz: {
      std::string text = "multi_sz";
      for (const std::string& piece : SplitAtZeros(value.data)) text += " \"" + piece + "\"";
      return text;
    }
    case platform::kRegDword:
      if (value.data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(value.data[i]);
        return "dword " + std::to_string(number);
      }
      break;
    default:
      break;
  }
  return "hex(" + std::to_string(value.type) + ") " + HexBytes(value.data);
}

void AddKeyTree(const RegNode& key, const std::string& path, std::vector<std::string>& lines) {
  lines.push_back("key " + path);
  for (const RegValue& value : key.values) {
    lines.push_back("value " + path + " \"" + (value.name.empty() ? "@" : value.name) + "\" = " + ValueText(value));
  }
  for (const RegNode& subkey : key.subkeys) AddKeyTree(subkey, path + "\\" + subkey.name, lines);
}

bool AddHive(const RegistryStore& store, const std::string& user, const std::string& rootName,
             std::vector<std::string>& lines, std::string& error) {
  std::shared_ptr<const RegNode> hive = store.Hive(user).Read(error);
  if (!hive) return false;
  // The hive's root itself is always there; only what it holds counts.
  for (const RegValue& value : hive->values) {
    lines.push_back("value " + rootName + " \"" + (value.name.empty() ? "@" : value.name) + "\" = " + ValueText(value));
  }
  for (const RegNode& subkey : hive->subkeys) AddKeyTree(subkey, rootName + "\\" + subkey.name, lines);
  return true;
}

}  // namespace

bool SnapshotMachine(std::vector<std::string>& lines, std::string& error) {
  lines.clear();
  const std::string machine = MachineFolder();
  if (machine.empty()) {
    error = "no machine in use";
    return false;
  }
  DIR* drives = opendir((machine + "/drives").c_str());
  if (drives == nullptr) {
    error = "the machine has no drives";
    return false;
  }
  std::vector<std::string> letters;
  while (dirent* entry = readdir(drives)) {
    const std::string name = entry->d_name;
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') letters.push_back(name);
  }
  closedir(drives);
  for (const std::string& letter : letters) {
    const char upper = static_cast<char>(letter[0] - 'a' + 'A');
    AddFolderTree(machine + "/drives/" + letter, std::string(1, upper) + ":\\", lines);
  }

  const RegistryStore store = RegistryStore::OfMachineInUse();
  if (!AddHive(store, "", "HKEY_LOCAL_MACHINE", lines, error)) return false;
  for (const std::string& user : store.Users()) {
    if (!AddHive(store, user, "HKEY_USERS\\" + user, lines, error)) return false;
  }

  std::sort(lines.begin(), lines.end());
  // The scheduled operations keep the order in which a restart carries them out.
  std::vector<std::string> restart;
  if (!ScheduledRestartOperations(restart, error)) return false;
  for (const std::string& operation : restart) lines.push_back("restart " + operation);
  return true;
}

}  // namespace emu
