// A target in use, replaced at the machine's next restart, on a machine with
// the restart-time facility and on one with WININIT.INI only: afterwards the
// new file is in place and no side file is left.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/file_copy.h"
#include "install_fixture.h"
#include "platform/emulated/machine/machine.h"
#include "platform/files.h"
#include "temporary_machine.h"

namespace install_tests {
namespace {

struct InUseCase {
  const char* name;
  bool pendingRenames;
  emu::HoldKind hold;
  int result;                        // of CopyOneFile while the target is held
  std::vector<std::string> pending;  // side files present before the restart
};

const InUseCase kCases[] = {
    {"RunningProgramMovedAside", true, emu::HoldKind::Running, 1, {"Ptav6.exe.old"}},
    {"OpenFileReplacedAtRestart", true, emu::HoldKind::Open, 0, {"Ptav6.exe.new"}},
    {"RunningProgramMovedAsideWininit", false, emu::HoldKind::Running, 1, {"Ptav6.exe.old"}},
    {"OpenFileReplacedAtRestartWininit", false, emu::HoldKind::Open, 0, {"Ptav6.exe.new"}},
};

class InUseRestartTest : public ::testing::TestWithParam<InUseCase> {};

std::string Content(const std::string& path) {
  std::string content;
  return platform::ReadWholeFile(path, content) ? content : "<missing>";
}

TEST_P(InUseRestartTest, NewFileInPlaceAndNoSideFileLeft) {
  const InUseCase& c = GetParam();
  emu::MachineSettings settings;
  settings.pendingRenames = c.pendingRenames;
  test_support::TemporaryMachine machine(settings);
  ASSERT_TRUE(machine.Ready());
  ASSERT_TRUE(platform::CreateFolder("C:\\pkg") && platform::CreateFolder("C:\\inst"));
  ASSERT_TRUE(platform::WriteWholeFile("C:\\pkg\\Ptav6.exe", "new"));
  ASSERT_TRUE(platform::WriteWholeFile("C:\\inst\\Ptav6.exe", "old"));

  {
    emu::FileHold hold = emu::HoldFile("C:\\inst\\Ptav6.exe", c.hold);
    ASSERT_TRUE(hold.Held());
    EXPECT_EQ(CopyOneFile("Ptav6.exe", "C:\\pkg", "C:\\inst", ""), c.result);
    for (const std::string& side : c.pending) EXPECT_TRUE(platform::PathExists("C:\\inst\\" + side)) << side;
    // Where the operations went.
    EXPECT_EQ(PendingOperations().empty(), !c.pendingRenames);
    EXPECT_EQ(RenameEntries().empty(), c.pendingRenames);
  }

  std::vector<std::string> done;
  std::string error;
  ASSERT_TRUE(emu::CarryOutRestartOperations(done, error)) << error;
  EXPECT_EQ(Content("C:\\inst\\Ptav6.exe"), "new");
  for (const char* side : {".old", ".old2", ".new"}) {
    EXPECT_FALSE(platform::PathExists(std::string("C:\\inst\\Ptav6.exe") + side)) << side;
  }
  for (const std::string& line : done) EXPECT_EQ(line.find("not done"), std::string::npos) << line;
  EXPECT_TRUE(PendingOperations().empty());
  EXPECT_TRUE(RenameEntries().empty());
}

INSTANTIATE_TEST_SUITE_P(CopyOneFile, InUseRestartTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<InUseCase>& info) { return info.param.name; });

}  // namespace
}  // namespace install_tests
