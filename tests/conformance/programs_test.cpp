// Starting programs without waiting for them, and file operations kept for
// the next restart.
#include <string>

#include "fixture.h"
#include "platform/process.h"
#include "restart_operations.h"

namespace conformance {
namespace {

class ProgramTest : public ScratchTest {};

TEST_F(ProgramTest, AProgramThatIsNotThereIsNotStarted) {
  std::uint32_t processId = 7;
  EXPECT_FALSE(platform::StartProgram("\"" + At("missing.exe") + "\"", scratch_.folder(), processId));
  EXPECT_EQ(platform::LastError(), platform::kErrFileNotFound);
  EXPECT_EQ(processId, 0u);
}

TEST_F(ProgramTest, AProgramStartsInItsFolderAndRunsOnItsOwn) {
  // A copy of this program, told to run no case at all.
  MakeFolder("a folder");
  ASSERT_TRUE(platform::CopyFileTo(platform::ProgramPath(), At("a folder\\child.exe"), false)) << platform::LastError();
  std::uint32_t processId = 0;
  ASSERT_TRUE(platform::StartProgram("\"" + At("a folder\\child.exe") + "\" --gtest_filter=-*", At("a folder"),
                                     processId))
      << platform::LastError();
  EXPECT_NE(processId, 0u);
  // The copy is done when its file can be deleted again.
  for (int i = 0; i < 200 && !platform::DeleteFileAt(At("a folder\\child.exe")); ++i) platform::SleepMilliseconds(50);
}

TEST_F(ProgramTest, RestartOperationsAreKeptInOrder) {
  MakeFile("old.dll", "old");
  MakeFile("old.dll.new", "new");
  ASSERT_TRUE(platform::MoveFileAtRestart(At("old.dll"), "")) << platform::LastError();
  ASSERT_TRUE(platform::MoveFileAtRestart(At("old.dll.new"), At("old.dll"))) << platform::LastError();
  const std::vector<Operation> expected = {{At("old.dll"), ""}, {At("old.dll.new"), At("old.dll")}};
  EXPECT_EQ(PendingOperationsIn(scratch_.folder()), expected);
  // Nothing happens before the restart.
  EXPECT_EQ(Content("old.dll"), "old");
}

}  // namespace
}  // namespace conformance
