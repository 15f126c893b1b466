// Creating a fresh machine: its settings, the folders of drive C: and the
// registry values that name them.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/regedit4.h"
#include "platform/emulated/machine/registry.h"
#include "platform/registry.h"

namespace emu {

namespace {

// The well-known folders of a machine, as Windows paths.
struct MachineFolders {
  std::string windows;
  std::string programFiles;  // where a 32-bit program installs
  std::string profile;       // C:\users\<user>
  std::string appData;
  std::string startMenu;
  std::string commonStartMenu = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu";
  std::string commonDesktop = "C:\\users\\Public\\Desktop";
};

MachineFolders FoldersOf(const MachineSettings& settings, const std::string& userName) {
  MachineFolders f;
  f.windows = settings.windowsFolder;
  f.programFiles = settings.windows64 ? "C:\\Program Files (x86)" : "C:\\Program Files";
  f.profile = "C:\\users\\" + userName;
  f.appData = f.profile + "\\AppData\\Roaming";
  f.startMenu = f.appData + "\\Microsoft\\Windows\\Start Menu";
  return f;
}

// The folders of one user's profile.
std::vector<std::string> ProfileFoldersToMake(const MachineFolders& f) {
  return {
      f.profile + "\\Temp",
      f.profile + "\\Desktop",
      f.profile + "\\AppData\\Local",
      f.startMenu + "\\Programs\\Startup",
  };
}

// The current user first, then the others.
std::vector<std::string> AllUsersOf(const MachineSettings& settings) {
  std::vector<std::string> users = {settings.userName};
  users.insert(users.end(), settings.otherUsers.begin(), settings.otherUsers.end());
  return users;
}

std::vector<std::string> FoldersToMake(const MachineSettings& settings, const MachineFolders& f) {
  std::vector<std::string> folders = {
      f.windows + "\\system32",
      f.windows + "\\Temp",
      f.commonStartMenu + "\\Programs\\Startup",
      f.commonDesktop,
      "C:\\Program Files\\Common Files",
  };
  if (settings.windows64) folders.push_back("C:\\Program Files (x86)\\Common Files");
  for (const std::string& user : AllUsersOf(settings)) {
    for (const std::string& profileFolder : ProfileFoldersToMake(FoldersOf(settings, user))) {
      folders.push_back(profileFolder);
    }
  }
  return folders;
}

// The system's own libraries, as files in its system folder: a library that
// Windows loads from there is one the machine has. Nothing of them runs.
const char* const kSystemLibraries[] = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll",
                                        "kernel32.dll", "msvcrt.dll",   "ole32.dll",    "oleaut32.dll",
                                        "shell32.dll",  "shlwapi.dll",  "user32.dll",   "version.dll"};

bool WriteSystemLibraries(const std::string& systemFolder, std::string& error) {
  for (const char* name : kSystemLibraries) {
    std::ofstream out(systemFolder + "/" + name, std::ios::binary | std::ios::trunc);
    out << "stand-in system library " << name << "\n";
    out.close();
    if (!out) {
      error = "cannot write " + systemFolder + "/" + name;
      return false;
    }
  }
  return true;
}

struct RegistryEntry {
  std::string key;  // full path, root included
  std::string name;
  std::uint32_t type;
  std::string text;
};

// The machine's values and the current user's; with `userKey` set to
// another user's key (HKEY_USERS\<name>\), that user's values alone.
std::vector<RegistryEntry> RegistryEntries(const MachineFolders& f, const std::string& userKey = "") {
  const std::string machine = "HKEY_LOCAL_MACHINE\\";
  const std::string user = userKey.empty() ? "HKEY_CURRENT_USER\\" : userKey;
  const std::string version = machine + "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  const std::string shell = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  const std::string userShell = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  const std::string commonPrograms = f.commonStartMenu + "\\Programs";
  const std::string programs = f.startMenu + "\\Programs";
  const std::string localAppData = f.profile + "\\AppData\\Local";
  std::vector<RegistryEntry> entries = {
      {version, "ProgramFilesDir", platform::kRegSz, f.programFiles},
      {version, "CommonFilesDir", platform::kRegSz, f.programFiles + "\\Common Files"},
      {machine + "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot", platform::kRegSz, f.windows},
      // The system's PATH, where libraries are looked for last.
      {machine + "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment", "Path", platform::kRegExpandSz,
       f.windows + "\\system32;" + f.windows + ";" + f.windows + "\\system32\\Wbem"},
  };
  // Shell Folders holds plain paths; User Shell Folders the same paths as
  // expandable strings (nothing in them to expand).
  const struct {
    std::string root;
    const char* name;
    std::string path;
  } shellFolders[] = {
      {machine, "Common Programs", commonPrograms},
      {machine, "Common Startup", commonPrograms + "\\Startup"},
      {machine, "Common Desktop", f.commonDesktop},
      {machine, "Common Start Menu", f.commonStartMenu},
      {machine, "Common AppData", "C:\\ProgramData"},
      {user, "Programs", programs},
      {user, "Startup", programs + "\\Startup"},
      {user, "Desktop", f.profile + "\\Desktop"},
      {user, "Start Menu", f.startMenu},
      {user, "AppData", f.appData},
      {user, "Local AppData", localAppData},
  };
  if (!userKey.empty()) entries.clear();
  for (const auto& folder : shellFolders) {
    if (userKey.empty() || folder.root == user) {
      entries.push_back({folder.root + shell, folder.name, platform::kRegSz, folder.path});
    }
  }
  for (const auto& folder : shellFolders) {
    if (userKey.empty() || folder.root == user) {
      entries.push_back({folder.root + userShell, folder.name, platform::kRegExpandSz, folder.path});
    }
  }
  entries.push_back({user + "Environment", "TEMP", platform::kRegExpandSz, f.profile + "\\Temp"});
  entries.push_back({user + "Environment", "TMP", platform::kRegExpandSz, f.profile + "\\Temp"});
  return entries;
}

// All of the values as one REGEDIT4 text, so that each hive is written once.
std::string RegistryText(const std::vector<RegistryEntry>& entries) {
  std::string text = kRegedit4Header;
  std::string lastKey;
  for (const RegistryEntry& entry : entries) {
    if (entry.key != lastKey) {
      if (!lastKey.empty()) text += "\n";
      AppendRegKeyLine(text, entry.key);
      lastKey = entry.key;
    }
    AppendRegValueLine(text, entry.name, entry.type, entry.text + '\0');
  }
  return text;
}

// Keys that every Windows has, though they may hold nothing: the lists of
// installed programs and of application paths, and the file classes.
std::string AlwaysThereKeysText() {
  std::string text;
  for (const char* key : {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes",
                          "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths",
                          "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"}) {
    text += "\n";
    AppendRegKeyLine(text, key);
  }
  return text;
}

bool MakeHostFolders(const std::string& path, std::string& error) {
  std::string partial;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    partial = path.substr(0, slash);
    if (!partial.empty() && mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST) {
      error = "cannot create " + partial + ": " + std::strerror(errno);
      return false;
    }
    start = slash + 1;
  }
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    error = path + " is not a folder";
    return false;
  }
  return true;
}

// Accepts a missing folder or an empty one.
bool CheckTarget(const std::string& folder, std::string& error) {
  struct stat info;
  if (stat(folder.c_str(), &info) != 0) {
    if (errno == ENOENT) return true;
    error = "cannot use " + folder + ": " + std::strerror(errno);
    return false;
  }
  if (!S_ISDIR(info.st_mode)) {
    error = folder + " exists and is not a folder";
    return false;
  }
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) {
    error = "cannot read " + folder + ": " + std::strerror(errno);
    return false;
  }
  bool empty = true;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") {
      empty = false;
      break;
    }
  }
  closedir(dir);
  if (!empty) error = folder + " is not empty; a machine is made in a missing or empty folder";
  return empty;
}

bool CheckSettings(const MachineSettings& settings, std::string& error) {
  if (!IsUsableUserName(settings.userName)) {
    error = "unusable user name \"" + settings.userName + "\"";
    return false;
  }
  std::vector<std::string> users = AllUsersOf(settings);
  for (std::size_t i = 1; i < users.size(); ++i) {
    const std::string& name = users[i];
    if (!IsUsableUserName(name) || name.find(',') != std::string::npos) {
      error = "unusable user name \"" + name + "\"";
      return false;
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (RegNamesEqual(users[j], name)) {
        error = "user \"" + name + "\" named twice";
        return false;
      }
    }
  }
  for (char letter : settings.extraDrives) {
    const char lower = internal::AsciiLower(letter);
    if (lower < 'a' || lower > 'y' || lower == 'c') {
      error = std::string("unusable drive letter ") + letter + " (D: to Y:)";
      return false;
    }
  }
  if (!IsUsableWindowsFolder(settings.windowsFolder)) {
    error = "unusable Windows folder \"" + settings.windowsFolder + "\" (a full path such as C:\\WINNT or D:\\Windows)";
    return false;
  }
  if (settings.codePage != 1252 && settings.codePage != 932) {
    error = "unsupported code page " + std::to_string(settings.codePage) + " (1252 or 932)";
    return false;
  }
  return true;
}

bool WriteSettingsFile(const std::string& folder, const MachineSettings& settings, std::string& error) {
  std::ofstream out(folder + "/machine.ini", std::ios::binary | std::ios::trunc);
  out << "user=" << settings.userName << "\n"
      << "codepage=" << settings.codePage << "\n"
      << "administrator=" << (settings.administrator ? 1 : 0) << "\n"
      << "windows64=" << (settings.windows64 ? 1 : 0) << "\n"
      << "pending_renames=" << (settings.pendingRenames ? 1 : 0) << "\n"
      << "windows=" << settings.windowsFolder << "\n";
  out.close();
  if (!out) {
    error = "cannot write " + folder + "/machine.ini";
    return false;
  }
  return true;
}

std::string AbsoluteHostPath(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  char buffer[4096];
  if (!getcwd(buffer, sizeof buffer)) return path;
  return std::string(buffer) + "/" + path;
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

bool CreateMachine(const std::string& folderGiven, const MachineSettings& settings, std::string& error) {
  if (folderGiven.empty()) {
    error = "no machine folder given";
    return false;
  }
  const std::string folder = WithoutTrailingSlashes(AbsoluteHostPath(folderGiven));
  if (!CheckSettings(settings, error) || !CheckTarget(folder, error)) return false;

  const MachineFolders windowsFolders = FoldersOf(settings, settings.userName);
  // The Windows folder's drive comes with the machine.
  for (char letter : "c" + settings.extraDrives + settings.windowsFolder[0]) {
    const char lower = internal::AsciiLower(letter);
    if (!MakeHostFolders(folder + "/drives/" + lower, error)) return false;
  }
  for (const std::string& windowsPath : FoldersToMake(settings, windowsFolders)) {
    std::string relative = windowsPath.substr(3);
    for (char& c : relative) {
      if (c == '\\') c = '/';
    }
    const std::string drive(1, internal::AsciiLower(windowsPath[0]));
    if (!MakeHostFolders(folder + "/drives/" + drive + "/" + relative, error)) return false;
  }

  // The system folder below the Windows folder, wherever that is.
  std::string system = windowsFolders.windows.substr(3) + "/system32";
  for (char& c : system) {
    if (c == '\\') c = '/';
  }
  if (!WriteSystemLibraries(folder + "/drives/" + internal::AsciiLower(windowsFolders.windows[0]) + "/" + system, error)) {
    return false;
  }

  if (!WriteSettingsFile(folder, settings, error)) return false;
  // The store checks no rights: a standard user's machine still starts with
  // its system values in HKEY_LOCAL_MACHINE.
  RegistryStore registry(folder, settings.userName);
  std::string registryError;
  std::vector<RegistryEntry> entries = RegistryEntries(windowsFolders);
  for (const std::string& other : settings.otherUsers) {
    for (RegistryEntry& entry : RegistryEntries(FoldersOf(settings, other), "HKEY_USERS\\" + other + "\\")) {
      entries.push_back(entry);
    }
  }
  if (!registry.Import(RegistryText(entries) + AlwaysThereKeysText(), registryError)) {
    error = "cannot write the registry: " + registryError;
    return false;
  }
  return true;
}

}  // namespace emu
