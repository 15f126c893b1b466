#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ansi_code_page.h"
#include "app/entry.h"
#include "platform/ui.h"
#include "state/setup_state.h"

namespace {

using Args = std::vector<std::string>;

struct Box {
  std::string text;
  std::string caption;
  unsigned flags;
};

// Records what the entry does; answers message boxes from a list (Yes when it runs out).
class FakeServices : public EntryServices {
 public:
  std::string programPath = "C:\\Program Files\\Pictavo 6\\PtvUnInst.exe";
  int instances = 1;
  int setupFlowResult = 0;
  std::deque<int> answers;

  std::vector<Box> boxes;
  std::optional<int> closed;
  std::optional<RunMode> handedOver;
  std::string removedPath;

  std::map<unsigned, std::string> texts;  // strings other than the made-up ones

  std::string ProgramPath() override { return programPath; }
  std::string LoadText(unsigned id) override {
    const auto text = texts.find(id);
    if (text != texts.end()) return text->second;
    return id == 4 ? "S4 %d others" : "S" + std::to_string(id);
  }
  int ShowMessage(const std::string& text, const std::string& caption, unsigned flags) override {
    boxes.push_back({text, caption, flags});
    if (answers.empty()) return platform::kIdYes;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  int CountInstances() override { return instances; }
  void CloseRunningInstances(int others) override { closed = others; }
  int RunSetupFlow() override {
    handedOver = RunMode::Install;
    return setupFlowResult;
  }
  void StartSelfRemoval() override { handedOver = RunMode::Uninstall; }
  void RunSelfRemoval(const std::string& path) override {
    handedOver = RunMode::SelfRemove;
    removedPath = path;
  }
};

const char* const kUninstaller = "C:\\Program Files\\Pictavo 6\\PtvUnInst.exe";
const char* const kInstaller = "D:\\Package\\setup.exe";

struct ModeCase {
  Args args;
  const char* programPath;
  RunMode mode;
  int silent;
  bool confirmationAsked;
};

TEST(RunEntry, ChoosesModeSilenceAndConfirmation) {
  const ModeCase cases[] = {
      {{"PtvUnInst.exe"}, kUninstaller, RunMode::Uninstall, 0, true},
      {{"PtvUnInst.exe", "-s"}, kUninstaller, RunMode::Uninstall, 1, false},
      {{"PtvUnInst.exe", "-S"}, kUninstaller, RunMode::Uninstall, 1, false},
      {{"PtvUnInst.exe", "x", "y", "-s"}, kUninstaller, RunMode::Uninstall, 1, false},
      {{"PtvUnInst.exe", "/s"}, kUninstaller, RunMode::Uninstall, 0, true},
      {{"PtvUnInst.exe", "-s1"}, kUninstaller, RunMode::Uninstall, 0, true},
      {{"PtvUnInst.exe", "-INSTALL"}, kUninstaller, RunMode::Install, 0, false},
      {{"PtvUnInst.exe", "-install", "-s"}, kUninstaller, RunMode::Install, 1, false},
      {{"PtvUnInst.exe", "x", "-install"}, kUninstaller, RunMode::Uninstall, 0, true},
      {{"setup.exe"}, kInstaller, RunMode::Install, 0, false},
      {{"setup.exe", "-s"}, kInstaller, RunMode::Install, 1, false},
      {{"x"}, "D:\\Package\\SETUP.EXE", RunMode::Install, 0, false},
      {{"x"}, "D:\\Package\\MySetup.EXE", RunMode::Install, 0, false},
      {{"x"}, "D:\\Setup.exe\\PtvUnInst.exe", RunMode::Install, 0, false},
      {{"x"}, "D:\\Package\\setup.ex", RunMode::Uninstall, 0, true},
      {{"x"}, "D:\\Package\\setup_exe", RunMode::Uninstall, 0, true},
      // Self-removal is recognised before anything else, the program name included.
      {{"t.tmp", "-delself", kUninstaller}, "C:\\Temp\\t.tmp", RunMode::SelfRemove, 0, false},
      {{"t.tmp", "-delself", kUninstaller, "-s"}, "C:\\Temp\\t.tmp", RunMode::SelfRemove, 1, false},
      {{"setup.exe", "-delself", kUninstaller}, kInstaller, RunMode::SelfRemove, 0, false},
      {{"t.tmp", "-DELSELF", kUninstaller}, "C:\\Temp\\t.tmp", RunMode::Uninstall, 0, true},
      {{"t.tmp", "-delself"}, "C:\\Temp\\t.tmp", RunMode::Uninstall, 0, true},
      {{"t.tmp", "x", "-delself", kUninstaller}, "C:\\Temp\\t.tmp", RunMode::Uninstall, 0, true},
  };
  for (const ModeCase& c : cases) {
    std::string label = c.programPath;
    for (const std::string& a : c.args) label += " [" + a + "]";
    FakeServices fake;
    fake.programPath = c.programPath;
    TheSetupState().m_bSilent = 7;  // the entry sets it on every run
    EXPECT_EQ(RunEntry(c.args, fake), 0) << label;
    EXPECT_EQ(fake.handedOver, c.mode) << label;
    EXPECT_EQ(TheSetupState().m_bSilent, c.silent) << label;
    EXPECT_EQ(!fake.boxes.empty(), c.confirmationAsked) << label;
    if (c.mode == RunMode::SelfRemove) {
      EXPECT_EQ(fake.removedPath, kUninstaller) << label;
    }
  }
}

TEST(RunEntry, UninstallConfirmationDefaultsToNo) {
  for (int answer : {int{platform::kIdYes}, int{platform::kIdNo}, int{platform::kIdCancel}, 0}) {
    FakeServices fake;
    fake.instances = 2;
    fake.answers = {answer};
    EXPECT_EQ(RunEntry({"PtvUnInst.exe"}, fake), 0);
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, "S6");
    EXPECT_EQ(fake.boxes[0].caption, "S2");
    EXPECT_EQ(fake.boxes[0].flags,
              unsigned(platform::kMbYesNo | platform::kMbIconExclamation | platform::kMbDefButton2));
    const bool yes = answer == platform::kIdYes;
    // Only Yes goes on: the running copy is closed and the temporary copy started.
    EXPECT_EQ(fake.closed.has_value(), yes) << answer;
    EXPECT_EQ(fake.handedOver.has_value(), yes) << answer;
  }
}

struct InstanceCase {
  const char* name;
  Args args;
  const char* programPath;
  int instances;
  std::deque<int> answers;
  std::vector<std::string> texts;  // the boxes shown, in order
  std::optional<int> closed;
  std::optional<RunMode> handedOver;
  int outcome;
};

TEST(RunEntry, AsksBeforeClosingRunningCopies) {
  using platform::kIdNo;
  const InstanceCase cases[] = {
      {"installer alone", {"setup.exe"}, kInstaller, 1, {}, {}, std::nullopt, RunMode::Install, 0},
      {"registry unreachable", {"setup.exe"}, kInstaller, 0, {}, {}, std::nullopt, RunMode::Install, 0},
      {"one other copy", {"setup.exe"}, kInstaller, 2, {}, {"S1"}, 1, RunMode::Install, 0},
      {"three other copies", {"setup.exe"}, kInstaller, 4, {}, {"S4 3 others"}, 3, RunMode::Install, 0},
      {"refused", {"setup.exe"}, kInstaller, 2, {kIdNo}, {"S1", "S3"}, std::nullopt, std::nullopt, 1},
      {"refused, many", {"setup.exe"}, kInstaller, 3, {kIdNo}, {"S4 2 others", "S3"}, std::nullopt, std::nullopt, 1},
      {"silent as first argument still asks", {"setup.exe", "-s"}, kInstaller, 2, {}, {"S1"}, 1, RunMode::Install, 0},
      {"-install /s", {"x", "-install", "/s"}, kUninstaller, 2, {}, {}, 1, RunMode::Install, 0},
      {"-install -S", {"x", "-install", "-S"}, kUninstaller, 3, {}, {}, 2, RunMode::Install, 0},
      {"/s later", {"setup.exe", "a", "b", "/S"}, kInstaller, 2, {}, {}, 1, RunMode::Install, 0},
      {"uninstaller never asks here", {"u"}, kUninstaller, 3, {}, {"S6"}, 2, RunMode::Uninstall, 0},
      {"silent uninstaller", {"u", "-s"}, kUninstaller, 3, {}, {}, 2, RunMode::Uninstall, 0},
  };
  for (const InstanceCase& c : cases) {
    FakeServices fake;
    fake.programPath = c.programPath;
    fake.instances = c.instances;
    fake.answers = c.answers;
    EXPECT_EQ(RunEntry(c.args, fake), c.outcome) << c.name;
    std::vector<std::string> texts;
    for (const Box& box : fake.boxes) texts.push_back(box.text);
    EXPECT_EQ(texts, c.texts) << c.name;
    EXPECT_EQ(fake.closed, c.closed) << c.name;
    EXPECT_EQ(fake.handedOver, c.handedOver) << c.name;
    for (const Box& box : fake.boxes) {
      EXPECT_EQ(box.caption, "S2") << c.name;
      if (box.text == "S3") {
        EXPECT_EQ(box.flags, unsigned(platform::kMbOk | platform::kMbIconInformation)) << c.name;
      } else if (box.text != "S6") {
        EXPECT_EQ(box.flags, unsigned(platform::kMbYesNo | platform::kMbIconExclamation)) << c.name;
      }
    }
  }
}

TEST(RunEntry, OutcomeOfTheSetupFlowIsTheEntrysOutcome) {
  FakeServices fake;
  fake.programPath = kInstaller;
  fake.setupFlowResult = 1;
  EXPECT_EQ(RunEntry({"setup.exe"}, fake), 1);
}

// The caption goes through a 128-byte buffer and the messages through
// 256-byte ones: a longer text is cut so that it fits with its terminating
// zero, and a double-byte character that would not fit whole is left out.
TEST(RunEntry, CutsLongTextsAtCharacterBoundaries) {
  const std::string dbcs = "\x95\x5c";  // one character in code page 932, two in 1252
  for (const unsigned codePage : {932u, 1252u}) {
    platform_tests::AnsiCodePage machine(codePage);
    if (!machine.Active()) continue;
    // In 1252 the first byte fits on its own.
    const std::string fits = codePage == 932 ? "" : "\x95";

    FakeServices uninstaller;
    uninstaller.texts = {{2, std::string(126, 'c') + dbcs}, {6, std::string(254, 'a') + dbcs + "zz"}};
    RunEntry({"PtvUnInst.exe"}, uninstaller);
    ASSERT_EQ(uninstaller.boxes.size(), 1u) << codePage;
    EXPECT_EQ(uninstaller.boxes[0].caption, std::string(126, 'c') + fits) << codePage;
    EXPECT_EQ(uninstaller.boxes[0].text, std::string(254, 'a') + fits) << codePage;

    // The count makes the text longer than the buffer only once it is put in.
    FakeServices installer;
    installer.programPath = kInstaller;
    installer.instances = 101;
    installer.texts = {{4, "%d" + std::string(251, 'b') + dbcs}};
    RunEntry({"setup.exe"}, installer);
    ASSERT_FALSE(installer.boxes.empty()) << codePage;
    EXPECT_EQ(installer.boxes[0].text, "100" + std::string(251, 'b') + fits) << codePage;
  }
}

}  // namespace
