// Windows paths onto the machine's folders: drives, case, current folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "files_fixture.h"
#include "platform/emulated/machine/machine.h"
#include "platform/errors.h"
#include "platform/files.h"

namespace {

class PathTest : public BareMachineTest {};

TEST_F(PathTest, ResolvesNamesWithoutRegardToCase) {
  MakeHostFile("Program Files/Lumetra/Pictavo.EXE");
  MakeHostFolder("Data");
  ASSERT_EQ(0, ::mkdir((machine_ + "/drives/d").c_str(), 0755));
  struct Case {
    const char* windows;
    std::string host;
  } cases[] = {
      {"C:\\Program Files\\Lumetra\\Pictavo.EXE", Host("Program Files/Lumetra/Pictavo.EXE")},
      {"c:/PROGRAM FILES/lumetra\\pictavo.exe", Host("Program Files/Lumetra/Pictavo.EXE")},
      // Names that do not exist keep the case given, after the part that does.
      {"C:\\program files\\New Folder\\Sub", Host("Program Files/New Folder/Sub")},
      {"C:\\data\\.\\x\\..\\File.txt", Host("Data/File.txt")},
      {"C:\\..\\..\\Data", Host("Data")},
      {"C:\\", machine_ + "/drives/c"},
      {"C:\\Data\\name. . ", Host("Data/name")},
      {"\\\\?\\C:\\Data", Host("Data")},
      {"D:\\x", machine_ + "/drives/d/x"},
      {"Z:\\tmp", "/tmp"},
      {"z:\\", "/"},
  };
  for (const Case& c : cases) {
    std::string host;
    EXPECT_TRUE(emu::ToHostPath(c.windows, host)) << c.windows;
    EXPECT_EQ(c.host, host) << c.windows;
  }
}

TEST_F(PathTest, ExactCaseIsPreferredAndPathsWithoutDriveFail) {
  MakeHostFile("dir/Name.txt");
  MakeHostFile("dir/NAME.TXT");
  std::string host;
  ASSERT_TRUE(emu::ToHostPath("C:\\dir\\NAME.TXT", host));
  EXPECT_EQ(Host("dir/NAME.TXT"), host);
  ASSERT_TRUE(emu::ToHostPath("C:\\dir\\Name.txt", host));
  EXPECT_EQ(Host("dir/Name.txt"), host);
  EXPECT_FALSE(emu::ToHostPath("Q:\\x", host));      // no such drive
  EXPECT_FALSE(emu::ToHostPath("\\\\server\\share", host));
  EXPECT_FALSE(emu::ToHostPath("", host));
}

// The file calls take at most 259 characters, as the ANSI calls of
// Windows do: 260 is refused too (Wine takes it; the conformance cases keep
// off it). Characters are counted as the code page counts them.
TEST_F(PathTest, FileCallsTakeAtMost259Characters) {
  // Folders of ten characters, so that no name is longer than a host takes.
  auto pathOf = [](std::size_t characters, const std::string& character) {
    std::string path = "C:";
    for (std::size_t count = 2; count < characters; ++count) path += count % 10 == 2 ? "\\" : character;
    return path;
  };
  for (const char* codePage : {"1252", "932"}) {
    ChangeSettings(std::string("user=Tester\ncodepage=") + codePage + "\nadministrator=1\n");
    const std::string character = std::string(codePage) == "932" ? "\x83\x41" : "a";  // one character either way
    EXPECT_FALSE(platform::PathExists(pathOf(259, character)));
    EXPECT_EQ(platform::LastError(), platform::kErrPathNotFound) << codePage;
    EXPECT_FALSE(platform::PathExists(pathOf(260, character)));
    EXPECT_EQ(platform::LastError(), platform::kErrFilenameExcedRange) << codePage;
  }
}

// Large folders keep an index of their names; it must follow every change,
// whoever makes it.
TEST_F(PathTest, NamesInLargeFoldersFollowChanges) {
  for (int i = 0; i < 100; ++i) MakeHostFile("big/f" + std::to_string(i));
  struct Step {
    std::function<void()> change;
    const char* windows;
    const char* hostName;
  };
  const std::string big = Host("big/");
  const Step steps[] = {
      {[] {}, "C:\\BIG\\F5", "f5"},
      {[&] { MakeHostFile("big/NewOne"); }, "C:\\big\\NEWONE", "NewOne"},
      {[&] { std::filesystem::remove(big + "f7"); MakeHostFile("big/F7"); }, "C:\\big\\f7", "F7"},
      {[&] { std::filesystem::rename(big + "f8", big + "g8"); }, "C:\\big\\G8", "g8"},
      {[&] { std::filesystem::create_directory(big + "Sub"); }, "C:\\big\\SUB", "Sub"},
      {[] { ASSERT_TRUE(platform::WriteWholeFile("C:\\big\\Made.txt", "x")); }, "C:\\big\\MADE.TXT", "Made.txt"},
      {[] { ASSERT_TRUE(platform::MoveFileTo("C:\\big\\f9", "C:\\big\\Moved")); }, "C:\\big\\moved", "Moved"},
      {[] {}, "C:\\big\\F8", "F8"},  // gone: the name is kept as given
  };
  for (const Step& step : steps) {
    step.change();
    std::string host;
    ASSERT_TRUE(emu::ToHostPath(step.windows, host));
    EXPECT_EQ(big + step.hostName, host) << step.windows;
  }
}

// A large folder's index belongs to that folder, not to its path: a new
// folder made under the same path is listed afresh.
TEST_F(PathTest, NamesInAFolderMadeWhereAMovedOneWas) {
  for (int i = 0; i < 70; ++i) MakeHostFile("A/B/f" + std::to_string(i));
  EXPECT_TRUE(platform::PathExists("C:\\A\\B\\F5"));  // a miss in its exact case: the folder is indexed
  ASSERT_TRUE(platform::MoveFileTo("C:\\A", "C:\\X"));
  ASSERT_TRUE(platform::CreateFolder("C:\\A"));
  ASSERT_TRUE(platform::CreateFolder("C:\\A\\B"));
  ASSERT_TRUE(platform::WriteWholeFile("C:\\A\\B\\Foo.txt", "x"));
  EXPECT_TRUE(platform::PathExists("C:\\A\\B\\FOO.TXT"));
  EXPECT_FALSE(platform::PathExists("C:\\A\\B\\F5"));
  EXPECT_TRUE(platform::PathExists("C:\\x\\b\\F5"));
}

TEST_F(PathTest, RelativePathsStartAtTheCurrentFolder) {
  MakeHostFolder("Work/Sub");
  ASSERT_TRUE(platform::SetCurrentFolder("c:\\work\\"));
  EXPECT_EQ("C:\\work", platform::CurrentFolder());
  std::string host;
  ASSERT_TRUE(emu::ToHostPath("sub\\file", host));
  EXPECT_EQ(Host("Work/Sub/file"), host);
  ASSERT_TRUE(emu::ToHostPath("..\\x", host));
  EXPECT_EQ(Host("x"), host);
  ASSERT_TRUE(emu::ToHostPath("\\Work", host));
  EXPECT_EQ(Host("Work"), host);
  ASSERT_TRUE(emu::ToHostPath("C:sub", host));
  EXPECT_EQ(Host("Work/Sub"), host);
  EXPECT_FALSE(platform::SetCurrentFolder("C:\\missing"));
  EXPECT_EQ(platform::kErrFileNotFound, platform::LastError());
  EXPECT_EQ("C:\\work", platform::CurrentFolder());
}

TEST_F(PathTest, HostPathsBackToWindowsPaths) {
  EXPECT_EQ("C:\\", emu::ToWindowsPath(machine_ + "/drives/c"));
  EXPECT_EQ("C:\\Program Files\\a.exe", emu::ToWindowsPath(machine_ + "/drives/c/Program Files/a.exe"));
  EXPECT_EQ("C:\\x", emu::ToWindowsPath(machine_ + "/drives/c/y/../x"));
  EXPECT_EQ("Z:\\usr\\bin", emu::ToWindowsPath("/usr/bin"));
  EXPECT_EQ("Z:\\", emu::ToWindowsPath("/"));
  std::string outside = "Z:" + machine_ + "/drivesx";
  for (char& c : outside) {
    if (c == '/') c = '\\';
  }
  EXPECT_EQ(outside, emu::ToWindowsPath(machine_ + "/drivesx"));
}

}  // namespace
