#include "uninstall/uninstall_folder.h"

#include <vector>

#include "platform/files.h"
#include "platform/shell_notify.h"
#include "uninstall/default_shortcuts.h"
#include "uninstall/image_associations.h"
#include "uninstall/log_removal/log_removal.h"
#include "uninstall/registry_cleanup.h"
#include "uninstall/uninstall_names.h"

namespace {

// The folders that shortcuts and group folders of an installation can lie
// in; with the installation folder, the only places the logs may send a
// removal to.
std::vector<std::string> ShellFolderBounds(const ShellFolderSet* common, const std::vector<ShellFolderSet>& users) {
  std::vector<std::string> bounds;
  auto add = [&bounds](const ShellFolderSet& set) {
    for (const std::string* folder : {&set.startup, &set.desktop, &set.programs}) {
      if (!folder->empty()) bounds.push_back(*folder);
    }
  };
  if (common != nullptr) add(*common);
  for (const ShellFolderSet& user : users) add(user);
  return bounds;
}

}  // namespace

void UninstallFolder(const std::string& folder) {
  CleanRegistry();
  if (RestoreImageAssociations()) platform::NotifyAssociationsChanged();

  // The shell folders are read once, before the logs send the removal into them.
  ShellFolderSet common;
  const bool haveCommon = ReadCommonShellFolders(common);
  const std::vector<ShellFolderSet> users = ReadEveryUsersShellFolders();
  std::vector<std::string> bounds = ShellFolderBounds(haveCommon ? &common : nullptr, users);
  bounds.push_back(folder);

  // Whatever a log says, nothing outside the installation folder and the
  // shell folders is touched.
  for (const char* log : {kOlderLogName, kLogName}) RemoveLoggedLinksAndDirsWithin(folder + log, bounds);
  for (const char* log : {kOlderLogName, kLogName}) RemoveLoggedFiles(folder + log, folder, "");
  // The older installer's log is read but not deleted by name.
  DeleteMatchingFiles(kLogName, folder);

  // The folder is no longer anyone's current folder, so that it can go when empty.
  platform::SetCurrentFolder("\\");
  platform::RemoveFolder(folder);

  if (haveCommon) RemoveDefaultShortcuts(common);
  for (const ShellFolderSet& user : users) RemoveDefaultShortcuts(user);
}
