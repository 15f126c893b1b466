#pragma once
// Where the shell keeps the Start-menu programs folder, the Startup folder and
// the desktop folder: values of the Shell Folders key, one per folder for the
// current user and one for all users.
#include <string>

#include "platform/registry.h"

enum class ShellFolder { Programs, Startup, Desktop };

struct ShellFolderValue {
  platform::RegRoot root;
  const char* valueName;
};

struct ShellFolderRow {
  ShellFolder folder;
  ShellFolderValue currentUser;
  ShellFolderValue allUsers;
};

// The three rows, in the order of ShellFolder: Programs, Startup, Desktop.
extern const ShellFolderRow ShellFolderTable[3];

// The row's all-users value when `allUsers`, its current-user value otherwise.
const ShellFolderValue& ShellFolderValueFor(ShellFolder folder, bool allUsers);

// The folder's path as the shell keeps it; "" when the value is not set.
std::string ReadShellFolder(ShellFolder folder, bool allUsers);
