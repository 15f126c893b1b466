// The program group of an existing installation, read from its log.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "discovery/installed_group.h"
#include "discovery/registry_access.h"
#include "discovery/registry_keys.h"
#include "scratch_machine.h"
#include "state/setup_state.h"

namespace discovery_tests {
namespace {

using platform::RegRoot;

constexpr char kInstallFolder[] = "C:\\Apps\\Pictavo 6";
// The shell folders of the user kind a case does not install for; links
// into them never count.
constexpr char kOtherPrograms[] = "C:\\Other\\Programs";
constexpr char kOtherStartup[] = "C:\\Other\\Programs\\Startup";

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// An uninstall log as an installation leaves it: the script's lines, an
// empty line, the group folder and the shortcuts.
std::string UninstallLog(const std::vector<std::string>& links) {
  std::vector<std::string> lines = {"File Copy: Ptav6.exe", "File Copy: readme.txt", "Make Dir: help", ""};
  for (const std::string& link : links) lines.push_back("Shell Link: " + link);
  return Lines(lines);
}

struct GroupCase {
  const char* name;
  std::string programs;
  std::string startup;
  std::vector<std::pair<std::string, std::string>> logs;  // file name, content
  std::string expected;  // the group starts as "Pictavo 6"
  bool allUsers = false;
  unsigned codePage = 1252;
};

const std::string kHyo = "\x95\x5C";  // one character in code page 932
const std::string kKatakanaA = "\x83\x41";   // second byte 'A'
const std::string kKatakanaTsu = "\x83\x61";  // second byte 'a'

std::vector<GroupCase> Cases() {
  const std::string programs = "C:\\Menu\\Programs";
  const std::string startup = "C:\\Menu\\Programs\\Startup";
  return {
      {"group_below_programs", programs, startup,
       {{"PtvUnInst.log", UninstallLog({"C:\\Menu\\Programs\\Tools\\Pictavo 6\\Pictavo 6.lnk",
                                        "C:\\Menu\\Programs\\Tools\\Pictavo 6\\Readme.lnk",
                                        "C:\\Users\\User\\Desktop\\Pictavo 6.lnk",
                                        "C:\\Menu\\Programs\\Startup\\Pictavo 6.lnk"})}},
       "Tools\\Pictavo 6"},
      {"programs_value_in_other_case_with_backslash", "c:\\MENU\\programs\\", startup,
       {{"PtvUnInst.log", UninstallLog({"C:\\Menu\\Programs\\Tools\\Pictavo 6\\Pictavo 6.lnk"})}},
       "Tools\\Pictavo 6"},
      {"group_keeps_the_case_of_the_line", programs, startup,
       {{"PtvUnInst.log", UninstallLog({"C:\\MENU\\PROGRAMS\\My TOOLS\\Pictavo 6.lnk"})}}, "My TOOLS"},
      {"nested_group", programs, startup,
       {{"PtvUnInst.log", UninstallLog({"C:\\Menu\\Programs\\A\\B\\C\\Pictavo 6.lnk"})}}, "A\\B\\C"},
      {"link_directly_in_programs", programs, startup,
       {{"PtvUnInst.log", UninstallLog({"C:\\Menu\\Programs\\Pictavo 6.lnk"})}}, ""},
      {"only_the_startup_link", programs, startup,
       {{"PtvUnInst.log", UninstallLog({"C:\\Menu\\Programs\\Startup\\Pictavo 6.lnk"})}}, "Pictavo 6"},
      {"empty_startup_value_counts_no_line", programs, "",
       {{"PtvUnInst.log", UninstallLog({"C:\\Menu\\Programs\\Tools\\Pictavo 6.lnk"})}}, "Pictavo 6"},
      {"last_counting_line_wins", programs, startup,
       {{"PtvUnInst.log", UninstallLog({"C:\\Menu\\Programs\\First\\a.lnk", "C:\\Menu\\Programs\\Second\\b.lnk",
                                        "C:\\Users\\User\\Desktop\\Pictavo 6.lnk"})}},
       "Second"},
      {"folder_that_only_starts_like_programs", programs, startup,
       {{"PtvUnInst.log", UninstallLog({"C:\\Menu\\Programs Extra\\Tools\\Pictavo 6.lnk"})}}, "Pictavo 6"},
      {"only_shell_link_lines_count", programs, startup,
       {{"PtvUnInst.log", Lines({"Made Dir: C:\\Menu\\Programs\\Made\\x.lnk", "shell link: C:\\Menu\\Programs\\Lower\\x.lnk",
                                 "  Shell Link: C:\\Menu\\Programs\\Indented\\x.lnk"})}},
       "Pictavo 6"},
      {"install_log_when_no_uninstall_log", programs, startup,
       {{"install.log", UninstallLog({"C:\\Menu\\Programs\\Old Group\\Pictavo 6.lnk"})}}, "Old Group"},
      {"uninstall_log_before_install_log", programs, startup,
       {{"install.log", UninstallLog({"C:\\Menu\\Programs\\Old Group\\Pictavo 6.lnk"})},
        {"PtvUnInst.log", UninstallLog({"C:\\Menu\\Programs\\New Group\\Pictavo 6.lnk"})}},
       "New Group"},
      {"no_log", programs, startup, {}, "Pictavo 6"},
      {"all_users_folders", "C:\\All\\Programs", "C:\\All\\Programs\\Startup",
       {{"PtvUnInst.log", UninstallLog({"C:\\All\\Programs\\Shared\\Pictavo 6.lnk",
                                        "C:\\Other\\Programs\\Mine\\Pictavo 6.lnk"})}},
       "Shared", true},
      {"per_user_folders_only", programs, startup,
       {{"PtvUnInst.log", UninstallLog({"C:\\Other\\Programs\\Shared\\Pictavo 6.lnk"})}}, "Pictavo 6"},
      // Lower-casing follows the code page, not just ASCII.
      {"code_page_letters", "C:\\MEN\xDC\\Programs", "C:\\MEN\xDC\\Programs\\Startup",
       {{"PtvUnInst.log", UninstallLog({"C:\\men\xFC\\programs\\Gruppe\\Pictavo 6.lnk"})}}, "Gruppe"},
      // A double-byte character ending in the byte of a backslash splits
      // neither the shortcut's name nor the programs folder.
      {"double_byte_link_name", programs, startup,
       {{"PtvUnInst.log", UninstallLog({"C:\\Menu\\Programs\\Ab" + kHyo + ".lnk"})}}, "", false, 932},
      {"double_byte_programs_folder", "C:\\Menu\\" + kHyo, "C:\\Menu\\" + kHyo + "\\Startup",
       {{"PtvUnInst.log", UninstallLog({"C:\\Menu\\" + kHyo + "\\Tools\\Pictavo 6.lnk"})}}, "Tools", false, 932},
      // Second bytes are never lower-cased: the folder named with A's
      // character matches, the one with a's does not.
      {"double_byte_second_byte_not_lowered", "C:\\" + kKatakanaA + "\\Programs",
       "C:\\" + kKatakanaA + "\\Programs\\Startup",
       {{"PtvUnInst.log", UninstallLog({"C:\\" + kKatakanaA + "\\PROGRAMS\\Good\\Pictavo 6.lnk",
                                        "C:\\" + kKatakanaTsu + "\\Programs\\Bad\\Pictavo 6.lnk"})}},
       "Good", false, 932},
  };
}

void PrintTo(const GroupCase& c, std::ostream* os) { *os << c.name; }

class ReadInstalledGroupTest : public ::testing::TestWithParam<GroupCase> {};

TEST_P(ReadInstalledGroupTest, GroupOfTheLastProgramsShortcut) {
  const GroupCase& c = GetParam();
  ScratchMachine machine(c.codePage);
  ASSERT_TRUE(machine.Ready());
  const RegRoot mine = c.allUsers ? RegRoot::LocalMachine : RegRoot::CurrentUser;
  const RegRoot other = c.allUsers ? RegRoot::CurrentUser : RegRoot::LocalMachine;
  const char* programsName = c.allUsers ? "Common Programs" : "Programs";
  const char* startupName = c.allUsers ? "Common Startup" : "Startup";
  const char* otherProgramsName = c.allUsers ? "Programs" : "Common Programs";
  const char* otherStartupName = c.allUsers ? "Startup" : "Common Startup";
  ASSERT_TRUE(WriteRegistryString(mine, kShellFoldersKey, programsName, c.programs));
  ASSERT_TRUE(WriteRegistryString(mine, kShellFoldersKey, startupName, c.startup));
  ASSERT_TRUE(WriteRegistryString(other, kShellFoldersKey, otherProgramsName, kOtherPrograms));
  ASSERT_TRUE(WriteRegistryString(other, kShellFoldersKey, otherStartupName, kOtherStartup));
  ASSERT_TRUE(MakeFolders(kInstallFolder));
  for (const auto& log : c.logs) {
    ASSERT_TRUE(PutFile(std::string(kInstallFolder) + "\\" + log.first, log.second));
  }
  TheSetupState().m_bAllUsers = c.allUsers ? 1 : 0;
  TheSetupState().m_strGroup = "Pictavo 6";

  ReadInstalledGroup(kInstallFolder);

  EXPECT_EQ(TheSetupState().m_strGroup, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Logs, ReadInstalledGroupTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<GroupCase>& info) { return info.param.name; });

}  // namespace
}  // namespace discovery_tests
