#pragma once
// The program group of an existing installation, as its uninstall log tells it.
#include <string>

// Reads "PtvUnInst.log" (or, failing that, "install.log") in `installFolder`
// and sets the setup state's m_strGroup to the folder, relative to the
// Start-menu programs folder, of the last shortcut the log names there (the
// auto-start shortcut excepted). Leaves m_strGroup alone when there is no log
// or no such shortcut. m_bAllUsers chooses the all-users or current-user
// shell folders.
void ReadInstalledGroup(const std::string& installFolder);
