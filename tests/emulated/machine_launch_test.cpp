// Programs started on the machine: their command line, their world and
// the hold on their own file.
#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "machine_created_fixture.h"
#include "platform/emulated/command_line.h"
#include "platform/errors.h"

namespace {

using Strings = std::vector<std::string>;

TEST(CommandLineTest, SplitsByTheRuntimeRules) {
  const struct {
    const char* line;
    Strings arguments;
  } cases[] = {
      {"setup.exe", {"setup.exe"}},
      {"\"C:\\Program Files\\a b\\setup.exe\" -s", {"C:\\Program Files\\a b\\setup.exe", "-s"}},
      {"C:\\dir\\\"x.exe  a", {"C:\\dir\\\"x.exe", "a"}},
      {"p  one\ttwo   ", {"p", "one", "two"}},
      {"p \"a b\" c\"d e\"f", {"p", "a b", "cd ef"}},
      {"p \"\" x", {"p", "", "x"}},
      {"p a\\\\b \\\\\\\"c", {"p", "a\\\\b", "\\\"c"}},
      {"p \"C:\\dir\\\\\" next", {"p", "C:\\dir\\", "next"}},
      {"p \"say \"\"hi\"\"\"", {"p", "say \"hi\""}},
      {"p -delself \"C:\\Program Files\\P\\PtvUnInst.exe\"", {"p", "-delself", "C:\\Program Files\\P\\PtvUnInst.exe"}},
      {"", {""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(emu::SplitCommandLine(c.line), c.arguments) << c.line;
  }
}

TEST(CommandLineTest, QuotedArgumentsComeBackUnchanged) {
  const Strings arguments = {"plain", "", "two words", "trailing\\", "in \"quotes\"", "\\\\server\\share\\",
                             "a\\\"b", "tab\there", "C:\\Program Files\\"};
  const std::string line = emu::JoinCommandLine("C:\\Program Files\\App\\app.exe", arguments);
  Strings expected = {"C:\\Program Files\\App\\app.exe"};
  expected.insert(expected.end(), arguments.begin(), arguments.end());
  EXPECT_EQ(emu::SplitCommandLine(line), expected) << line;
}

class LaunchTest : public CreatedMachineTest {
 protected:
  void SetUp() override {
    CreatedMachineTest::SetUp();
    Create();
  }
};

TEST_F(LaunchTest, ProgramFileIsHeldRunningWhileItRuns) {
  std::string host;
  ASSERT_TRUE(emu::ToHostPath("Z:\\bin\\sleep", host));
  const int pid = emu::LaunchProgram("Z:\\bin\\sleep", "sleep 0.5", "C:\\");
  ASSERT_GT(pid, 0) << platform::LastError();
  emu::HoldKind kind = emu::HoldKind::Open;
  EXPECT_TRUE(emu::FindHold(host, kind));
  EXPECT_EQ(kind, emu::HoldKind::Running);
  EXPECT_EQ(emu::WaitForProgram(pid), 0);
  EXPECT_FALSE(emu::FindHold(host, kind));
}

TEST_F(LaunchTest, ProgramLearnsItsWorldAndGetsItsArguments) {
  const std::string out = root_ + "/world.txt";
  const int stray = open("/dev/null", O_RDONLY);  // inherited unless the launch closes it
  ASSERT_GE(stray, 3);
  const std::string script = "printf '%s\\n' \"$PTV_MACHINE\" \"$PTV_PROGRAM\" \"$PTV_CURRENT_FOLDER\" "
                             "\"$(pwd -P)\" \"$1\" \"$2\" > \"$0\"; "
                             "[ \"$(readlink /proc/$$/fd/" +
                             std::to_string(stray) + ")\" = /dev/null ] && exit 9; exit 4";
  const std::string commandLine = emu::JoinCommandLine("sh", {"-c", script, out, "two words", "quo\"te\\"});
  const std::string folder = "C:\\users\\" + emu::Settings().userName;
  const int pid = emu::LaunchProgram("Z:\\bin\\sh", commandLine, folder);
  close(stray);
  ASSERT_GT(pid, 0) << platform::LastError();
  EXPECT_EQ(emu::WaitForProgram(pid), 4);

  std::string hostFolder;
  ASSERT_TRUE(emu::ToHostPath(folder, hostFolder));
  char resolved[PATH_MAX];
  ASSERT_NE(realpath(hostFolder.c_str(), resolved), nullptr);
  std::istringstream lines(FileText(out));
  Strings seen;
  for (std::string line; std::getline(lines, line);) seen.push_back(line);
  EXPECT_EQ(seen, (Strings{machine_, "Z:\\bin\\sh", folder, resolved, "two words", "quo\"te\\"}));
}

TEST_F(LaunchTest, StartFailuresGiveMinusOneAndTheReason) {
  const struct {
    const char* program;
    const char* folder;
    std::uint32_t error;
  } cases[] = {
      {"C:\\windows\\missing.exe", "C:\\", platform::kErrFileNotFound},
      {"C:\\windows", "C:\\", platform::kErrAccessDenied},
      {"Z:\\bin\\true", "C:\\no such folder", platform::kErrDirectory},
      {"Q:\\tool.exe", "C:\\", platform::kErrPathNotFound},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.program);
    platform::SetLastError(0);
    EXPECT_EQ(emu::LaunchProgram(c.program, c.program, c.folder), -1);
    EXPECT_EQ(platform::LastError(), c.error);
  }
}

TEST_F(LaunchTest, ExitStatusComesBack) {
  for (int status : {0, 1, 3, 200}) {
    const int pid = emu::LaunchProgram("Z:\\bin\\sh", "sh -c \"exit " + std::to_string(status) + "\"", "C:\\");
    ASSERT_GT(pid, 0);
    EXPECT_EQ(emu::WaitForProgram(pid), status);
  }
  const int killed = emu::LaunchProgram("Z:\\bin\\sh", "sh -c \"kill -9 $$\"", "C:\\");
  ASSERT_GT(killed, 0);
  EXPECT_EQ(emu::WaitForProgram(killed), -1);
}

}  // namespace
