// What the pages show and store, on the emulated machine: the version line,
// the agreement, the install mode, the program group and its options, and
// the frame's installation step as the transcript records it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/ui.h"
#include "wizard_run.h"

namespace {

using wizard_test::RunWizard;
using wizard_test::WizardRun;
using wizard_test::WizardSetup;

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  for (const std::string& l : lines) {
    if (l == line) return true;
  }
  return false;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

WizardRun Scripted(const std::vector<std::string>& script, void (*adjust)(WizardSetup&) = nullptr) {
  WizardSetup setup;
  setup.state = wizard_test::NewInstallState();
  setup.script = script;
  if (adjust) adjust(setup);
  WizardRun run = RunWizard(setup);
  EXPECT_EQ(run.status, 0) << run.transcript;
  return run;
}

TEST(WelcomePage, ShowsTheVersionBeingInstalledAgainAfterBack) {
  const WizardRun run = Scripted({"enter", "press 3", "esc", "yes"}, [](WizardSetup& s) { s.state.m_ver = {6, 2, 1, 3}; });
  ASSERT_EQ(run.waits.size(), 3u);
  const std::string line =
      "text 1003 \"Pictavo ver. 6.02.01 Beta 3\\nCopyright (c) Lumetra. All rights reserved.\\nPictavo is a "
      "trademark of Lumetra.\"";
  EXPECT_EQ(Lines(run.waits[0].page), Lines({
      "text \"Welcome to Pictavo Setup! This program will install Pictavo on your computer.\"",
      "text \"Please click the \\\"Next >\\\" button to continue setup, or \\\"Cancel\\\" button to abort.\"",
      line,
      "text \"http://www.lumetra.com\"",
  }));
  EXPECT_TRUE(Has(run.waits[2].page, line));
}

struct AgreementCase {
  const char* name;
  bool present;
  std::string content;
  const char* shown;
};

const AgreementCase kAgreements[] = {
    {"from_its_first_line_unselected", true, "LICENCE\r\nLine two.\r\n", "edit 1000 \"LICENCE\\r\\nLine two.\\r\\n\""},
    {"missing_file", false, "", "edit 1000 \"\""},
    {"empty_file", true, "", "edit 1000 \"\""},
    {"up_to_a_zero_byte", true, std::string("Before\0after", 12), "edit 1000 \"Before\""},
};

class AgreementPage : public ::testing::TestWithParam<AgreementCase> {};

TEST_P(AgreementPage, ShowsTheFileAsItIs) {
  const AgreementCase& c = GetParam();
  WizardSetup setup;
  setup.state = wizard_test::NewInstallState();
  setup.script = {"enter", "enter", "esc", "yes"};
  setup.agreement = c.content;
  if (!c.present) setup.prepare = [] { platform::DeleteFileAt("C:\\Package\\agreement.txt"); };
  const WizardRun run = RunWizard(setup);
  ASSERT_EQ(run.status, 0) << run.transcript;
  ASSERT_GE(run.waits.size(), 2u);
  EXPECT_EQ(Lines(run.waits[1].page), Lines({c.shown, "text \"Do you accept this agreement?\""}));
  EXPECT_EQ(run.result, platform::kIdCancel);
}

INSTANTIATE_TEST_SUITE_P(Files, AgreementPage, ::testing::ValuesIn(kAgreements),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FolderPage, ShowsTheModeAndFolderAndStoresTheModeEitherWay) {
  // All users preselected; current user chosen, then Back stores it.
  WizardRun run = Scripted({"enter", "enter", "choose 1001", "press 3", "esc", "yes"},
                      [](WizardSetup& s) { s.state.m_bAllUsers = 1; });
  ASSERT_GE(run.waits.size(), 3u);
  EXPECT_TRUE(Has(run.waits[2].page, "radio button 1002 \"Install for All Users of this computer (you should be an "
                                     "Administrator to install that way)\" checked"))
      << Lines(run.waits[2].page);
  EXPECT_TRUE(Has(run.waits[2].page, "text 1013 \"C:\\\\Program Files\\\\Pictavo 6\""));
  EXPECT_TRUE(Has(run.waits[2].page,
                  "text 1006 \"To install into a different folder, Click Browse, and select another one.\""));
  EXPECT_EQ(run.state.m_bAllUsers, 0);
  // And Next stores all users.
  run = Scripted({"enter", "enter", "choose 1002", "enter", "esc", "yes"});
  EXPECT_EQ(run.state.m_bAllUsers, 1);
}

TEST(GroupPage, StoresTrimmedEntriesAndShowsThemAfterBack) {
  const WizardRun run = Scripted({"enter", "enter", "enter", "type 1000 \"  My Group \"", "untick 1009", "tick 1008",
                             "press 1", "press 3", "enter", "enter", "enter"});
  ASSERT_EQ(run.waits.size(), 11u);
  EXPECT_EQ(Lines(run.waits[3].page), Lines({
      "text \"Enter the name of the Program Manager group to add Pictavo icons to:\"",
      "check box 1008 \"Auto-start Pictavo when Windows starts\"",
      "check box 1009 \"Add Pictavo icon to the desktop\" checked",
      "edit 1000 \"Pictavo 6\"",
  }));
  // Back from the ready page: a new page with what was stored.
  EXPECT_EQ(Lines(run.waits[8].page), Lines({
      "text \"Enter the name of the Program Manager group to add Pictavo icons to:\"",
      "check box 1008 \"Auto-start Pictavo when Windows starts\" checked",
      "check box 1009 \"Add Pictavo icon to the desktop\"",
      "edit 1000 \"My Group\"",
  }));
  EXPECT_EQ(run.state.m_strGroup, "My Group");
  EXPECT_EQ(run.state.m_bAutoStart, 1);
  EXPECT_EQ(run.state.m_bDeskIcon, 0);
  EXPECT_EQ(run.installations, 1);
}

TEST(GroupPage, RefusesTheStartupFolderInAnyCase) {
  const WizardRun run = Scripted({"enter", "enter", "enter", "type 1000 STARTUP", "enter", "ok", "type 1000 \" startup \"",
                             "press 3", "ok", "type 1000 Tools\\Startup", "enter", "esc", "yes"});
  const std::string refusal = "Error: Can not install shortcuts into this group, please select a different name.";
  EXPECT_EQ(run.boxes, (std::vector<std::string>{refusal, refusal, "Do you really want to cancel Pictavo setup?"}));
  EXPECT_EQ(run.state.m_strGroup, "Tools\\Startup");
}

TEST(InstallationStep, PaintsThePleaseWaitLineFirstAndShowsTheFinishPage) {
  const WizardRun run = Scripted({"enter", "enter", "enter", "enter", "enter", "enter"});
  const std::string from =
      "operator: enter\n"
      "dialog 108 text 1010 hidden\n"
      "dialog 108 text 1011 hidden\n"
      "dialog 108 text 1009 shown\n"
      "dialog 108 \"\" repainted\n";
  const std::size_t start = run.transcript.rfind(from);
  ASSERT_NE(start, std::string::npos) << run.transcript;
  const std::string expected = from +
      "  text 1010 \"You are now ready to install Pictavo.\" hidden\n"
      "  text 1011 \"Press the Next button to begin the installation or the Back button to change your selections.\" hidden\n"
      "  text 1009 \"Installing Pictavo, please wait...\"\n"
      "  check box 1012 \"Run Pictavo\" hidden\n"
      "dialog 103 button 3 disabled\n"
      "dialog 103 button 1 disabled\n"
      "dialog 103 button 2 disabled\n"
      "cursor wait\n" +
      std::string(wizard_test::kInstallationMark) + "\n"
      "cursor arrow\n"
      "dialog 103 button 1 enabled\n"
      "dialog 103 button 1 text \"&Finish >\"\n"
      "dialog 108 text 1009 hidden\n"
      "dialog 108 check box 1012 shown\n"
      "dialog 108 text 1010 text \"Pictavo 6 has been successfully installed.\"\n"
      "dialog 108 text 1011 text \"Press the Finish button to exit this installation.\"\n"
      "dialog 108 text 1010 shown\n"
      "dialog 108 text 1011 shown\n";
  EXPECT_EQ(run.transcript.substr(start, expected.size()), expected);
  ASSERT_EQ(run.waits.size(), 6u);
  EXPECT_EQ(Lines(run.waits[5].page), Lines({
      "text 1010 \"Pictavo 6 has been successfully installed.\"",
      "text 1011 \"Press the Finish button to exit this installation.\"",
      "text 1009 \"Installing Pictavo, please wait...\" hidden",
      "check box 1012 \"Run Pictavo\"",
  }));
}

TEST(CancelQuestion, IsOwnedByTheWizardWithNoPreselected) {
  const WizardRun run = Scripted({"esc", "yes"});
  const std::string box =
      "  caption: Pictavo Setup\n"
      "  text:\n"
      "    Do you really want to cancel Pictavo setup?\n"
      "  buttons: Yes/No\n"
      "  icon: question\n"
      "  default button: 2\n"
      "  owner: dialog 103 \"Pictavo Setup\"\n"
      "  answer: yes\n";
  EXPECT_NE(run.transcript.find(box), std::string::npos) << run.transcript;
}

}  // namespace

namespace {

struct ScriptFault {
  const char* name;
  std::vector<std::string> script;
  const char* note;  // the transcript's last line
};

const ScriptFault kScriptFaults[] = {
    {"no_command_left", {"enter"},
     "no operator command for dialog 103 \"Please accept the License Agreement\"; the program ends with status 4"},
    {"an_answer_where_a_command_belongs", {"yes"},
     "operator command \"yes\" for dialog 103: \"yes\" is not a dialog command; the program ends with status 4"},
    {"no_such_control", {"press 4711"},
     "operator command \"press 4711\": no such control in dialog 103; the program ends with status 4"},
    {"no_folder_chooser_open", {"browse ok"},
     "operator command \"browse ok\": no folder chooser is open; the program ends with status 4"},
    {"a_command_where_the_chooser_waits", {"enter", "enter", "press 1005", "enter"},
     "operator command \"enter\": the folder chooser is open; the program ends with status 4"},
};

class OperatorScript : public ::testing::TestWithParam<ScriptFault> {};

TEST_P(OperatorScript, EndsTheProgramWhenItCannotGoOn) {
  const ScriptFault& c = GetParam();
  WizardSetup setup;
  setup.state = wizard_test::NewInstallState();
  setup.script = c.script;
  const WizardRun run = RunWizard(setup);
  EXPECT_EQ(run.status, 4);
  const std::string last = run.transcript.substr(run.transcript.rfind('\n', run.transcript.size() - 2) + 1);
  EXPECT_EQ(last, std::string(c.note) + "\n");
  EXPECT_EQ(run.transcript.find(wizard_test::kInstallationMark), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Faults, OperatorScript, ::testing::ValuesIn(kScriptFaults),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
