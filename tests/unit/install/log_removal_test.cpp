// Removal driven by an uninstall log: shortcuts and the folders the
// installer made, the product files the script names, and lines that try
// to reach outside the installation.
#include <algorithm>
#include <string>
#include <vector>

#include "fixture.h"
#include "platform/files.h"
#include "uninstall/log_removal/log_removal.h"

namespace {

class LogRemovalTest : public conformance::ScratchTest {
 protected:
  void SetUp() override {
    conformance::ScratchTest::SetUp();
    MakeFolder("inst");
  }
  bool Exists(const std::string& name) const { return platform::PathExists(At(name)); }
  void Log(const std::string& lines) { MakeFile("inst\\PtvUnInst.log", lines); }
  void RemoveFiles(const std::string& prefix = "") { RemoveLoggedFiles(At("inst\\PtvUnInst.log"), At("inst"), prefix); }
  void RemoveLinksAndDirs() { RemoveLoggedLinksAndDirs(At("inst\\PtvUnInst.log")); }
};

TEST_F(LogRemovalTest, FileLinesDeleteTheirDestinations) {
  for (const char* name : {"a.dll", "b.dll", "c.dll", "x.hlp", "y.hlp", "keep.txt", "blank.txt", "tab.txt",
                           "indented.txt", "lower.txt", "old.exe", "ind.dll", "x64.dll", "settings.ini"}) {
    MakeFile(std::string("inst\\") + name, name);
  }
  MakeFolder("inst\\help");
  MakeFile("inst\\help\\index.htm", "h");
  MakeFile("inst\\help\\topics.htm", "h");
  MakeFile("inst\\top.htm", "h");
  ASSERT_TRUE(platform::SetAttributes(At("inst\\c.dll"), platform::kAttrReadOnly | platform::kAttrHidden));
  Log("File Copy: a.dll > b.dll | a remark\r\n"
      "File Copy: c.dll\r\n"
      "File Copy: *.hlp\r\n"
      "File Copy: help\\*.htm\r\n"
      "File Copy: blank.txt  \t\r\n"
      "File Copy: tab.txt\t\n"
      " File Copy: indented.txt\r\n"
      "file copy: lower.txt\r\n"
      "File Del: old.exe | no longer shipped\r\n"
      "File Copy ind: ind.dll\r\n"
      "File Copy x64: x64.dll\r\n"
      "File Overwrite: settings.ini | the user's own\r\n"
      "File Del: missing.dll\r\n");
  RemoveFiles();
  std::vector<std::string> left;
  for (const char* name : {"a.dll", "b.dll", "c.dll", "x.hlp", "y.hlp", "keep.txt", "blank.txt", "tab.txt",
                           "indented.txt", "lower.txt", "old.exe", "ind.dll", "x64.dll", "settings.ini", "top.htm",
                           "help\\index.htm", "help\\topics.htm"}) {
    if (Exists(std::string("inst\\") + name)) left.push_back(name);
  }
  const std::vector<std::string> expected = {"a.dll", "keep.txt", "indented.txt", "lower.txt", "top.htm"};
  EXPECT_EQ(left, expected);
}

TEST_F(LogRemovalTest, OnePrefixAloneAndTheScriptsFoldersAlways) {
  MakeFile("inst\\a.dll", "a");
  MakeFile("inst\\old.dll", "old");
  MakeFolder("inst\\empty");
  MakeFolder("inst\\sub");
  MakeFolder("inst\\sub\\deeper");
  Log("File Copy: a.dll\r\nFile Del: old.dll\r\nMake Dir: sub\r\nMake Dir: sub\\deeper\r\nMake Dir: empty\r\n");
  RemoveFiles("File Del: ");
  EXPECT_TRUE(Exists("inst\\a.dll"));
  EXPECT_FALSE(Exists("inst\\old.dll"));
  // Tried once each in line order: sub still held deeper when its turn came.
  EXPECT_TRUE(Exists("inst\\sub"));
  EXPECT_FALSE(Exists("inst\\sub\\deeper"));
  EXPECT_FALSE(Exists("inst\\empty"));
}

TEST_F(LogRemovalTest, DeleteMatchingFilesCountsWhatItDeleted) {
  MakeFile("inst\\a.hlp", "");
  MakeFile("inst\\b.hlp", "");
  MakeFile("inst\\c.txt", "");
  MakeFolder("inst\\d.hlp");
  EXPECT_EQ(DeleteMatchingFiles("*.hlp", At("inst")), 2);
  EXPECT_TRUE(Exists("inst\\d.hlp"));
  EXPECT_TRUE(Exists("inst\\c.txt"));
  EXPECT_EQ(DeleteMatchingFiles("*.hlp", At("inst") + "\\"), 0);
  EXPECT_EQ(DeleteMatchingFiles("c.txt", At("inst") + "/"), 1);
}

TEST_F(LogRemovalTest, ShortcutsAndTheGroupWithEveryParentItLeavesEmpty) {
  MakeFolder("menu");
  MakeFolder("menu\\Programs");
  MakeFolder("menu\\Programs\\Tools");
  MakeFolder("menu\\Programs\\Tools\\Pictavo 6");
  MakeFile("menu\\Programs\\Tools\\Pictavo 6\\Pictavo 6.lnk", "link");
  MakeFile("menu\\Programs\\Tools\\Pictavo 6\\HELP.LNK", "link");
  MakeFile("menu\\other.txt", "keeps the menu folder");
  MakeFolder("desktop");
  MakeFile("desktop\\Pictavo 6.lnk", "link");
  Log("Shell Link: " + At("menu\\Programs\\Tools\\Pictavo 6\\gone.lnk") + "\r\n"
      "Shell Link: " + At("menu\\Programs\\Tools\\Pictavo 6\\Pictavo 6.lnk") + "\r\n"
      "Made Dir: " + At("menu\\Programs\\Tools\\Pictavo 6") + "\r\n"
      "Shell Link: " + At("menu\\Programs\\Tools\\Pictavo 6\\HELP.LNK") + "  \r\n"
      "Shell Link: " + At("desktop\\Pictavo 6.lnk") + "\r\n");
  RemoveLinksAndDirs();
  EXPECT_FALSE(Exists("desktop\\Pictavo 6.lnk"));
  EXPECT_TRUE(Exists("desktop"));
  // The group, then Tools and Programs as each became empty; menu holds a file.
  EXPECT_FALSE(Exists("menu\\Programs"));
  EXPECT_TRUE(Exists("menu\\other.txt"));
}

TEST_F(LogRemovalTest, AShellLinkLineDeletesOnlyAShortcut) {
  MakeFile("inst\\Ptav6.exe", "program");
  MakeFile("inst\\notes.lnk.txt", "text");
  MakeFile("inst\\x.Lnk", "link");
  Log("Shell Link: " + At("inst\\Ptav6.exe") + "\r\n"
      "Shell Link: " + At("inst\\notes.lnk.txt") + "\r\n"
      "Shell Link: " + At("inst\\x.Lnk") + "\r\n");
  RemoveLinksAndDirs();
  EXPECT_TRUE(Exists("inst\\Ptav6.exe"));
  EXPECT_TRUE(Exists("inst\\notes.lnk.txt"));
  EXPECT_FALSE(Exists("inst\\x.Lnk"));
}

TEST_F(LogRemovalTest, NamesOutsideTheInstallationAreLeftAlone) {
  MakeFile("sentinel.txt", "sentinel");
  MakeFile("sentinel.dll", "sentinel");
  MakeFolder("empty outside");
  MakeFolder("inst\\help");
  MakeFile("inst\\a.dll", "a");
  Log("File Del: ..\\sentinel.txt\r\n"
      "File Del: " + At("sentinel.txt") + "\r\n"
      "File Copy: a.dll > ..\\sentinel.dll\r\n"
      "File Copy: ..\\sentinel.dll > a.dll\r\n"
      "File Overwrite: help\\..\\..\\sentinel.txt | a remark\r\n"
      "File Copy ind: \\sentinel.txt\r\n"
      "File Copy x64: ../*.txt\r\n"
      "File Del: ..\\*.*\r\n"
      "Make Dir: ..\\empty outside\r\n"
      "Make Dir: " + At("empty outside") + "\r\n");
  RemoveFiles();
  EXPECT_EQ(Content("sentinel.txt"), "sentinel");
  EXPECT_EQ(Content("sentinel.dll"), "sentinel");
  EXPECT_TRUE(Exists("empty outside"));
  // A line that names outside on either side is passed over whole.
  EXPECT_TRUE(Exists("inst\\a.dll"));
}

TEST_F(LogRemovalTest, AMissingLogDoesNothing) {
  MakeFile("inst\\a.dll", "a");
  RemoveFiles();
  RemoveLinksAndDirs();
  EXPECT_TRUE(Exists("inst\\a.dll"));
}

}  // namespace
