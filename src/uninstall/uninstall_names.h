#pragma once
// The names under which an installation of the product and the product
// itself leave their traces, as the uninstaller looks for them.

// The maker's key and the product's key (below a registry root).
inline constexpr char kMakerKey[] = "SOFTWARE\\Lumetra";
inline constexpr char kProductSettingsKey[] = "SOFTWARE\\Lumetra\\Pictavo 6";
// The product's document class, below HKEY_CLASSES_ROOT.
inline constexpr char kDocumentClassKey[] = "PV6.Document";
// The uninstall entry and the application path entry: a subkey each, below
// HKEY_LOCAL_MACHINE.
inline constexpr char kUninstallEntriesKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr char kUninstallEntryName[] = "Pictavo 6";
inline constexpr char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
inline constexpr char kAppPathName[] = "Ptav6.exe";

// The product's program, as an image type's open-with choice names it, and
// the value in which the product kept the choice it replaced.
inline constexpr char kProductProgramName[] = "Ptav6.exe";
inline constexpr char kFormerChoiceValue[] = "PtavOld";
// The user's open-with choices per file type, below HKEY_CURRENT_USER.
inline constexpr char kFileExtsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
inline constexpr char kOpenWithValue[] = "Application";

// The name of the desktop and Startup shortcuts ("<name>.lnk") and of the
// program group folder.
inline constexpr char kDefaultShortcutName[] = "Pictavo 6";

// The uninstall logs an installation folder can hold: the older installer's
// and the current one.
inline constexpr char kOlderLogName[] = "install.log";
inline constexpr char kLogName[] = "PtvUnInst.log";
