// The shortcuts and groups under their default names, for all users and for
// every user of the machine, and the installation folder itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "uninstall/uninstall_folder.h"
#include "uninstall_machine.h"

namespace uninstall_tests {
namespace {

const char kCommonPrograms[] = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
const char kCommonDesktop[] = "C:\\users\\Public\\Desktop";
const char kInstallFolder[] = "C:\\Program Files\\Pictavo 6\\";

std::string Programs(const std::string& user) {
  return "C:\\users\\" + user + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
}
std::string Desktop(const std::string& user) { return "C:\\users\\" + user + "\\Desktop"; }

// The shortcuts of every set of shell folders, and what is not the product's.
struct Scene {
  std::vector<std::string> product;  // go with the uninstall when the user may remove them
  std::vector<std::string> foreign;  // stay
};

Scene PutScene() {
  Scene scene;
  scene.product = {
      std::string(kCommonDesktop) + "\\Pictavo 6.lnk",
      std::string(kCommonPrograms) + "\\Startup\\Pictavo 6.lnk",
      Desktop("Ann") + "\\Pictavo 6.lnk",
      Programs("Ann") + "\\Startup\\Pictavo 6.lnk",
      Desktop("Ben") + "\\Pictavo 6.lnk",
  };
  for (const std::string& file : scene.product) PutFile(file);
  MakeFolders(std::string(kCommonPrograms) + "\\Pictavo 6");
  MakeFolders(Programs("Ann") + "\\Pictavo 6");
  MakeFolders(Programs("Ben") + "\\Pictavo 6");
  scene.foreign = {
      Desktop("Ann") + "\\Notes.txt",
      Desktop("Ben") + "\\Pictavo 5.lnk",
      Programs("Ann") + "\\Pictavo 6 Tools\\Readme.lnk",
  };
  for (const std::string& file : scene.foreign) PutFile(file);
  return scene;
}

TEST(UninstallFolder, RemovesTheDefaultShortcutsAndGroupsOfEveryUser) {
  test_support::TemporaryMachine machine(TwoUsers());
  ASSERT_TRUE(machine.Ready());
  const Scene scene = PutScene();
  UninstallFolder(kInstallFolder);
  for (const std::string& file : scene.product) EXPECT_FALSE(platform::PathExists(file)) << file;
  for (const std::string& file : scene.foreign) EXPECT_TRUE(platform::PathExists(file)) << file;
  for (const std::string& programs : {std::string(kCommonPrograms), Programs("Ann"), Programs("Ben")}) {
    EXPECT_FALSE(platform::PathExists(programs + "\\Pictavo 6")) << programs;
    EXPECT_TRUE(platform::PathExists(programs + "\\Startup")) << programs;
  }
}

TEST(UninstallFolder, StandardUserRemovesOnlyTheirOwnShortcuts) {
  test_support::TemporaryMachine machine(TwoUsers());
  ASSERT_TRUE(machine.Ready());
  const Scene scene = PutScene();
  BecomeStandardUser();
  UninstallFolder(kInstallFolder);
  EXPECT_FALSE(platform::PathExists(Desktop("Ann") + "\\Pictavo 6.lnk"));
  EXPECT_FALSE(platform::PathExists(Programs("Ann") + "\\Pictavo 6"));
  EXPECT_TRUE(platform::PathExists(std::string(kCommonDesktop) + "\\Pictavo 6.lnk"));
  EXPECT_TRUE(platform::PathExists(Desktop("Ben") + "\\Pictavo 6.lnk"));
  EXPECT_TRUE(platform::PathExists(Programs("Ben") + "\\Pictavo 6"));
}

TEST(UninstallFolder, GroupLosesItsFilesAndStaysForASubFolder) {
  test_support::TemporaryMachine machine(TwoUsers());
  ASSERT_TRUE(machine.Ready());
  const std::string group = Programs("Ben") + "\\Pictavo 6";
  for (const char* name : {"\\Pictavo 6.lnk", "\\Tips.txt", "\\Samples\\Sample.lnk"}) PutFile(group + name);
  PutFile(std::string(kCommonPrograms) + "\\Pictavo 6\\Pictavo 6 Help.lnk");
  UninstallFolder(kInstallFolder);
  EXPECT_FALSE(platform::PathExists(group + "\\Pictavo 6.lnk"));
  EXPECT_FALSE(platform::PathExists(group + "\\Tips.txt"));
  // The sub-folder and what it holds keep the group.
  EXPECT_TRUE(platform::PathExists(group + "\\Samples\\Sample.lnk"));
  EXPECT_FALSE(platform::PathExists(std::string(kCommonPrograms) + "\\Pictavo 6"));
}

TEST(UninstallFolder, InstallationFolderGoesOnlyWhenNothingElseIsInIt) {
  test_support::TemporaryMachine machine(TwoUsers());
  ASSERT_TRUE(machine.Ready());
  MakeFolders("C:\\Program Files\\Pictavo 6");
  ASSERT_TRUE(platform::SetCurrentFolder("C:\\Program Files\\Pictavo 6"));
  UninstallFolder(kInstallFolder);
  EXPECT_FALSE(platform::PathExists("C:\\Program Files\\Pictavo 6"));
  EXPECT_EQ(platform::CurrentFolder(), "C:\\");

  PutFile("C:\\Program Files\\Pictavo 6\\My capture.png");
  UninstallFolder(kInstallFolder);
  EXPECT_TRUE(platform::PathExists("C:\\Program Files\\Pictavo 6\\My capture.png"));
}

}  // namespace
}  // namespace uninstall_tests
