// Shortcuts made through the shell's link object and recorded in the
// uninstall log; each failing step tried in turn.
#include <string>

#include "install/shortcuts.h"
#include "install_fixture.h"
#include "shortcut_file.h"

namespace install_tests {
namespace {

class ShortcutTest : public InstallTest {
 protected:
  void SetUp() override {
    InstallTest::SetUp();
    MakeFolder("inst");
    MakeFile("inst\\Ptav6.exe", "program");
    MakeFolder("group");
  }
  fixtures::ShortcutFacts Facts(const std::string& name) {
    fixtures::ShortcutFacts facts;
    std::string problem;
    EXPECT_TRUE(fixtures::ReadShortcutFile(Content(name), facts, problem)) << name << ": " << problem;
    return facts;
  }
  std::string Log() { return Exists("inst\\PtvUnInst.log") ? Content("inst\\PtvUnInst.log") : ""; }
};

TEST_F(ShortcutTest, AQuotedTargetLosesItsQuotesAndTheLinkIsLogged) {
  const std::string link = At("group\\Pictavo 6.lnk");
  EXPECT_TRUE(platform::HrSucceeded(CreateShortcut("\"" + At("inst\\Ptav6.exe") + "\"", link, "%APPDATA%")));
  const fixtures::ShortcutFacts facts = Facts("group\\Pictavo 6.lnk");
  EXPECT_EQ(facts.localPath, At("inst\\Ptav6.exe"));
  EXPECT_EQ(facts.description, "");
  EXPECT_TRUE(facts.hasWorkingFolder);
  EXPECT_EQ(facts.workingFolder, "%APPDATA%");
  EXPECT_EQ(Log(), "Shell Link: " + link + "\r\n");
}

TEST_F(ShortcutTest, WithoutAWorkingFolderTheLinkHasNone) {
  EXPECT_TRUE(platform::HrSucceeded(CreateShortcut(At("inst\\readme.txt"), At("group\\Read.lnk"), "")));
  const fixtures::ShortcutFacts facts = Facts("group\\Read.lnk");
  EXPECT_EQ(facts.localPath, At("inst\\readme.txt"));
  EXPECT_FALSE(facts.hasWorkingFolder);
}

TEST_F(ShortcutTest, AnExistingLinkIsOverwritten) {
  ASSERT_TRUE(platform::HrSucceeded(CreateShortcut(At("inst\\one.txt"), At("group\\x.lnk"), "")));
  ASSERT_TRUE(platform::HrSucceeded(CreateShortcut(At("inst\\two.txt"), At("group\\x.lnk"), "")));
  EXPECT_EQ(Facts("group\\x.lnk").localPath, At("inst\\two.txt"));
  EXPECT_EQ(Log(), "Shell Link: " + At("group\\x.lnk") + "\r\nShell Link: " + At("group\\x.lnk") + "\r\n");
}

TEST_F(ShortcutTest, ALinkInAMissingFolderIsNotLogged) {
  EXPECT_FALSE(platform::HrSucceeded(CreateShortcut(At("inst\\Ptav6.exe"), At("nowhere\\x.lnk"), "")));
  EXPECT_FALSE(Exists("nowhere\\x.lnk"));
  EXPECT_EQ(Log(), "");
}

// Each step of the link object failing in turn, over the real ones.
constexpr platform::HResult kNoClass = static_cast<platform::HResult>(0x80040154u);  // REGDB_E_CLASSNOTREG
constexpr platform::HResult kNoInterface = static_cast<platform::HResult>(0x80004002u);  // E_NOINTERFACE
int releasedFiles = 0;
int releasedLinks = 0;

ShortcutSteps CountingSteps() {
  ShortcutSteps steps = PlatformShortcutSteps();
  releasedFiles = releasedLinks = 0;
  steps.releaseFile = [](platform::LinkFile file) {
    ++releasedFiles;
    PlatformShortcutSteps().releaseFile(file);
  };
  steps.releaseLink = [](platform::ShellLink link) {
    ++releasedLinks;
    PlatformShortcutSteps().releaseLink(link);
  };
  return steps;
}

TEST_F(ShortcutTest, NoLinkObjectMeansNoFileNoLineNoMessage) {
  ShortcutSteps steps = CountingSteps();
  steps.createLink = [](platform::ShellLink& link) {
    link = nullptr;
    return kNoClass;
  };
  EXPECT_EQ(CreateShortcut(At("inst\\Ptav6.exe"), At("group\\x.lnk"), "", steps), kNoClass);
  EXPECT_FALSE(Exists("group\\x.lnk"));
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(releasedLinks, 0);
}

TEST_F(ShortcutTest, NoFileInterfaceReleasesTheLinkObject) {
  ShortcutSteps steps = CountingSteps();
  steps.queryFile = [](platform::ShellLink, platform::LinkFile& file) {
    file = nullptr;
    return kNoInterface;
  };
  EXPECT_EQ(CreateShortcut(At("inst\\Ptav6.exe"), At("group\\x.lnk"), "", steps), kNoInterface);
  EXPECT_FALSE(Exists("group\\x.lnk"));
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(releasedLinks, 1);
  EXPECT_EQ(releasedFiles, 0);
}

TEST_F(ShortcutTest, ASaveThatFailsIsReturnedAndNotLogged) {
  ShortcutSteps steps = CountingSteps();
  steps.save = [](platform::LinkFile, const std::string&) { return platform::kHrFail; };
  EXPECT_EQ(CreateShortcut(At("inst\\Ptav6.exe"), At("group\\x.lnk"), "", steps), platform::kHrFail);
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(releasedFiles, 1);
  EXPECT_EQ(releasedLinks, 1);
}

TEST_F(ShortcutTest, AFailingWorkingFolderIsPassedOver) {
  ShortcutSteps steps = CountingSteps();
  steps.setWorkingFolder = [](platform::ShellLink, const std::string&) { return platform::kHrFail; };
  EXPECT_TRUE(platform::HrSucceeded(CreateShortcut(At("inst\\Ptav6.exe"), At("group\\x.lnk"), "%APPDATA%", steps)));
  EXPECT_FALSE(Facts("group\\x.lnk").hasWorkingFolder);
  EXPECT_EQ(Log(), "Shell Link: " + At("group\\x.lnk") + "\r\n");
}

TEST(WithoutSurroundingQuotes, OneQuoteAtEachEndAtMost) {
  EXPECT_EQ(WithoutSurroundingQuotes("\"C:\\a b\\x.exe\""), "C:\\a b\\x.exe");
  EXPECT_EQ(WithoutSurroundingQuotes("\"C:\\x.exe"), "C:\\x.exe");
  EXPECT_EQ(WithoutSurroundingQuotes("C:\\x.exe\""), "C:\\x.exe");
  EXPECT_EQ(WithoutSurroundingQuotes("\"\"x\"\""), "\"x\"");
  EXPECT_EQ(WithoutSurroundingQuotes("\""), "");
  EXPECT_EQ(WithoutSurroundingQuotes(std::string(600, 'a')).size(), 511u);
}

}  // namespace
}  // namespace install_tests
