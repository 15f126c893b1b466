// The command line that joins the uninstaller to its temporary copy, and the
// installation folder the copy takes from it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ansi_code_page.h"
#include "platform/command_line.h"
#include "uninstall/self_removal_command.h"

namespace {

struct LineCase {
  const char* name;
  std::string copy;
  std::string uninstaller;
  bool silent;
  std::string line;
};

const LineCase kLineCases[] = {
    {"blanks_in_both", "C:\\Documents and Settings\\Al\\Temp\\uni1A.tmp",
     "C:\\Program Files\\Pictavo 6\\PtvUnInst.exe", false,
     "\"C:\\Documents and Settings\\Al\\Temp\\uni1A.tmp\" -delself \"C:\\Program Files\\Pictavo 6\\PtvUnInst.exe\""},
    {"temporary_folder_without_blanks_stands_bare", "C:\\Temp\\uni2.tmp", "C:\\Program Files\\Pictavo 6\\PtvUnInst.exe",
     false, "C:\\Temp\\uni2.tmp -delself \"C:\\Program Files\\Pictavo 6\\PtvUnInst.exe\""},
    {"silent_adds_s_as_argument_3", "C:\\Temp\\uni2.tmp", "C:\\Pictavo\\PtvUnInst.exe", true,
     "C:\\Temp\\uni2.tmp -delself C:\\Pictavo\\PtvUnInst.exe -s"},
    {"a_tab_counts_as_a_blank", "C:\\Temp\\uni3.tmp", "C:\\A\tB\\PtvUnInst.exe", true,
     "C:\\Temp\\uni3.tmp -delself \"C:\\A\tB\\PtvUnInst.exe\" -s"},
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class SelfRemovalCommandLineTest : public ::testing::TestWithParam<LineCase> {};

// The line is what the copy's entry splits back into its arguments: the
// uninstaller's path arrives whole as argument 2, "-s" as argument 3.
TEST_P(SelfRemovalCommandLineTest, QuotesBothPathsWhenTheyHoldBlanks) {
  const LineCase& c = GetParam();
  const std::string line = SelfRemovalCommandLine(c.copy, c.uninstaller, c.silent);
  EXPECT_EQ(line, c.line);
  std::vector<std::string> expected = {c.copy, "-delself", c.uninstaller};
  if (c.silent) expected.push_back("-s");
  EXPECT_EQ(platform::SplitCommandLine(line), expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, SelfRemovalCommandLineTest, ::testing::ValuesIn(kLineCases),
                         [](const ::testing::TestParamInfo<LineCase>& info) { return info.param.name; });

TEST(InstallationFolderOf, KeepsDriveAndFolderWithTheirSeparator) {
  const struct {
    std::string path;
    std::string folder;
  } cases[] = {
      {"C:\\Program Files\\Pictavo 6\\PtvUnInst.exe", "C:\\Program Files\\Pictavo 6\\"},
      {"D:\\PtvUnInst.exe", "D:\\"},
      {"C:/Apps/Pictavo/PtvUnInst.exe", "C:/Apps/Pictavo/"},
      {"C:\\Apps\\", "C:\\Apps\\"},
      {"C:PtvUnInst.exe", "C:"},
      {"PtvUnInst.exe", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InstallationFolderOf(c.path), c.folder) << c.path;
  }
}

TEST(InstallationFolderOf, NeverCutsADoubleByteCharacter) {
  platform_tests::AnsiCodePage japanese(932);
  if (!japanese.Active()) GTEST_SKIP() << "code page 932 is not the system's";
  // 0x95 0x5C is one character whose second byte is a backslash.
  const std::string folder = "C:\\\x95\x5C\\";
  EXPECT_EQ(InstallationFolderOf(folder + "PtvUnInst.exe"), folder);
  EXPECT_EQ(InstallationFolderOf("C:\\A\\\x95\x5C"), "C:\\A\\");
}

}  // namespace
