#pragma once
// Registry keys that the setup reads and writes, below HKEY_LOCAL_MACHINE
// unless a caller says otherwise.

// The product's own key: the installation folder ("Path") and the install
// mode ("AllUsers").
inline constexpr char kProductKey[] = "SOFTWARE\\Lumetra\\Pictavo 6";
// The default value names the full path of the installed product program.
inline constexpr char kProductAppPathKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Ptav6.exe";
// Holds "ProgramFilesDir".
inline constexpr char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
// The shell's folders, per user under HKEY_CURRENT_USER and for all users
// under HKEY_LOCAL_MACHINE.
inline constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// The product's entry in Windows' list of installed programs.
inline constexpr char kProductUninstallKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pictavo 6";
