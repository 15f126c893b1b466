// The machine tool: its errors, the registry round trip, programs run with
// scripted answers, holds and the restart-time operations.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "machine_created_fixture.h"
#include "platform/emulated/machine/processes.h"
#include "platform/emulated/machine/registry.h"
#include "platform/process_control.h"
#include "platform/window.h"
#include "tool_runner.h"

namespace {

using Strings = std::vector<std::string>;

class ToolTest : public CreatedMachineTest {
 protected:
  void SetUp() override {
    CreatedMachineTest::SetUp();
    machine_ = root_ + "/machine";
    const ToolResult created = Tool({"create", machine_, "--user", "Tess", "--standard-user"});
    ASSERT_EQ(created.status, 0) << created.err;
    emu::UseMachine(machine_);
  }

  ToolResult Tool(const Strings& args) { return RunTool(args, root_); }

  std::string Host(const std::string& relative) const { return machine_ + "/drives/c/" + relative; }
  void WriteHost(const std::string& relative, const std::string& content) {
    std::ofstream(Host(relative), std::ios::binary) << content;
  }
};

TEST_F(ToolTest, BadInvocationsFailWithAMessage) {
  std::ofstream(root_ + "/bad.reg") << "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\X]\n\"v\"=nonsense\n";
  const std::string missing = root_ + "/no-machine";
  const struct {
    Strings args;
    int status;
    std::string message;
  } cases[] = {
      {{}, 2, "usage: emumachine"},
      {{"frobnicate", machine_}, 2, "unknown command \"frobnicate\""},
      {{"show"}, 2, "no machine folder given"},
      {{"show", missing}, 1, "no machine in " + missing},
      {{"create", machine_}, 1, "not empty"},
      {{"create", root_ + "/m2", "--codepage", "437"}, 2, "code page 437"},
      {{"create", root_ + "/m2", "--admin"}, 2, "unknown option --admin"},
      {{"create", root_ + "/m2", "--windows-folder"}, 2, "--windows-folder needs"},
      {{"create", root_ + "/m2", "--windows-folder", "Z:\\Windows"}, 1, "unusable Windows folder"},
      {{"answer", machine_, "maybe"}, 2, "\"maybe\" is not an answer"},
      {{"answer", machine_}, 2, "no answer given"},
      {{"answers", machine_, "--all"}, 2, "--clear"},
      {{"transcript", missing}, 1, "no machine in"},
      {{"reg", machine_}, 2, "export, import, query, set or delete"},
      {{"reg", machine_, "merge", "x"}, 2, "unknown action \"merge\""},
      {{"reg", machine_, "import", root_ + "/none.reg"}, 1, "cannot read"},
      {{"reg", machine_, "import", root_ + "/bad.reg"}, 1, "line 4"},
      {{"reg", machine_, "query", "HKXX\\Software"}, 1, "\"HKXX\" is not a registry root"},
      {{"reg", machine_, "query", "HKLM\\SOFTWARE\\Nothing", "v"}, 1, "does not exist"},
      {{"reg", machine_, "set", "HKCU\\Software\\T", "v", "dword", "12x"}, 2, "\"12x\" is not a dword number"},
      {{"reg", machine_, "set", "HKCU\\Software\\T", "v", "dword", "0x100000000"}, 2, "not a dword number"},
      {{"reg", machine_, "set", "HKCU\\Software\\T", "v", "binary", "0g"}, 2, "hex digits"},
      {{"reg", machine_, "set", "HKCU\\Software\\T", "v", "text", "x"}, 2, "unknown type \"text\""},
      {{"reg", machine_, "set", "HKCU\\Software\\T", "v", "sz"}, 2, "give KEY VALUE TYPE DATA"},
      {{"reg", machine_, "delete", "HKLM"}, 1, "cannot be deleted"},
      {{"reg", machine_, "delete", "HKCU\\Software\\Nothing"}, 1, "does not exist"},
      {{"run", machine_, "C:\\windows\\missing.exe"}, 125, "cannot start C:\\windows\\missing.exe"},
      {{"run", machine_, "--cwd"}, 125, "--cwd needs"},
      {{"run", machine_}, 125, "no program given"},
      {{"run", missing, "/bin/true"}, 125, "no machine in"},
      {{"hold", machine_, "C:\\windows\\missing.txt"}, 1, "cannot hold C:\\windows\\missing.txt"},
      {{"hold", machine_}, 2, "no PATH given"},
      {{"ls", machine_, "C:\\nowhere"}, 1, "C:\\nowhere does not exist"},
      {{"show", machine_, "--depth", "deep"}, 2, "--depth"},
      {{"restart", machine_, "now"}, 2, "unexpected argument now"},
  };
  for (const auto& c : cases) {
    std::string shown;
    for (const std::string& arg : c.args) shown += " " + arg;
    SCOPED_TRACE(shown);
    const ToolResult result = Tool(c.args);
    EXPECT_EQ(result.status, c.status);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
}

TEST_F(ToolTest, RegistryValuesSurviveExportDeleteImport) {
  const std::string key = "HKLM\\SOFTWARE\\Lumetra\\Pictavo 6";
  const struct {
    Strings set;  // VALUE TYPE DATA...
    const char* shown;  // reg query's line
  } values[] = {
      {{"Path", "sz", "C:\\Program Files\\Pictavo 6"}, "Path    REG_SZ    C:\\Program Files\\Pictavo 6"},
      {{"@", "sz", "default"}, "@    REG_SZ    default"},
      {{"Expand", "expand_sz", "%TEMP%\\x"}, "Expand    REG_EXPAND_SZ    %TEMP%\\x"},
      {{"Count", "dword", "42"}, "Count    REG_DWORD    0x2a"},
      {{"Big", "qword", "0x100000000"}, "Big    REG_QWORD    0x100000000"},
      {{"Bytes", "binary", "01,ff,2A"}, "Bytes    REG_BINARY    01 ff 2a"},
      {{"List", "multi_sz", "a\\0b", "c d"}, "List    REG_MULTI_SZ    a\\0b\\0c d"},
  };
  for (const auto& value : values) {
    Strings args = {"reg", machine_, "set", key};
    args.insert(args.end(), value.set.begin(), value.set.end());
    const ToolResult set = Tool(args);
    ASSERT_EQ(set.status, 0) << set.err;
  }
  const ToolResult exported = Tool({"reg", machine_, "export", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra"});
  ASSERT_EQ(exported.status, 0) << exported.err;
  EXPECT_EQ(exported.out.rfind("REGEDIT4\n", 0), 0u) << exported.out;
  std::ofstream(root_ + "/saved.reg") << exported.out;

  ASSERT_EQ(Tool({"reg", machine_, "delete", "HKLM\\SOFTWARE\\Lumetra"}).status, 0);
  EXPECT_EQ(Tool({"reg", machine_, "query", key, "Path"}).status, 1);
  const ToolResult imported = Tool({"reg", machine_, "import", root_ + "/saved.reg"});
  ASSERT_EQ(imported.status, 0) << imported.err;

  for (const auto& value : values) {
    const ToolResult query = Tool({"reg", machine_, "query", key, value.set[0]});
    EXPECT_EQ(query.status, 0) << query.err;
    EXPECT_EQ(query.out, std::string(value.shown) + "\n");
  }
  EXPECT_EQ(Tool({"reg", machine_, "delete", key, "Count"}).status, 0);
  EXPECT_EQ(Tool({"reg", machine_, "query", key, "Count"}).status, 1);
  EXPECT_EQ(Tool({"reg", machine_, "query", key, "Path"}).status, 0);
}

TEST_F(ToolTest, RunPassesAnswersAndEndsAtAnUnansweredBox) {
  char self[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  ASSERT_GT(length, 0);
  self[length] = '\0';
  ASSERT_EQ(Tool({"answer", machine_, "YES"}).status, 0);
  EXPECT_EQ(Tool({"answers", machine_}).out, "yes\n");

  // The helper shows the same Yes/No box twice; only one answer is queued.
  const ToolResult run = Tool({"run", machine_, self, "--box-helper", "0x24", "Pictavo Setup", "Go on?", "2"});
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_EQ(run.out, "6\n");
  EXPECT_EQ(run.err, "no scripted answer for message box: Pictavo Setup: Go on?\n");

  const ToolResult transcript = Tool({"transcript", machine_});
  ASSERT_EQ(transcript.status, 0);
  const std::size_t first = transcript.out.find("  answer: yes\n");
  EXPECT_NE(first, std::string::npos) << transcript.out;
  EXPECT_NE(transcript.out.find("  answer: none", first), std::string::npos) << transcript.out;
  EXPECT_NE(transcript.out.find("  program: " + emu::ToWindowsPath(self) + "\n"), std::string::npos)
      << transcript.out;

  EXPECT_EQ(Tool({"run", machine_, "--cwd", "C:\\windows", "Z:\\bin\\sh", "-c", "exit 42"}).status, 42);
  ASSERT_EQ(Tool({"answer", machine_, "ok", "no"}).status, 0);
  ASSERT_EQ(Tool({"answers", machine_, "--clear"}).status, 0);
  EXPECT_EQ(Tool({"answers", machine_}).out, "");
}

TEST_F(ToolTest, HoldLastsUntilStdinClosesOrASignalArrives) {
  WriteHost("windows/held.dll", "x");
  const std::string host = Host("windows/held.dll");
  const struct {
    const char* label;
    int signal;  // 0: close stdin instead
    bool running;
  } ends[] = {{"stdin closed", 0, false}, {"SIGTERM", SIGTERM, true}, {"SIGINT", SIGINT, false}};
  for (const auto& end : ends) {
    SCOPED_TRACE(end.label);
    int input[2];
    int output[2];
    ASSERT_EQ(pipe(input), 0);
    ASSERT_EQ(pipe(output), 0);
    const pid_t pid = fork();
    if (pid == 0) {
      dup2(input[0], 0);
      dup2(output[1], 1);
      close(input[1]);
      close(output[0]);
      if (end.running) {
        execl(EMUMACHINE_PROGRAM, EMUMACHINE_PROGRAM, "hold", machine_.c_str(), "C:\\WINDOWS\\Held.dll",
              "--running", static_cast<char*>(nullptr));
      } else {
        execl(EMUMACHINE_PROGRAM, EMUMACHINE_PROGRAM, "hold", machine_.c_str(), "C:\\WINDOWS\\Held.dll",
              static_cast<char*>(nullptr));
      }
      _exit(127);
    }
    close(input[0]);
    close(output[1]);
    char said[16] = {0};
    ASSERT_EQ(read(output[0], said, 8), 8);
    EXPECT_STREQ(said, "holding\n");
    emu::HoldKind kind;
    ASSERT_TRUE(emu::FindHold(host, kind));
    EXPECT_EQ(kind, end.running ? emu::HoldKind::Running : emu::HoldKind::Open);
    if (end.signal != 0) kill(pid, end.signal);
    close(input[1]);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    close(output[0]);
    EXPECT_FALSE(emu::FindHold(host, kind));
  }
}

TEST_F(ToolTest, RestartCarriesOutScheduledOperationsInOrder) {
  std::filesystem::create_directories(Host("app"));
  WriteHost("app/old.dll", "old");
  WriteHost("app/old.dll.new", "new");
  WriteHost("app/gone.txt", "x");
  WriteHost("app/a.ini", "a");
  WriteHost("app/b.ini", "b");
  WriteHost("app/taken.ini", "taken");
  const std::string sessionManager = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager";
  ASSERT_EQ(Tool({"reg", machine_, "set", sessionManager, "PendingFileRenameOperations", "multi_sz",
                  "\\??\\C:\\app\\old.dll", "", "\\??\\C:\\app\\old.dll.new", "\\??\\C:\\app\\old.dll",
                  "\\??\\C:\\app\\b.ini", "\\??\\C:\\app\\taken.ini"})
                .status,
            0);
  WriteHost("windows/WININIT.INI",
            "[Settings]\nkeep=1\n[rename]\nNUL=C:\\app\\gone.txt\nC:\\app\\moved.ini=C:\\app\\a.ini\n[Other]\nx=y\n");

  const ToolResult restart = Tool({"restart", machine_});
  ASSERT_EQ(restart.status, 0) << restart.err;
  EXPECT_EQ(restart.out,
            "deleted C:\\app\\old.dll\n"
            "renamed C:\\app\\old.dll.new to C:\\app\\old.dll\n"
            "not done: rename C:\\app\\b.ini to C:\\app\\taken.ini: the target exists\n"
            "deleted C:\\app\\gone.txt\n"
            "renamed C:\\app\\a.ini to C:\\app\\moved.ini\n");
  EXPECT_EQ(FileText(Host("app/old.dll")), "new");
  EXPECT_EQ(FileText(Host("app/moved.ini")), "a");
  EXPECT_EQ(FileText(Host("app/taken.ini")), "taken");
  EXPECT_FALSE(std::filesystem::exists(Host("app/gone.txt")));
  EXPECT_EQ(FileText(Host("windows/WININIT.INI")), "[Settings]\nkeep=1\n[Other]\nx=y\n");
  EXPECT_EQ(Tool({"reg", machine_, "query", sessionManager, "PendingFileRenameOperations"}).status, 1);
  EXPECT_EQ(Tool({"restart", machine_}).out, "nothing to do at restart\n");
}

TEST_F(ToolTest, CreateTakesAnotherWindowsFolder) {
  const std::string other = root_ + "/winnt";
  const ToolResult created = Tool({"create", other, "--windows-folder", "D:\\WINNT"});
  ASSERT_EQ(created.status, 0) << created.err;
  EXPECT_NE(created.out.find("in D:\\WINNT"), std::string::npos) << created.out;
  EXPECT_TRUE(IsHostFolder(other + "/drives/d/WINNT/system32"));
  EXPECT_NE(Tool({"show", other}).out.find("Windows: 32-bit, in D:\\WINNT"), std::string::npos);
}

TEST_F(ToolTest, ShowAndLsTellWhatTheMachineHolds) {
  WriteHost("windows/setup.log", "12345");
  const ToolResult ls = Tool({"ls", machine_, "c:\\WINDOWS"});
  ASSERT_EQ(ls.status, 0) << ls.err;
  EXPECT_NE(ls.out.find("           5  setup.log\n"), std::string::npos) << ls.out;
  EXPECT_NE(ls.out.find("<DIR>  system32\n"), std::string::npos) << ls.out;

  const ToolResult show = Tool({"show", machine_});
  ASSERT_EQ(show.status, 0) << show.err;
  for (const char* expected :
       {"  user: Tess\n", "  administrator: no\n", "  windows\\\n",
        "  Common Startup     C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\n",
        "  Desktop            C:\\users\\Tess\\Desktop\n", "  ProgramFilesDir    C:\\Program Files\n"}) {
    EXPECT_NE(show.out.find(expected), std::string::npos) << expected << "\n" << show.out;
  }
}

TEST_F(ToolTest, PsAndWindowsListTheLiveProcessesAndTheirWindows) {
  std::uint32_t id = 0;
  const int pid = emu::LaunchProgram("Z:\\bin\\sleep", "sleep 30", "C:\\", &id);
  ASSERT_GT(pid, 0);
  platform::WindowHandle window = platform::CreatePlainWindow("Pictavo 6 - listed", 0, platform::kWsExToolWindow, nullptr);
  ASSERT_NE(window, nullptr);
  const ToolResult ps = Tool({"ps", machine_});
  ASSERT_EQ(ps.status, 0) << ps.err;
  EXPECT_NE(ps.out.find(std::to_string(id) + " Z:\\bin\\sleep\n"), std::string::npos) << ps.out;
  const ToolResult windows = Tool({"windows", machine_});
  ASSERT_EQ(windows.status, 0) << windows.err;
  EXPECT_NE(windows.out.find("process " + std::to_string(platform::CurrentProcessId()) +
                             " owner 0x0 exstyle 0x80 \"Pictavo 6 - listed\"\n"),
            std::string::npos)
      << windows.out;
  platform::DestroyPlainWindow(window);
  kill(pid, SIGKILL);
  EXPECT_EQ(emu::WaitForProgram(pid), -1);
  const ToolResult after = Tool({"ps", machine_});
  EXPECT_EQ(after.out.find(" Z:\\bin\\sleep"), std::string::npos) << after.out;
  EXPECT_EQ(Tool({"windows", machine_}).out, "");
}

}  // namespace
