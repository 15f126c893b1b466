#include "uninstall/default_shortcuts.h"

#include "discovery/registry_keys.h"
#include "platform/files.h"
#include "platform/scoped.h"
#include "uninstall/log_removal/log_removal.h"
#include "uninstall/registry_cleanup.h"
#include "uninstall/registry_text.h"
#include "uninstall/uninstall_names.h"

namespace {

// A value that can't be read counts as empty.
std::string ValueOrEmpty(platform::RegKey key, const char* name) {
  std::string text;
  return ReadValueText(key, name, text) ? text : std::string();
}

}  // namespace

bool ReadCommonShellFolders(ShellFolderSet& folders) {
  platform::ScopedRegKey key;
  if (!platform::OpenRegKey(platform::RootKey(platform::RegRoot::LocalMachine), kShellFoldersKey, false,
                            key.Receive())) {
    return false;
  }
  folders.startup = ValueOrEmpty(key.Get(), "Common Startup");
  folders.desktop = ValueOrEmpty(key.Get(), "Common Desktop");
  folders.programs = ValueOrEmpty(key.Get(), "Common Programs");
  return true;
}

std::vector<ShellFolderSet> ReadEveryUsersShellFolders() {
  std::vector<ShellFolderSet> all;
  ForEachUserKey([&all](platform::RegKey userKey) {
    platform::ScopedRegKey key;
    if (!platform::OpenRegKey(userKey, kShellFoldersKey, true, key.Receive())) return;
    ShellFolderSet folders;
    folders.startup = ValueOrEmpty(key.Get(), "Startup");
    folders.desktop = ValueOrEmpty(key.Get(), "Desktop");
    folders.programs = ValueOrEmpty(key.Get(), "Programs");
    all.push_back(folders);
  });
  return all;
}

void RemoveDefaultShortcuts(const ShellFolderSet& folders) {
  const std::string shortcut = std::string("\\") + kDefaultShortcutName + ".lnk";
  if (!folders.startup.empty()) platform::DeleteFileAt(folders.startup + shortcut);
  if (!folders.desktop.empty()) platform::DeleteFileAt(folders.desktop + shortcut);
  if (!folders.programs.empty()) {
    const std::string group = folders.programs + "\\" + kDefaultShortcutName + "\\";
    DeleteMatchingFiles("*.*", group);
    platform::RemoveFolder(group);
  }
}
