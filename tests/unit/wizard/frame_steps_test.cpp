// The wizard frame's steps and transitions, driven by the scripted operator
// on the emulated machine: what the frame shows at every step, where each
// command leads, when the installation runs, and how the wizard ends.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/ui.h"
#include "wizard_run.h"

namespace {

using wizard_test::Frames;
using wizard_test::RunWizard;
using wizard_test::WizardRun;
using wizard_test::WizardSetup;

// The frame as each step shows it (caption | Back | Next | Cancel | picture | page).
const std::string kWelcome =
    R"(Pictavo Setup | "< &Back" hidden | "&Next >" default focused | "Cancel" | picture | page 105 at 141,13)";
const std::string kAgreement =
    R"(Please accept the License Agreement | "< &Back" | "Yes" default focused | "No" | picture hidden | page 104 at 4,4)";
const std::string kFolder =
    R"(Pictavo Setup | "< &Back" | "&Next >" default focused | "Cancel" | picture | page 106 at 141,13)";
const std::string kGroup =
    R"(Pictavo Setup | "< &Back" | "&Next >" default focused | "Cancel" | picture | page 107 at 141,13)";
const std::string kReady =
    R"(Pictavo Setup | "< &Back" | "&Next >" default focused | "Cancel" | picture | page 108 at 141,13)";
const std::string kFinished =
    R"(Pictavo Setup | "< &Back" disabled | "&Finish >" default focused | "Cancel" disabled | picture | page 108 at 141,13)";
// After Back on the folder page the focus is on Back.
const std::string kAgreementFromBack =
    R"(Please accept the License Agreement | "< &Back" default focused | "Yes" | "No" | picture hidden | page 104 at 4,4)";
// After Cancel was pressed and the question answered No.
const std::string kWelcomeAfterNo =
    R"(Pictavo Setup | "< &Back" hidden | "&Next >" | "Cancel" default focused | picture | page 105 at 141,13)";
// With the focus in the group name, Enter still takes Next.
const std::string kGroupTyped =
    R"(Pictavo Setup | "< &Back" | "&Next >" default | "Cancel" | picture | page 107 at 141,13)";
const std::string kFinishedRunTicked =
    R"(Pictavo Setup | "< &Back" disabled | "&Finish >" default | "Cancel" disabled | picture | page 108 at 141,13)";

const char kCancelQuestion[] = "Do you really want to cancel Pictavo setup?";
const char kTooShort[] = "Error: Please enter a valid group name, minimum 3 letters";

constexpr int kOk = platform::kIdOk, kCancel = platform::kIdCancel;

struct Case {
  const char* name;
  std::vector<std::string> script;
  std::vector<std::string> frames;  // at every wait, in order
  int result;
  int installations;
  std::vector<std::string> boxes;
  // "Run Pictavo" after Finish; the run starts with the other value (as
  // "-runafter" may have set it), a cancelled one with 1, which stays.
  int runAfter = 1;
};

const Case kCases[] = {
    {"next_to_finish_with_run_ticked",
     {"press 1", "press 1", "press 1", "press 1", "press 1", "tick 1012", "press 1"},
     {kWelcome, kAgreement, kFolder, kGroup, kReady, kFinished, kFinishedRunTicked},
     kOk, 1, {}},
    {"enter_and_yes_to_finish_without_run",
     {"enter", "enter", "enter", "enter", "enter", "enter"},
     {kWelcome, kAgreement, kFolder, kGroup, kReady, kFinished},
     kOk, 1, {}, 0},
    {"back_from_agreement_and_folder_restores_each_step",
     {"press 1", "press 3", "press 1", "press 1", "press 3", "press 1", "press 1", "press 3", "press 3", "esc", "yes"},
     {kWelcome, kAgreement, kWelcome, kAgreement, kFolder, kAgreementFromBack, kFolder, kGroup, kFolder,
      kAgreementFromBack},
     kCancel, 0, {kCancelQuestion}},
    {"no_on_the_agreement_asks_and_no_keeps_it",
     {"press 1", "press 2", "no", "press 2", "yes"},
     {kWelcome, kAgreement,
      R"(Please accept the License Agreement | "< &Back" | "Yes" | "No" default focused | picture hidden | page 104 at 4,4)"},
     kCancel, 0, {kCancelQuestion, kCancelQuestion}},
    {"cancel_refused_then_confirmed_on_the_welcome_page",
     {"press 2", "no", "esc", "no", "close", "yes"},
     {kWelcome, kWelcomeAfterNo, kWelcomeAfterNo},
     kCancel, 0, {kCancelQuestion, kCancelQuestion, kCancelQuestion}},
    {"cancel_confirmed_on_the_folder_page", {"enter", "enter", "esc", "yes"}, {kWelcome, kAgreement, kFolder},
     kCancel, 0, {kCancelQuestion}},
    {"cancel_confirmed_on_the_group_page", {"enter", "enter", "enter", "close", "yes"},
     {kWelcome, kAgreement, kFolder, kGroup}, kCancel, 0, {kCancelQuestion}},
    {"cancel_refused_then_confirmed_on_the_ready_page",
     {"enter", "enter", "enter", "enter", "esc", "no", "esc", "yes"},
     {kWelcome, kAgreement, kFolder, kGroup, kReady, kReady}, kCancel, 0, {kCancelQuestion, kCancelQuestion}},
    {"no_cancel_once_installed",
     {"enter", "enter", "enter", "enter", "enter", "esc", "close", "press 2", "press 3", "enter"},
     {kWelcome, kAgreement, kFolder, kGroup, kReady, kFinished, kFinished, kFinished, kFinished, kFinished},
     kOk, 1, {}, 0},
    {"the_group_page_refuses_on_next_and_back",
     {"enter", "enter", "enter", "type 1000 \" ab \"", "press 1", "ok", "press 3", "ok", "type 1000 abc", "press 1",
      "enter", "enter"},
     {kWelcome, kAgreement, kFolder, kGroup, kGroupTyped, kGroup,
      R"(Pictavo Setup | "< &Back" default focused | "&Next >" | "Cancel" | picture | page 107 at 141,13)",
      kGroupTyped, kReady, kFinished},
     kOk, 1, {kTooShort, kTooShort}, 0},
};

// A failing case names itself rather than printing its bytes.
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

class FrameSteps : public ::testing::TestWithParam<Case> {};

TEST_P(FrameSteps, ShowEachStepAndEndAsCommanded) {
  const Case& c = GetParam();
  WizardSetup setup;
  setup.state = wizard_test::NewInstallState();
  setup.state.m_bRunAfter = c.result == kOk ? 1 - c.runAfter : 1;
  setup.script = c.script;
  const WizardRun run = RunWizard(setup);
  ASSERT_EQ(run.status, 0) << run.transcript;
  EXPECT_EQ(Lines(Frames(run)), Lines(c.frames));
  EXPECT_EQ(run.result, c.result);
  EXPECT_EQ(run.installations, c.installations);
  EXPECT_EQ(run.boxes, c.boxes);
  EXPECT_EQ(run.state.m_bRunAfter, c.result == kOk ? c.runAfter : 1);
}

INSTANTIATE_TEST_SUITE_P(Scripts, FrameSteps, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
