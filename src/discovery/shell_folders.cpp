#include "discovery/shell_folders.h"

#include "discovery/registry_access.h"
#include "discovery/registry_keys.h"

using platform::RegRoot;

const ShellFolderRow ShellFolderTable[3] = {
    {ShellFolder::Programs, {RegRoot::CurrentUser, "Programs"}, {RegRoot::LocalMachine, "Common Programs"}},
    {ShellFolder::Startup, {RegRoot::CurrentUser, "Startup"}, {RegRoot::LocalMachine, "Common Startup"}},
    {ShellFolder::Desktop, {RegRoot::CurrentUser, "Desktop"}, {RegRoot::LocalMachine, "Common Desktop"}},
};

// The table's rows stand in the order of the enumeration.
const ShellFolderValue& ShellFolderValueFor(ShellFolder folder, bool allUsers) {
  const ShellFolderRow& row = ShellFolderTable[static_cast<int>(folder)];
  return allUsers ? row.allUsers : row.currentUser;
}

std::string ReadShellFolder(ShellFolder folder, bool allUsers) {
  const ShellFolderValue& value = ShellFolderValueFor(folder, allUsers);
  return ReadRegistryString(value.root, kShellFoldersKey, value.valueName);
}
