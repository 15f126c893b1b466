#pragma once
// What passes from the uninstaller to its temporary copy: one command line,
// and the installation folder the copy derives from it. Plain text work.
#include <string>

// The path as it stands on the command line: in double quotes when it holds
// a blank or a tab, bare otherwise.
std::string QuoteWhenBlank(const std::string& path);

// The copy's command line: its own path, "-delself", the uninstaller's path,
// and "-s" when the uninstall is silent, joined with single blanks.
std::string SelfRemovalCommandLine(const std::string& copyPath, const std::string& uninstallerPath,
                                   bool silent);

// The drive and folder parts of the uninstaller's path, joined: the
// installation folder, ending with its separator ("C:\Program Files\Pictavo
// 6\" for "C:\Program Files\Pictavo 6\PtvUnInst.exe"); "" or the drive alone
// when the path names no folder.
std::string InstallationFolderOf(const std::string& uninstallerPath);
