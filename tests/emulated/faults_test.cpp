// The fault plan: a platform call made to fail with a given Windows error,
// for every process of the machine, so that a test can see the code under
// it handle the failure.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "at_once.h"
#include "machine_created_fixture.h"
#include "platform/emulated/machine/processes.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "tool_runner.h"

namespace {

using platform::LastError;

class FaultPlanTest : public CreatedMachineTest {
 protected:
  void SetUp() override {
    CreatedMachineTest::SetUp();
    Create();
  }
  static void Plan(const std::string& call, const std::string& pattern, std::uint32_t error, int count = -1) {
    std::string problem;
    ASSERT_TRUE(emu::AddFault({call, pattern, error, count}, problem)) << problem;
  }
};

// The restart-time facility fails for an administrator, who could use it.
TEST_F(FaultPlanTest, TheRestartFacilityFailsForAnAdministrator) {
  ASSERT_TRUE(emu::Settings().administrator);
  Plan("MoveFileAtRestart", "", platform::kErrAccessDenied);
  EXPECT_FALSE(platform::MoveFileAtRestart("C:\\old.dll", ""));
  EXPECT_EQ(LastError(), platform::kErrAccessDenied);
  EXPECT_FALSE(platform::MoveFileAtRestart("C:\\a.new", "C:\\a"));
  // Nothing was scheduled, and the settings-file fallback still works.
  EXPECT_EQ(ReadString(platform::RegRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                       "PendingFileRenameOperations"),
            "");
  EXPECT_TRUE(platform::WriteSettingsSection("rename", "NUL=C:\\old.dll\0", "WININIT.INI"));
}

// One folder refuses creation, however it is named; its neighbours don't.
TEST_F(FaultPlanTest, OneFolderRefusesCreation) {
  Plan("CreateFolder", "C:\\Program Files\\Pictavo 6", platform::kErrAccessDenied);
  EXPECT_FALSE(platform::CreateFolder("C:\\Program Files\\Pictavo 6"));
  EXPECT_EQ(LastError(), platform::kErrAccessDenied);
  EXPECT_FALSE(platform::CreateFolder("c:\\program files\\PICTAVO 6\\"));
  ASSERT_TRUE(platform::SetCurrentFolder("C:\\Program Files"));
  EXPECT_FALSE(platform::CreateFolder("Pictavo 6"));
  EXPECT_TRUE(platform::CreateFolder("C:\\Program Files\\Pictavo 7")) << LastError();
  EXPECT_FALSE(platform::PathExists("C:\\Program Files\\Pictavo 6"));
  // Other calls on the same folder are not touched.
  EXPECT_FALSE(platform::RemoveFolder("C:\\Program Files\\Pictavo 6"));
  EXPECT_EQ(LastError(), platform::kErrFileNotFound);
}

// A fault with a count fails that many calls, across all the processes of
// the machine at once, and is gone afterwards.
TEST_F(FaultPlanTest, ACountIsUsedUpOnceAcrossProcesses) {
  constexpr int kProcesses = 8;
  Plan("CreateFolder", "C:\\race\\*", platform::kErrDirNotEmpty, 3);
  ASSERT_TRUE(platform::CreateFolder("C:\\race"));
  std::vector<std::function<Outcome()>> jobs;
  for (int i = 0; i < kProcesses; ++i) {
    jobs.push_back([i] { return Result(platform::CreateFolder("C:\\race\\f" + std::to_string(i))); });
  }
  int failed = 0;
  for (const Outcome& outcome : RunAtOnce(jobs)) {
    if (!outcome.ok) {
      ++failed;
      EXPECT_EQ(outcome.error, platform::kErrDirNotEmpty);
    }
  }
  EXPECT_EQ(failed, 3);
  EXPECT_TRUE(emu::PlannedFaults().empty());
}

// Every area's calls consult the plan: each fails once with the planned
// error and works again afterwards.
TEST_F(FaultPlanTest, EveryAreaConsultsThePlan) {
  ASSERT_TRUE(platform::WriteWholeFile("C:\\file.txt", "x"));
  platform::RegKey software = nullptr;
  ASSERT_TRUE(
      platform::CreateRegKey(platform::RootKey(platform::RegRoot::CurrentUser), "Software\\Lumetra", software));
  const std::uint32_t dword = 1;
  ASSERT_TRUE(platform::SetRegValue(software, "Value", platform::kRegDword, &dword, 4));
  const struct {
    const char* call;
    const char* pattern;
    std::function<bool()> run;
  } kCalls[] = {
      {"CopyFileTo", "C:\\copy.txt", [] { return platform::CopyFileTo("C:\\file.txt", "C:\\copy.txt", false); }},
      {"MoveFileTo", "C:\\file.txt", [] {
         return platform::MoveFileTo("C:\\file.txt", "C:\\moved.txt") &&
                platform::MoveFileTo("C:\\moved.txt", "C:\\file.txt");
       }},
      {"DeleteFileAt", "", [] {
         return platform::WriteWholeFile("C:\\gone.txt", "") && platform::DeleteFileAt("C:\\gone.txt");
       }},
      {"GetAttributes", "*.txt",
       [] { return platform::GetAttributes("C:\\file.txt") != platform::kInvalidAttributes; }},
      {"ReadWholeFile", "", [] { std::string c; return platform::ReadWholeFile("C:\\file.txt", c); }},
      {"WriteWholeFile", "C:\\file.txt", [] { return platform::WriteWholeFile("C:\\file.txt", "x"); }},
      {"FindFirst", "C:\\*", [] {
         platform::FindData found;
         platform::FindHandle find = platform::FindFirst("C:\\*.txt", found);
         platform::FindClose(find);
         return find != nullptr;
       }},
      {"MakeTempFileName", "", [] { return !platform::MakeTempFileName("C:\\", "ptv").empty(); }},
      {"WriteSettingsSection", "*\\WININIT.INI",
       [] { return platform::WriteSettingsSection("rename", "NUL=C:\\x\0", "WININIT.INI"); }},
      {"OpenRegKey", "HKEY_CURRENT_USER\\Software\\Lumetra", [] {
         platform::RegKey key = nullptr;
         const bool opened =
             platform::OpenRegKey(platform::RootKey(platform::RegRoot::CurrentUser), "software\\lumetra", false, key);
         platform::CloseRegKey(key);
         return opened;
       }},
      {"SetRegValue", "HKEY_CURRENT_USER\\Software\\Lumetra\\Value", [&] {
         return platform::SetRegValue(software, "Value", platform::kRegDword, &dword, 4);
       }},
      {"QueryRegValue", "*\\Value", [&] {
         std::uint32_t size = 0;
         return platform::QueryRegValue(software, "Value", nullptr, nullptr, &size);
       }},
      {"LaunchProgram", "Z:\\bin\\true", [] {
         const int pid = emu::LaunchProgram("Z:\\bin\\true", "", "C:\\");
         return pid > 0 && emu::WaitForProgram(pid) == 0;
       }},
  };
  constexpr std::uint32_t kPlanned = 1117;  // ERROR_IO_DEVICE, which nothing here gives by itself
  for (const auto& c : kCalls) {
    Plan(c.call, c.pattern, kPlanned, 1);
    platform::SetLastError(0);
    EXPECT_FALSE(c.run()) << c.call;
    EXPECT_EQ(LastError(), kPlanned) << c.call;
    EXPECT_TRUE(c.run()) << c.call << ": " << LastError();
  }
  platform::CloseRegKey(software);
  EXPECT_TRUE(emu::PlannedFaults().empty());
}

// The tool writes the same plan, for programs run on the machine.
TEST_F(FaultPlanTest, TheToolPlansListsAndClearsFaults) {
  const struct {
    std::vector<std::string> args;
    const char* listed;
  } kFaults[] = {
      {{"CreateFolder", "5"}, "CreateFolder 5 every call\n"},
      {{"CreateFolder", "80", "2"}, "CreateFolder 80 2 more\n"},
      {{"DeleteFileAt", "C:\\Program Files\\*", "32"}, "DeleteFileAt 32 every call on C:\\Program Files\\*\n"},
      {{"SetRegValue", "HKEY_LOCAL_MACHINE\\*", "0x5", "1"}, "SetRegValue 5 1 more on HKEY_LOCAL_MACHINE\\*\n"},
  };
  std::string listed;
  for (const auto& fault : kFaults) {
    std::vector<std::string> args = {"fault", machine_};
    args.insert(args.end(), fault.args.begin(), fault.args.end());
    const ToolResult result = RunTool(args, root_);
    EXPECT_EQ(result.status, 0) << result.err;
    listed += fault.listed;
  }
  EXPECT_EQ(RunTool({"fault", machine_}, root_).out, listed);
  EXPECT_FALSE(platform::DeleteFileAt("C:\\Program Files\\x.txt"));
  EXPECT_EQ(LastError(), platform::kErrSharingViolation);

  const struct {
    std::vector<std::string> args;
    const char* message;
  } kBad[] = {
      {{"fault", machine_, "CreateFolder"}, "give CALL"},
      {{"fault", machine_, "CreateFolder", "C:\\x", "none"}, "not a Windows error number"},
      {{"fault", machine_, "CreateFolder", "5", "0"}, "not a count"},
      {{"fault", machine_, "CreateFolder", "C:\\x", "5", "1", "2"}, "give CALL"},
  };
  for (const auto& bad : kBad) {
    const ToolResult result = RunTool(bad.args, root_);
    EXPECT_EQ(result.status, 2) << bad.message;
    EXPECT_NE(result.err.find(bad.message), std::string::npos) << result.err;
  }
  EXPECT_EQ(RunTool({"fault", machine_, "--clear"}, root_).status, 0);
  EXPECT_TRUE(emu::PlannedFaults().empty());
  EXPECT_TRUE(platform::CreateFolder("C:\\works"));
}

}  // namespace
