#pragma once
// Shortcut (".lnk") files made through the shell's link object, each one
// recorded in the uninstall log with a "Shell Link: " line once it is saved.
#include <string>

#include "platform/shell.h"

// The steps of making a shortcut, one platform call each. The program uses
// the platform's; a test can put a failing step in place of any of them.
struct ShortcutSteps {
  platform::HResult (*initializeCom)();
  platform::HResult (*createLink)(platform::ShellLink&);
  platform::HResult (*queryFile)(platform::ShellLink, platform::LinkFile&);
  platform::HResult (*setPath)(platform::ShellLink, const std::string&);
  platform::HResult (*setDescription)(platform::ShellLink, const std::string&);
  platform::HResult (*setWorkingFolder)(platform::ShellLink, const std::string&);
  platform::HResult (*save)(platform::LinkFile, const std::string&);
  void (*releaseFile)(platform::LinkFile);
  void (*releaseLink)(platform::ShellLink);
};
const ShortcutSteps& PlatformShortcutSteps();

// Makes the shortcut `linkPath` to `targetPath` (surrounding double quotes
// are dropped) with an empty description and, when `workingFolder` is not
// empty, that working folder, stored as given. COM is initialised by the
// first call of the process and never uninitialised. A failing SetPath or
// SetDescription is told in a message box and the shortcut is still saved.
// After a successful save, "Shell Link: " + linkPath is appended to
// m_strInstDir + "\PtvUnInst.log". The HRESULT of the last step done.
platform::HResult CreateShortcut(const std::string& targetPath, const std::string& linkPath,
                                 const std::string& workingFolder,
                                 const ShortcutSteps& steps = PlatformShortcutSteps());

// `path` without a double quote at its start and one at its end.
std::string WithoutSurroundingQuotes(const std::string& path);
