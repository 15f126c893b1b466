// The shell: documents that can't be opened, and shortcut files made with
// the shell's link object and read back from their bytes.
#include <string>

#include "fixture.h"
#include "platform/shell.h"
#include "shortcut_file.h"

namespace conformance {
namespace {

class ShellTest : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    ASSERT_TRUE(platform::HrSucceeded(platform::InitializeCom()));
    ASSERT_EQ(platform::InitializeCom(), platform::kHrFalse);  // once is enough
    ASSERT_EQ(platform::CreateShellLink(link_), platform::kHrOk);
    ASSERT_EQ(platform::QueryLinkFile(link_, file_), platform::kHrOk);
  }
  void TearDown() override {
    platform::ReleaseLinkFile(file_);
    platform::ReleaseShellLink(link_);
  }
  platform::ShellLink link_ = nullptr;
  platform::LinkFile file_ = nullptr;
};

TEST_F(ShellTest, ADocumentThatIsNotThereCannotBeOpened) {
  EXPECT_EQ(platform::OpenWithShell(At("missing.txt")), 2);
}

TEST_F(ShellTest, ALinkSavedAndReadBack) {
  MakeFile("target.txt", "target");
  EXPECT_TRUE(platform::HrSucceeded(platform::SetLinkPath(link_, At("target.txt"))));
  EXPECT_EQ(platform::SetLinkDescription(link_, ""), platform::kHrOk);
  EXPECT_EQ(platform::SetLinkWorkingFolder(link_, "%APPDATA%"), platform::kHrOk);
  ASSERT_EQ(platform::SaveLinkFile(file_, At("target.lnk")), platform::kHrOk);

  fixtures::ShortcutFacts facts;
  std::string problem;
  ASSERT_TRUE(fixtures::ReadShortcutFile(Content("target.lnk"), facts, problem)) << problem;
  EXPECT_EQ(facts.localPath, At("target.txt"));
  EXPECT_EQ(facts.description, "");
  EXPECT_TRUE(facts.hasWorkingFolder);
  EXPECT_EQ(facts.workingFolder, "%APPDATA%");
}

TEST_F(ShellTest, ATargetThatIsNotThereIsLinkedAllTheSame) {
  EXPECT_TRUE(platform::HrSucceeded(platform::SetLinkPath(link_, At("later.exe"))));
  ASSERT_EQ(platform::SaveLinkFile(file_, At("later.lnk")), platform::kHrOk);
  fixtures::ShortcutFacts facts;
  std::string problem;
  ASSERT_TRUE(fixtures::ReadShortcutFile(Content("later.lnk"), facts, problem)) << problem;
  EXPECT_EQ(facts.localPath, At("later.exe"));
  EXPECT_FALSE(facts.hasWorkingFolder);
}

TEST_F(ShellTest, SavingFailsWhereNoFileCanBeWritten) {
  MakeFile("target.txt", "target");
  ASSERT_TRUE(platform::HrSucceeded(platform::SetLinkPath(link_, At("target.txt"))));
  EXPECT_EQ(platform::SaveLinkFile(file_, At("missing\\x.lnk")), platform::HrFromError(platform::kErrPathNotFound));
  // A path beyond the 260 characters of the wide buffer.
  EXPECT_EQ(platform::SaveLinkFile(file_, At(std::string(300, 'a') + ".lnk")),
            platform::HrFromError(platform::kErrInsufficientBuffer));
  EXPECT_FALSE(platform::PathExists(At("missing")));
}

}  // namespace
}  // namespace conformance
