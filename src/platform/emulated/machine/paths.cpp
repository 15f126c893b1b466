#include "platform/emulated/machine/internal/paths.h"

#include <dirent.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/code_page.h"
#include "platform/emulated/machine/internal/folder_index.h"
#include "platform/emulated/machine/internal/holds.h"
#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/paths.h"

namespace emu {
namespace internal {

namespace {

struct PathState {
  bool currentKnown = false;
  std::string current;
  bool realMachineKnown = false;
  std::string realMachine;  // the machine folder with its links resolved
};

PathState& State() {
  static PathState state;
  return state;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string HostCurrentFolder() {
  char buffer[PATH_MAX];
  if (!getcwd(buffer, sizeof buffer)) return "/";
  return buffer;
}

// PTV_CURRENT_FOLDER, else C:\ of the machine. Never the host's current
// folder: a relative or rooted name, or one built from an empty folder,
// would then reach the host's own files.
std::string InitialCurrentFolder() {
  std::string full;
  const char* env = std::getenv("PTV_CURRENT_FOLDER");
  if (env && *env && FullWindowsPath(env, full)) return full;
  return "C:\\";
}

// Applies "." and ".." and drops the trailing dots and blanks of the last name.
std::string Canonical(char drive, const std::string& rest) {
  std::vector<std::string> names;
  for (std::string& name : SplitNames(rest)) {
    if (name == ".") continue;
    if (name == "..") {
      if (!names.empty()) names.pop_back();
      continue;
    }
    names.push_back(std::move(name));
  }
  if (!names.empty()) {
    std::string& last = names.back();
    while (!last.empty() && (last.back() == '.' || last.back() == ' ')) last.pop_back();
    if (last.empty()) names.pop_back();
  }
  std::string full(1, drive);
  full += ":\\";
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i) full += '\\';
    full += names[i];
  }
  return full;
}

std::string JoinHost(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

// Removes "." and ".." and repeated slashes from an absolute host path.
std::string NormalHostPath(const std::string& path) {
  std::vector<std::string> names;
  std::size_t i = 0;
  while (i < path.size()) {
    std::size_t slash = path.find('/', i);
    if (slash == std::string::npos) slash = path.size();
    std::string name = path.substr(i, slash - i);
    if (name == "..") {
      if (!names.empty()) names.pop_back();
    } else if (!name.empty() && name != ".") {
      names.push_back(name);
    }
    i = slash + 1;
  }
  std::string out;
  for (const std::string& name : names) out += "/" + name;
  return out.empty() ? "/" : out;
}

// "X:\rest" when `path` lies in drive folder X of the machine at `machine`.
bool DrivePathOf(const std::string& path, const std::string& machine, std::string& windowsPath) {
  if (machine.empty()) return false;
  std::string drives = machine + "/drives/";
  if (path.compare(0, drives.size(), drives) != 0 || path.size() == drives.size()) return false;
  char letter = path[drives.size()];
  if (!(letter >= 'a' && letter <= 'z')) return false;
  std::size_t after = drives.size() + 1;
  if (after < path.size() && path[after] != '/') return false;
  windowsPath = std::string(1, AsciiUpper(letter)) + ":\\";
  if (after + 1 < path.size()) windowsPath += path.substr(after + 1);
  for (std::size_t i = 3; i < windowsPath.size(); ++i) {
    if (windowsPath[i] == '/') windowsPath[i] = '\\';
  }
  return true;
}

const std::string& RealMachineFolder() {
  PathState& state = State();
  if (!state.realMachineKnown) {
    std::string machine = MachineFolder();
    char buffer[PATH_MAX];
    state.realMachine = (!machine.empty() && realpath(machine.c_str(), buffer)) ? buffer : "";
    state.realMachineKnown = true;
  }
  return state.realMachine;
}

}  // namespace

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::size_t LastSeparator(const std::string& path) {
  std::size_t last = std::string::npos;
  for (std::size_t i = 0; i < path.size(); i = internal::NextCharIndex(path, i)) {
    if (IsSeparator(path[i])) last = i;
  }
  return last;
}

std::vector<std::string> SplitNames(const std::string& path) {
  std::vector<std::string> names;
  std::string name;
  for (std::size_t i = 0; i < path.size();) {
    std::size_t next = internal::NextCharIndex(path, i);
    if (IsSeparator(path[i])) {
      if (!name.empty()) names.push_back(name);
      name.clear();
    } else {
      name.append(path, i, next - i);
    }
    i = next;
  }
  if (!name.empty()) names.push_back(name);
  return names;
}

bool FullWindowsPath(const std::string& input, std::string& full) {
  std::string path = input;
  if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] == '?' &&
      IsSeparator(path[3])) {
    path.erase(0, 4);  // the \\?\ prefix names the same file
  }
  if (path.empty()) return false;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return false;  // UNC
  if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') {
    char drive = AsciiUpper(path[0]);
    std::string rest = path.substr(2);
    if (!rest.empty() && IsSeparator(rest[0])) {
      full = Canonical(drive, rest);
      return true;
    }
    // "C:name" is relative to the current folder when that is on C:.
    std::string current = CurrentWindowsFolder();
    if (current[0] == drive) {
      full = Canonical(drive, current.substr(2) + "\\" + rest);
    } else {
      full = Canonical(drive, "\\" + rest);
    }
    return true;
  }
  std::string current = CurrentWindowsFolder();
  if (IsSeparator(path[0])) {
    full = Canonical(current[0], path);
  } else {
    full = Canonical(current[0], current.substr(2) + "\\" + path);
  }
  return true;
}

std::string CurrentWindowsFolder() {
  PathState& state = State();
  if (!state.currentKnown) {
    // A base for a relative PTV_CURRENT_FOLDER while the real one is worked out.
    state.current = "C:\\";
    state.currentKnown = true;
    state.current = InitialCurrentFolder();
  }
  return state.current;
}

void SetCurrentWindowsFolder(const std::string& fullPath) {
  PathState& state = State();
  state.current = fullPath;
  state.currentKnown = true;
}

std::string DriveFolder(char letter) {
  letter = AsciiLower(letter);
  if (letter == 'z') return "/";
  if (!(letter >= 'a' && letter <= 'z')) return "";
  std::string machine = MachineFolder();
  if (machine.empty()) return "";
  std::string folder = machine + "/drives/" + letter;
  struct stat st;
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return "";
  return folder;
}

void ForgetPathState() {
  PathState& state = State();
  state.currentKnown = false;
  state.realMachineKnown = false;
  ReleaseCurrentFolder();
  ForgetFolderIndex();
}

}  // namespace internal

std::string FolderOf(const std::string& windowsPath) {
  const std::size_t separator = internal::LastSeparator(windowsPath);
  if (separator == std::string::npos) return "";
  return windowsPath.substr(0, separator == 2 ? 3 : separator);
}

bool ToHostPath(const std::string& windowsPath, std::string& hostPath) {
  std::string full;
  if (!internal::FullWindowsPath(windowsPath, full)) return false;
  std::string folder = internal::DriveFolder(full[0]);
  if (folder.empty()) return false;
  // The exact name is tried first; the folder is listed only on a miss, so
  // that folders holding thousands of files stay cheap to resolve.
  bool existing = true;
  for (const std::string& name : internal::SplitNames(full.substr(2))) {
    std::string exact = internal::JoinHost(folder, name);
    struct stat st;
    if (existing && lstat(exact.c_str(), &st) != 0) {
      std::string found = internal::FindNameInFolder(folder, name);
      if (found.empty()) {
        existing = false;
      } else {
        exact = internal::JoinHost(folder, found);
      }
    }
    folder = exact;
  }
  hostPath = folder;
  return true;
}

std::string ToWindowsPath(const std::string& hostPath) {
  std::string path = hostPath;
  if (path.empty() || path[0] != '/') path = internal::HostCurrentFolder() + "/" + path;
  path = internal::NormalHostPath(path);
  std::string windowsPath;
  if (internal::DrivePathOf(path, MachineFolder(), windowsPath)) return windowsPath;
  const std::string& realMachine = internal::RealMachineFolder();
  if (!realMachine.empty()) {
    char buffer[PATH_MAX];
    std::string real = realpath(path.c_str(), buffer) ? buffer : path;
    if (internal::DrivePathOf(real, realMachine, windowsPath)) return windowsPath;
  }
  windowsPath = "Z:" + path;
  for (char& c : windowsPath) {
    if (c == '/') c = '\\';
  }
  return windowsPath;
}

}  // namespace emu
