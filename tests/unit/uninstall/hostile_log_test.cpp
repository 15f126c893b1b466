// Logs that name places outside the installation: whatever the uninstall
// logs say, nothing outside the installation folder and the shell folders
// is touched, and the shell folders themselves stay.
#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "uninstall/uninstall_folder.h"
#include "uninstall_machine.h"

namespace uninstall_tests {
namespace {

const char kFolder[] = "C:\\Program Files\\Pictavo 6\\";
const char kDesktop[] = "C:\\users\\Ann\\Desktop";

// Lines that reach out, each aimed at a file or folder that must stay.
const char kHostileLines[] =
    "File Copy: ..\\..\\windows\\win.ini\r\n"
    "File Del: C:\\windows\\system.ini\r\n"
    "File Copy: notes.txt > ..\\Shared\\notes.txt\r\n"
    "File Copy: \\windows\\Temp\\keep.txt\r\n"
    "Make Dir: ..\\Escape\r\n"
    "Shell Link: C:\\windows\\notepad.exe\r\n"
    "Shell Link: C:\\Other\\Important.lnk\r\n"
    "Shell Link: C:\\users\\Ann\\Desktop\\..\\..\\Ben\\Desktop\\Ben's.lnk\r\n"
    "Made Dir: C:\\Important\r\n"
    "Made Dir: C:\\users\\Ann\\Desktop\\..\\..\\Ben\\Empty\r\n";

const char* const kMustStay[] = {
    "C:\\windows\\win.ini",
    "C:\\windows\\system.ini",
    "C:\\Program Files\\Shared\\notes.txt",
    "C:\\windows\\Temp\\keep.txt",
    "C:\\Program Files\\Escape",
    "C:\\windows\\notepad.exe",
    "C:\\Other\\Important.lnk",
    "C:\\users\\Ben\\Desktop\\Ben's.lnk",
    "C:\\Important",
    "C:\\users\\Ben\\Empty",
    // A shell folder that the removal of a group left empty is still the user's.
    kDesktop,
};

TEST(UninstallFolder, NoLogLineReachesOutsideTheInstallationAndShellFolders) {
  test_support::TemporaryMachine machine(TwoUsers());
  ASSERT_TRUE(machine.Ready());
  for (const char* path : {"C:\\windows\\win.ini", "C:\\windows\\system.ini", "C:\\Program Files\\Shared\\notes.txt",
                           "C:\\windows\\Temp\\keep.txt", "C:\\windows\\notepad.exe", "C:\\Other\\Important.lnk",
                           "C:\\users\\Ben\\Desktop\\Ben's.lnk"}) {
    PutFile(path);
  }
  for (const char* folder : {"C:\\Program Files\\Escape", "C:\\Important", "C:\\users\\Ben\\Empty"}) MakeFolders(folder);
  // What the logs may remove: the product's file, the group on the desktop.
  PutFile(std::string(kFolder) + "Ptav6.exe");
  MakeFolders(std::string(kDesktop) + "\\Pictavo 6");
  const std::string ownLines = std::string("File Copy: Ptav6.exe\r\nMade Dir: ") + kDesktop + "\\Pictavo 6\r\n";
  PutFile(std::string(kFolder) + "PtvUnInst.log", ownLines + kHostileLines);
  PutFile(std::string(kFolder) + "install.log", kHostileLines);

  UninstallFolder(kFolder);

  for (const char* path : kMustStay) EXPECT_TRUE(platform::PathExists(path)) << path;
  EXPECT_FALSE(platform::PathExists(std::string(kDesktop) + "\\Pictavo 6"));
  EXPECT_FALSE(platform::PathExists(std::string(kFolder) + "Ptav6.exe"));
  EXPECT_FALSE(platform::PathExists(std::string(kFolder) + "PtvUnInst.log"));
  // The older log is read, not deleted by name: it keeps the folder.
  EXPECT_TRUE(platform::PathExists(std::string(kFolder) + "install.log"));
}

}  // namespace
}  // namespace uninstall_tests
