// The shell-folder values: which value each folder and user kind reads.
#include <gtest/gtest.h>

#include <string>

#include "discovery/registry_access.h"
#include "discovery/registry_keys.h"
#include "discovery/shell_folders.h"
#include "platform/registry.h"
#include "scratch_machine.h"

namespace discovery_tests {
namespace {

using platform::RegRoot;

// Each folder and user kind reads its own value of the Shell Folders key.
TEST(ShellFolders, EachFolderReadsItsOwnValue) {
  ScratchMachine machine;
  ASSERT_TRUE(machine.Ready());
  const struct {
    ShellFolder folder;
    bool allUsers;
    RegRoot root;
    const char* valueName;
  } kValues[] = {
      {ShellFolder::Programs, false, RegRoot::CurrentUser, "Programs"},
      {ShellFolder::Programs, true, RegRoot::LocalMachine, "Common Programs"},
      {ShellFolder::Startup, false, RegRoot::CurrentUser, "Startup"},
      {ShellFolder::Startup, true, RegRoot::LocalMachine, "Common Startup"},
      {ShellFolder::Desktop, false, RegRoot::CurrentUser, "Desktop"},
      {ShellFolder::Desktop, true, RegRoot::LocalMachine, "Common Desktop"},
  };
  for (const auto& v : kValues) {
    ASSERT_TRUE(WriteRegistryString(v.root, kShellFoldersKey, v.valueName, std::string("X:\\") + v.valueName));
  }
  for (const auto& v : kValues) {
    EXPECT_EQ(ReadShellFolder(v.folder, v.allUsers), std::string("X:\\") + v.valueName) << v.valueName;
  }
  // A folder the system does not have reads as empty.
  platform::RegKey key = nullptr;
  ASSERT_TRUE(platform::OpenRegKey(platform::RootKey(RegRoot::LocalMachine), kShellFoldersKey, true, key));
  ASSERT_TRUE(platform::DeleteRegValue(key, "Common Startup"));
  platform::CloseRegKey(key);
  EXPECT_EQ(ReadShellFolder(ShellFolder::Startup, true), "");
}

}  // namespace
}  // namespace discovery_tests
