#include "discovery/installed_folders.h"

#include "discovery/folder_of_path.h"
#include "discovery/registry_access.h"
#include "discovery/registry_keys.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/text.h"

using platform::RegRoot;

std::string FindInstalledFolder() {
  std::string folder = ReadRegistryString(RegRoot::LocalMachine, kProductKey, "Path");
  if (folder.empty()) {
    const std::string program = ReadRegistryString(RegRoot::LocalMachine, kProductAppPathKey, "");
    // The program's name is matched exactly: a path that spells it in other
    // letter case (an upper-case short name, say) is not taken.
    const std::size_t at = platform::FindAnsi(program, "\\Ptav6.exe");
    if (at != std::string::npos) folder = program.substr(0, at);
  }
  RemoveTrailingBackslash(folder);
  return folder;
}

std::string DefaultProgramFilesFolder() {
  std::string folder = ReadRegistryString(RegRoot::LocalMachine, kCurrentVersionKey, "ProgramFilesDir");
  if (folder.empty()) {
    // The drive of the Windows folder: C:\WINDOWS gives C:\Program Files.
    folder = platform::WindowsFolder();
    const std::size_t backslash = platform::FindAnsi(folder, "\\");
    if (backslash != std::string::npos) folder.erase(backslash + 1);
    folder += "Program Files";
  }
  RemoveTrailingBackslash(folder);
  return folder;
}

std::string SourceFolder() {
  const std::string program = platform::ProgramPath();
  const std::size_t last = platform::FindLastBackslash(program);
  if (last == std::string::npos) return std::string();
  return program.substr(0, last);
}
