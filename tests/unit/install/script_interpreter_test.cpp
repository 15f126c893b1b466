// The install script carried out: which lines copy what, which folders are
// made, the library test, and lines whose names reach outside their folder.
#include <algorithm>
#include <string>
#include <vector>

#include "install/script_interpreter.h"
#include "install/wow64.h"
#include "install_fixture.h"
#include "platform/files.h"

namespace install_tests {
namespace {

class ScriptTest : public InstallTest {
 protected:
  void RunScript(const std::string& lines) {
    MakeFile("pkg\\PtvUnInst.log", lines);
    RunInstallScript(At("pkg\\PtvUnInst.log"));
  }
  // The names under a folder of the scratch folder, sub-folders with a
  // trailing backslash, sorted.
  std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    List(folder, "", names);
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  void List(const std::string& folder, const std::string& prefix, std::vector<std::string>& names) {
    platform::FindData found;
    platform::FindHandle find = platform::FindFirst(At(folder) + "\\*", found);
    if (find == nullptr) return;
    do {
      if (found.name == "." || found.name == "..") continue;
      if (found.attributes & platform::kAttrDirectory) {
        names.push_back(prefix + found.name + "\\");
        List(folder + "\\" + found.name, prefix + found.name + "\\", names);
      } else {
        names.push_back(prefix + found.name);
      }
    } while (platform::FindNext(find, found));
    platform::FindClose(find);
  }
};

TEST_F(ScriptTest, CopiesAndFoldersAsTheLinesSay) {
  for (const char* name : {"Ptav6.exe", "readme.txt", "hook.dll", "hook64.dll", "indented.txt", "later.txt"}) {
    MakeFile(std::string("pkg\\") + name, name);
  }
  MakeFolder("pkg\\help");
  MakeFile("pkg\\help\\index.htm", "index");
  MakeFile("pkg\\help\\topics.htm", "topics");
  RunScript(
      "File Copy: Ptav6.exe\r\n"
      "File Copy: readme.txt  >  ReadMe First.txt \r\n"
      "Make Dir: help\r\n"
      "File Copy: help\\*.htm\r\n"
      "Make Dir: deep\\deeper\r\n"
      "File Copy: hook.dll\r\n"
      "File Copy x64: hook64.dll > hook.dll\r\n"
      "File Overwrite: later.txt\r\n"
      "File Del: Ptav6.exe\r\n"
      "  File Copy: indented.txt\r\n"
      "file copy: indented.txt\r\n"
      "File Copy: *.none\r\n"
      "File Copy: later.txt | a remark is part of the name here\r\n"
      "Made Dir: " + At("made") + "\r\n"
      "Shell Link: " + At("link.lnk") + "\r\n"
      "File Copy: later.txt");  // the last line without a line end
  const std::vector<std::string> expected = {"Ptav6.exe", "ReadMe First.txt", "help\\", "help\\index.htm",
                                             "help\\topics.htm", "hook.dll", "later.txt"};
  EXPECT_EQ(Listing("inst"), expected);
  EXPECT_EQ(Content("inst\\ReadMe First.txt"), "readme.txt");
  // A 64-bit line counts only under WOW64; this test program is never a
  // 32-bit process on 64-bit Windows, and the machine here is 32-bit.
  EXPECT_FALSE(IsRunningUnderWow64());
  EXPECT_EQ(Content("inst\\hook.dll"), "hook.dll");
  EXPECT_FALSE(Exists("made"));
}

TEST_F(ScriptTest, ALibraryFoundElsewhereIsNotCopied) {
  // comdlg32.dll is in the system folder; nothing of that name is anywhere
  // Windows looks for ptvnowhere6.dll.
  MakeFile("pkg\\comdlg32.dll", "shipped");
  MakeFile("pkg\\ptvnowhere6.dll", "shipped");
  MakeFile("pkg\\Ptav6.exe", "program");
  RunScript(
      "File Copy: Ptav6.exe\r\n"
      "File Copy ind: comdlg32.dll\r\n"
      "File Copy ind: ptvnowhere6.dll > ptvimage.dll\r\n"
      "File Copy ind: ptvnowhere6.dll\r\n");
  EXPECT_FALSE(Exists("inst\\comdlg32.dll"));
  EXPECT_EQ(Content("inst\\ptvimage.dll"), "shipped");
  EXPECT_EQ(Content("inst\\ptvnowhere6.dll"), "shipped");
  // The shipped copies have their names back.
  EXPECT_EQ(Content("pkg\\comdlg32.dll"), "shipped");
  EXPECT_FALSE(Exists("pkg\\comdlg32.dll.toinst"));
  EXPECT_FALSE(Exists("pkg\\ptvnowhere6.dll.toinst"));
}

TEST_F(ScriptTest, NamesThatReachOutsideTheirFolderAreLeftAlone) {
  MakeFile("pkg\\a.txt", "package");
  MakeFile("secret.txt", "outside the package");
  MakeFile("sentinel.txt", "sentinel");
  MakeFolder("inst");
  MakeFile("pkg\\PtvUnInst.log",
      "File Copy: ..\\secret.txt\r\n"
      "File Copy: ..\\secret.txt > stolen.txt\r\n"
      "File Copy: a.txt > ..\\sentinel.txt\r\n"
      "File Copy: a.txt > ..\\..\\sentinel.txt\r\n"
      "File Copy: a.txt > " + At("sentinel.txt") + "\r\n"
      "File Copy: a.txt > \\sentinel.txt\r\n"
      "File Copy: a.txt>help/../../sentinel.txt\r\n"
      "File Copy ind: ..\\secret.txt\r\n"
      "Make Dir: ..\\made outside\r\n"
      "Make Dir: " + At("made outside too") + "\r\n");
  const std::vector<std::string> before = Listing("");
  RunInstallScript(At("pkg\\PtvUnInst.log"));
  EXPECT_EQ(Listing(""), before);
  EXPECT_EQ(Content("sentinel.txt"), "sentinel");
  EXPECT_EQ(Content("secret.txt"), "outside the package");
}

TEST_F(ScriptTest, AMissingScriptInstallsNothing) {
  RunInstallScript(At("pkg\\PtvUnInst.log"));
  EXPECT_FALSE(Exists("inst"));
}

}  // namespace
}  // namespace install_tests
