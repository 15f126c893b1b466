#include "discovery/shell_folders.h"

#include "discovery/registry_access.h"
#include "discovery/registry_keys.h"

using platform::RegRoot;

const ShellFolderRow ShellFolderTable[3] = {
    {ShellFolder::Programs, {RegRoot::CurrentUser, "Programs"}, {RegRoot::LocalMachine, "Common Programs"}},
    {ShellFolder::Startup, {RegRoot::CurrentUser, "Startup"}, {RegRoot::LocalMachine, "Common Startup"}},
    {ShellFolder::Desktop, {RegRoot::CurrentUser, "Desktop"}, {RegRoot::LocalMachine, "Common Desktop"}},
};

const ShellFolderValue& ShellFolderValueFor(ShellFolder folder, bool allUsers) {
  for (const ShellFolderRow& row : ShellFolderTable) {
    if (row.folder == folder) return allUsers ? row.allUsers : row.currentUser;
  }
  return allUsers ? ShellFolderTable[0].allUsers : ShellFolderTable[0].currentUser;
}

std::string ReadShellFolder(ShellFolder folder, bool allUsers) {
  const ShellFolderValue& value = ShellFolderValueFor(folder, allUsers);
  return ReadRegistryString(value.root, kShellFoldersKey, value.valueName);
}
