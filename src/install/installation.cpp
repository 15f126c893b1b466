#include "install/installation.h"

#include <cstdio>

#include "state/setup_state.h"
#include "discovery/folder_of_path.h"
#include "discovery/log_file.h"
#include "discovery/registry_access.h"
#include "discovery/registry_keys.h"
#include "discovery/shell_folders.h"
#include "install/file_copy.h"
#include "install/folder_levels.h"
#include "install/product_addresses.h"
#include "install/script_interpreter.h"
#include "install/shortcuts.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/ui.h"
#include "resource.h"
#include "uninstall/log_removal.h"

using platform::RegRoot;

namespace {

// The working folder of the program's shortcuts, stored unexpanded.
const char kProgramWorkingFolder[] = "%APPDATA%";
// An all-users programs folder shorter than this is no folder at all.
constexpr std::size_t kShortestProgramsFolder = 4;

void CleanEarlierInstallation(const std::string& inst, const std::string& src) {
  RemoveLoggedLinksAndDirs(inst + "\\install.log");
  RemoveLoggedLinksAndDirs(inst + "\\PtvUnInst.log");
  // What the new version no longer ships.
  RemoveLoggedFiles(src + "\\PtvUnInst.log", inst, "File Del: ");
}

std::string ProgramsFolder(SetupState& state) {
  std::string programs;
  if (state.m_bAllUsers) {
    programs = ReadShellFolder(ShellFolder::Programs, true);
    // Without an all-users folder everything goes the current user's way.
    if (programs.size() < kShortestProgramsFolder) state.m_bAllUsers = 0;
  }
  if (!state.m_bAllUsers) programs = ReadShellFolder(ShellFolder::Programs, false);
  return programs;
}

std::string NormalizedGroup(const std::string& group) {
  std::string text = group;
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  return TrimFolderText(text);
}

std::string ShortcutName(unsigned id) { return platform::LoadResourceString(id) + ".lnk"; }

void MakeGroupShortcuts(const std::string& group, const std::string& inst) {
  CreateShortcut(inst + "\\Ptav6.exe", group + "\\" + ShortcutName(IDS_PRODUCT_NAME), kProgramWorkingFolder);
  CreateShortcut(inst + "\\Ptav6Man.chm", group + "\\" + ShortcutName(IDS_SHORTCUT_HELP), "");
  CreateShortcut(inst + "\\readme.txt", group + "\\" + ShortcutName(IDS_SHORTCUT_README), "");
  CreateShortcut(inst + "\\PtvUnInst.exe", group + "\\" + ShortcutName(IDS_SHORTCUT_UNINSTALL), "");
}

// A shortcut to the program in a shell folder; none when the system names
// no such folder, rather than one in the root of the current drive.
void MakeProgramShortcut(ShellFolder folder, bool allUsers, const std::string& inst) {
  const std::string where = ReadShellFolder(folder, allUsers);
  if (where.empty()) return;
  CreateShortcut(inst + "\\Ptav6.exe", where + "\\" + ShortcutName(IDS_PRODUCT_NAME), kProgramWorkingFolder);
}

std::string DisplayVersion(const ProductVersion& version) {
  char text[64];
  std::snprintf(text, sizeof text, "%d.%02d.%02d", version.major, version.minor, version.release);
  return text;
}

// Windows' list of programs runs the uninstaller from this text; a path with
// a blank must be quoted, or C:\Program.exe could run in its place.
std::string QuotedWhenBlank(const std::string& path) {
  return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

void WriteRegistryEntries(const SetupState& state) {
  const std::string& inst = state.m_strInstDir;
  const RegRoot machine = RegRoot::LocalMachine;
  WriteRegistryString(machine, kProductKey, "AllUsers", state.m_bAllUsers ? "B" : "A");
  WriteRegistryString(machine, kProductKey, "Path", inst);
  WriteRegistryString(machine, kProductAppPathKey, "", inst + "\\Ptav6.exe");
  WriteRegistryString(machine, kProductUninstallKey, "Contact", "Support");
  WriteRegistryString(machine, kProductUninstallKey, "DisplayName", platform::LoadResourceString(IDS_PRODUCT_NAME));
  WriteRegistryString(machine, kProductUninstallKey, "DisplayVersion", DisplayVersion(state.m_ver));
  WriteRegistryString(machine, kProductUninstallKey, "Publisher", "Lumetra Technology LLC");
  WriteRegistryString(machine, kProductUninstallKey, "UninstallString", QuotedWhenBlank(inst + "\\PtvUnInst.exe"));
  WriteRegistryString(machine, kProductUninstallKey, "URLInfoAbout", kProductHomePage);
}

// A package started through a self-extractor names itself in "sfxname";
// a settings file beside it is the user's preset.
void CopyPresetSettings(const std::string& inst) {
  bool found = false;
  const std::string package = platform::EnvironmentVariable("sfxname", &found);
  const std::string folder = found ? FolderOfPath(package) : std::string();
  if (!folder.empty()) CopyOneFile("Ptav6.ini", folder, inst, "");
}

}  // namespace

int RunInstallation() {
  SetupState& state = TheSetupState();
  const std::string inst = state.m_strInstDir;
  const std::string src = state.m_strSrcDir;
  const std::string log = inst + "\\PtvUnInst.log";

  if (!state.m_bNewInstall) CleanEarlierInstallation(inst, src);
  RunInstallScript(src + "\\PtvUnInst.log");
  // The script becomes the uninstall log; this also makes the installation
  // folder when no copy line did.
  CopyMatchingFiles("PtvUnInst.log", inst, src);
  AppendLogLine(log, "");

  const std::string programs = ProgramsFolder(state);
  state.m_strGroup = NormalizedGroup(state.m_strGroup);
  // Without a programs folder there is no group to make, rather than one
  // in the root of the current drive.
  if (!programs.empty()) {
    for (const std::string& above : PartsBeforeBackslashes(state.m_strGroup)) {
      platform::CreateFolder(programs + "\\" + above);
    }
    const std::string group = programs + "\\" + state.m_strGroup;
    platform::CreateFolder(group);
    AppendLogLine(log, "Made Dir: " + group);
    if (platform::PathExists(group)) MakeGroupShortcuts(group, inst);
  }

  const bool allUsers = state.m_bAllUsers != 0;
  if (state.m_bDeskIcon) MakeProgramShortcut(ShellFolder::Desktop, allUsers, inst);
  if (state.m_bAutoStart) MakeProgramShortcut(ShellFolder::Startup, allUsers, inst);

  WriteRegistryEntries(state);
  CopyPresetSettings(inst);
  return 0;
}
