// A failing SetPath or SetDescription is told in a message box, even in a
// silent setup, and the shortcut is saved and logged all the same. The
// machine's operator answers the boxes; its transcript shows them.
#include <fstream>
#include <sstream>
#include <string>

#include "install/shortcuts.h"
#include "install_fixture.h"
#include "platform/emulated/machine/faults.h"
#include "platform/emulated/machine/machine.h"

namespace install_tests {
namespace {

std::string Transcript() {
  std::ifstream in(emu::TranscriptPath(emu::MachineFolder()));
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Box(const std::string& text) {
  return "  caption: Pictavo Setup\n  text:\n    " + text +
         "\n  buttons: OK\n  icon: exclamation\n  default button: 1\n  owner: none\n  answer: ok\n";
}

class ShortcutMessageTest : public InstallTest {};

TEST_F(ShortcutMessageTest, FailingPathAndDescriptionAreToldAndTheLinkIsStillMade) {
  MakeFolder("inst");
  std::string error;
  ASSERT_TRUE(emu::AddOperatorAnswers(emu::MachineFolder(), {"ok", "ok"}, error)) << error;
  ShortcutSteps steps = PlatformShortcutSteps();
  steps.setPath = [](platform::ShellLink, const std::string&) { return platform::kHrInvalidArg; };
  steps.setDescription = [](platform::ShellLink, const std::string&) { return platform::kHrFail; };

  EXPECT_TRUE(platform::HrSucceeded(CreateShortcut(At("inst\\Ptav6.exe"), At("x.lnk"), "", steps)));
  EXPECT_TRUE(Exists("x.lnk"));
  EXPECT_EQ(Content("inst\\PtvUnInst.log"), "Shell Link: " + At("x.lnk") + "\r\n");
  const std::string transcript = Transcript();
  const std::size_t path = transcript.find(Box("SetPath failed!"));
  const std::size_t description = transcript.find(Box("SetDescription failed!"));
  EXPECT_NE(path, std::string::npos) << transcript;
  EXPECT_NE(description, std::string::npos) << transcript;
  EXPECT_LT(path, description);
}

// Faults the machine's plan puts on a step come back as that step's HRESULT.
TEST_F(ShortcutMessageTest, PlannedFaultsOfTheLinkObjectAreItsResults) {
  MakeFolder("inst");
  const struct {
    const char* call;
    std::uint32_t error;
  } faults[] = {{"CreateShellLink", 1}, {"QueryLinkFile", 1}, {"SaveLinkFile", 5}};
  for (const auto& planned : faults) {
    SCOPED_TRACE(planned.call);
    std::string error;
    ASSERT_TRUE(emu::AddFault({planned.call, "", planned.error, 1}, error)) << error;
    EXPECT_EQ(CreateShortcut(At("inst\\Ptav6.exe"), At("x.lnk"), ""), platform::HrFromError(planned.error));
    EXPECT_FALSE(Exists("x.lnk"));
    EXPECT_FALSE(Exists("inst\\PtvUnInst.log"));
  }
  EXPECT_TRUE(platform::HrSucceeded(CreateShortcut(At("inst\\Ptav6.exe"), At("x.lnk"), "")));
}

}  // namespace
}  // namespace install_tests
