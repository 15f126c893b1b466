#pragma once
// The shortcuts and program group under their default names, in the shell
// folders of all users and of every user.
#include <string>
#include <vector>

// The Startup, desktop and programs folders of one set of shell folders;
// "" where the value is missing.
struct ShellFolderSet {
  std::string startup;
  std::string desktop;
  std::string programs;
};

// The all-users folders (HKEY_LOCAL_MACHINE, read only); false when their
// key can't be opened.
bool ReadCommonShellFolders(ShellFolderSet& folders);
// The folders of every user whose hive is loaded (HKEY_USERS), in
// enumeration order; users whose key can't be opened are left out.
std::vector<ShellFolderSet> ReadEveryUsersShellFolders();

// Deletes "Pictavo 6.lnk" in the Startup and desktop folders, and every
// file in the programs folder's group "Pictavo 6" and then the group
// itself when no sub-folder keeps it. Empty folders are passed over.
void RemoveDefaultShortcuts(const ShellFolderSet& folders);
