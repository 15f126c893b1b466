// Programs started on the machine: their command line, their world and
// the hold on their own file.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "machine_created_fixture.h"
#include "platform/emulated/machine/processes.h"
#include "platform/errors.h"
#include "platform/files.h"

namespace {

using Strings = std::vector<std::string>;

// The splitting itself is the program's own (tests/unit/platform); here the
// quoting that the launcher and the machine tool build command lines with.
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

// However the program and its folder are spelled, the program learns their
// full paths, as GetModuleFileNameA and GetCurrentDirectoryA give them.
TEST_F(LaunchTest, ProgramAndFolderPathsAreFullPaths) {
  ASSERT_TRUE(platform::CreateFolder("C:\\Package"));
  ASSERT_TRUE(platform::CreateFolder("C:\\Package\\Sub"));
  const struct {
    const char* program;
    const char* folder;  // "" for the folder of the starting process
    const char* seenProgram;
    const char* seenFolder;
  } cases[] = {
      {"z:/bin/sh", "c:/package", "Z:\\bin\\sh", "C:\\package"},
      {"Z:\\bin\\.\\sh", "C:\\Package\\Sub\\..\\.\\", "Z:\\bin\\sh", "C:\\Package"},
      {"Z:\\usr\\..\\bin\\sh", "Package\\Sub", "Z:\\bin\\sh", "C:\\Package\\Sub"},
      {"\\bin\\sh", "", "C:\\bin\\sh", "C:\\"},
  };
  const std::string out = root_ + "/paths.txt";
  ASSERT_TRUE(platform::SetCurrentFolder("C:\\"));
  ASSERT_EQ(0, mkdir((machine_ + "/drives/c/bin").c_str(), 0755));
  ASSERT_EQ(0, symlink("/bin/sh", (machine_ + "/drives/c/bin/sh").c_str()));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.program);
    const std::string script = "printf '%s\\n' \"$PTV_PROGRAM\" \"$PTV_CURRENT_FOLDER\" > \"$0\"";
    const int pid = emu::LaunchProgram(c.program, emu::JoinCommandLine("sh", {"-c", script, out}), c.folder);
    ASSERT_GT(pid, 0) << platform::LastError();
    EXPECT_EQ(emu::WaitForProgram(pid), 0);
    EXPECT_EQ(FileText(out), std::string(c.seenProgram) + "\n" + c.seenFolder + "\n");
  }
}

// A folder that is a running program's current folder can be neither
// removed nor moved, whether the program knows the machine or not.
TEST_F(LaunchTest, ARunningProgramsCurrentFolderStaysWhereItIs) {
  ASSERT_TRUE(platform::CreateFolder("C:\\Work"));
  const int pid = emu::LaunchProgram("Z:\\bin\\sleep", "sleep 30", "c:\\work");
  ASSERT_GT(pid, 0) << platform::LastError();
  platform::SetLastError(0);
  EXPECT_FALSE(platform::RemoveFolder("C:\\WORK"));
  EXPECT_EQ(platform::LastError(), platform::kErrSharingViolation);
  platform::SetLastError(0);
  EXPECT_FALSE(platform::MoveFileTo("C:\\Work", "C:\\Moved"));
  EXPECT_EQ(platform::LastError(), platform::kErrSharingViolation);
  kill(pid, SIGTERM);
  EXPECT_EQ(emu::WaitForProgram(pid), -1);
  EXPECT_TRUE(platform::MoveFileTo("C:\\Work", "C:\\Moved"));
  EXPECT_TRUE(platform::RemoveFolder("C:\\Moved"));
}

// A program that changes its current folder lets go of the one before.
TEST_F(LaunchTest, TheHeldFolderFollowsTheCurrentFolder) {
  for (const char* folder : {"C:\\One", "C:\\Two"}) ASSERT_TRUE(platform::CreateFolder(folder));
  char self[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  ASSERT_GT(length, 0);
  const std::string program = emu::ToWindowsPath(std::string(self, static_cast<std::size_t>(length)));
  // The helper talks through pipes put in place of our stdin and stdout while it starts.
  int toHelper[2];
  int fromHelper[2];
  ASSERT_EQ(pipe(toHelper), 0);
  ASSERT_EQ(pipe(fromHelper), 0);
  const int savedIn = dup(0);
  const int savedOut = dup(1);
  dup2(toHelper[0], 0);
  dup2(fromHelper[1], 1);
  const int pid = emu::LaunchProgram(program, emu::JoinCommandLine(program, {"--folder-helper"}), "C:\\One");
  dup2(savedIn, 0);
  dup2(savedOut, 1);
  for (int fd : {savedIn, savedOut, toHelper[0], fromHelper[1]}) close(fd);
  ASSERT_GT(pid, 0) << platform::LastError();

  const struct {
    const char* moveTo;  // null: stay in the starting folder
    const char* held;
    const char* free;
  } steps[] = {
      {nullptr, "C:\\One", "C:\\Two"},
      {"c:\\two\n", "C:\\Two", "C:\\One"},
      {"C:\\One\n", "C:\\One", "C:\\Two"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.held);
    if (step.moveTo != nullptr) {
      const std::string line = step.moveTo;
      ASSERT_EQ(write(toHelper[1], line.data(), line.size()), static_cast<ssize_t>(line.size()));
      char answer[2] = {0, 0};
      ASSERT_EQ(read(fromHelper[0], answer, 2), 2);
      ASSERT_EQ(answer[0], '1');
    }
    platform::SetLastError(0);
    EXPECT_FALSE(platform::RemoveFolder(step.held));
    EXPECT_EQ(platform::LastError(), platform::kErrSharingViolation);
    EXPECT_FALSE(platform::MoveFileTo(step.held, "C:\\Moved"));
    const std::string away = std::string(step.free) + " away";
    EXPECT_TRUE(platform::MoveFileTo(step.free, away));
    EXPECT_TRUE(platform::MoveFileTo(away, step.free));
  }
  close(toHelper[1]);
  EXPECT_EQ(emu::WaitForProgram(pid), 0);
  close(fromHelper[0]);
  for (const char* folder : {"C:\\One", "C:\\Two"}) EXPECT_TRUE(platform::RemoveFolder(folder)) << folder;
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
      // Another program holds the file open: as on Windows it can't be started.
      {"C:\\windows\\held.exe", "C:\\", platform::kErrSharingViolation},
  };
  std::filesystem::copy_file("/bin/true", machine_ + "/drives/c/windows/held.exe");
  const emu::FileHold held = emu::HoldFile("C:\\windows\\held.exe", emu::HoldKind::Open);
  ASSERT_TRUE(held.Held());
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
