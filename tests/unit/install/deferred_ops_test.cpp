// Operations scheduled for the next restart: the system's facility first,
// the "rename" section of WININIT.INI after it.
#include <string>
#include <vector>

#include "install/deferred_ops.h"
#include "install_fixture.h"

namespace install_tests {
namespace {

class DeferredOpsTest : public InstallTest {};

TEST_F(DeferredOpsTest, TheSystemFacilityTakesThemInOrderAndLeavesWininitAlone) {
  MakeFile("locked.dll", "old");
  MakeFile("locked.dll.new", "new");
  const std::vector<std::string> wininitBefore = RenameEntries();

  EXPECT_NE(ScheduleDelete(At("locked.dll")), 0);
  EXPECT_NE(ScheduleRename(At("locked.dll.new"), At("locked.dll")), 0);

  const std::vector<Operation> expected = {{At("locked.dll"), ""}, {At("locked.dll.new"), At("locked.dll")}};
  EXPECT_EQ(PendingOperationsIn(scratch_.folder()), expected);
  EXPECT_EQ(RenameEntries(), wininitBefore);
}

// The section as other programs left it, restored afterwards.
class RenameSectionTest : public DeferredOpsTest {
 protected:
  void SetUp() override {
    DeferredOpsTest::SetUp();
    saved_ = RenameEntries();
  }
  void TearDown() override {
    Write(saved_);
    DeferredOpsTest::TearDown();
  }
  static void Write(const std::vector<std::string>& entries) {
    std::string list;
    for (const std::string& entry : entries) list += entry + '\0';
    list += '\0';
    if (entries.empty()) list += '\0';
    platform::WriteSettingsSection("rename", list.data(), "WININIT.INI");
  }
  std::vector<std::string> saved_;
};

TEST_F(RenameSectionTest, EveryEntryOfALongSectionStaysAndOursFollowInOrder) {
  // Well over the 16384 bytes the section was once read into, with the
  // key NUL many times over.
  std::vector<std::string> others;
  for (int i = 0; others.size() < 400; ++i) {
    const std::string n = std::to_string(i);
    others.push_back("NUL=C:\\Other Program\\leftover-" + n + ".tmp");
    others.push_back("C:\\Other Program\\tool-" + n + ".exe=C:\\Other Program\\tool-" + n + ".new");
  }
  std::size_t bytes = 0;
  for (const std::string& entry : others) bytes += entry.size() + 1;
  ASSERT_GT(bytes, 16384u);
  Write(others);
  ASSERT_EQ(RenameEntries(), others);

  EXPECT_NE(AppendRenameEntry("NUL", At("Ptav6.exe.old")), 0);
  EXPECT_NE(AppendRenameEntry(At("Ptav6.exe"), At("Ptav6.exe.new")), 0);
  // The same deletion twice is kept twice.
  EXPECT_NE(AppendRenameEntry("NUL", At("Ptav6.exe.old")), 0);

  std::vector<std::string> expected = others;
  expected.push_back("NUL=" + At("Ptav6.exe.old"));
  expected.push_back(At("Ptav6.exe") + "=" + At("Ptav6.exe.new"));
  expected.push_back("NUL=" + At("Ptav6.exe.old"));
  EXPECT_EQ(RenameEntries(), expected);
}

TEST_F(RenameSectionTest, ASectionThatIsNotThereYetIsMade) {
  Write({});
  EXPECT_NE(AppendRenameEntry("NUL", At("a.old")), 0);
  EXPECT_EQ(RenameEntries(), std::vector<std::string>{"NUL=" + At("a.old")});
}

}  // namespace
}  // namespace install_tests
