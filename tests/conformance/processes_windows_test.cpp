// Processes by id and top-level windows across processes: ids, opening and
// ending another process, window facts in the walk's order, and messages
// posted to a window of this process or of another.
#include "children.h"
#include "fixture.h"
#include "platform/process.h"
#include "platform/process_control.h"
#include "platform/text.h"
#include "platform/window.h"

namespace conformance {
namespace {

using platform::LastError;

class ProcessTest : public ScratchTest {};

TEST_F(ProcessTest, ThisProcessIsOpenedByItsIdAndKnowsItsProgram) {
  const std::uint32_t self = platform::CurrentProcessId();
  EXPECT_NE(self, 0u);
  EXPECT_EQ(platform::CurrentProcessId(), self);
  platform::ProcessHandle process = platform::OpenProcessById(self, platform::kProcessQueryLimitedInformation);
  ASSERT_NE(process, nullptr);
  EXPECT_TRUE(platform::EqualsIgnoreCaseAscii(platform::ProcessProgramPath(process), platform::ProgramPath()));
  platform::CloseProcessHandle(process);
  EXPECT_EQ(platform::OpenProcessById(0x7FFFFFF0u, platform::kProcessTerminate), nullptr);
  EXPECT_EQ(LastError(), platform::kErrInvalidParameter);
}

TEST_F(ProcessTest, AnotherProcessIsEndedByItsId) {
  auto child = StartChild("--hold-mutex", "PtvConformance.end." + std::to_string(platform::CurrentProcessId()),
                          At("ready"));
  ASSERT_NE(child, nullptr);
  EXPECT_NE(child->Id(), platform::CurrentProcessId());
  platform::ProcessHandle process = platform::OpenProcessById(child->Id(), platform::kProcessTerminate);
  ASSERT_NE(process, nullptr);
  EXPECT_TRUE(platform::EndProcess(process, 4));
  platform::CloseProcessHandle(process);
  EXPECT_TRUE(child->WaitForEnd(20000));
}

TEST_F(ProcessTest, AStartedProgramIsReachedByTheIdItsStarterGot) {
  ASSERT_TRUE(platform::CopyFileTo(platform::ProgramPath(), At("started.exe"), false)) << LastError();
  const std::string name = "PtvConformance.started." + std::to_string(platform::CurrentProcessId());
  std::uint32_t id = 0;
  ASSERT_TRUE(platform::StartProgram("\"" + At("started.exe") + "\" --hold-mutex " + name + " \"" + At("ready") + "\"",
                                     scratch_.folder(), id))
      << LastError();
  ASSERT_TRUE(test_support::Eventually([&] { return platform::PathExists(At("ready")); }));
  platform::ProcessHandle process = platform::OpenProcessById(id, platform::kProcessTerminate);
  ASSERT_NE(process, nullptr) << LastError();
  EXPECT_TRUE(platform::EndProcess(process, 3));
  platform::CloseProcessHandle(process);
  // Nobody holds the ended process: its id leads nowhere.
  EXPECT_TRUE(test_support::Eventually([&] {
    platform::ProcessHandle gone = platform::OpenProcessById(id, platform::kProcessTerminate);
    if (gone) platform::CloseProcessHandle(gone);
    return gone == nullptr;
  }));
}

TEST_F(ProcessTest, OnlyTheOrderlyEndDestroysStaticObjects) {
  for (const char* mode : {"--exit-orderly", "--exit-now"}) {
    const std::string file = At(std::string(mode + 2) + ".txt");
    auto child = test_support::ChildProcess::Start(test_support::ThisProgram(), "C:\\conformance\\child.exe",
                                                   {mode, file});
    ASSERT_NE(child, nullptr) << mode;
    ASSERT_TRUE(child->WaitForEnd(20000)) << mode;
    EXPECT_EQ(platform::PathExists(file), std::string(mode) == "--exit-orderly") << mode;
  }
}

class WindowTest : public ScratchTest {
 protected:
  void TearDown() override {
    for (platform::WindowHandle window : made_) platform::DestroyPlainWindow(window);
  }
  platform::WindowHandle Make(const std::string& title, std::uint32_t style, std::uint32_t exStyle,
                              platform::WindowHandle owner) {
    platform::WindowHandle window = platform::CreatePlainWindow(title, style, exStyle, owner);
    EXPECT_NE(window, nullptr) << title << ": error " << LastError();
    if (window) made_.insert(made_.begin(), window);  // owned ones go first
    return window;
  }
  std::vector<platform::WindowHandle> OwnWindows() {
    std::vector<platform::WindowHandle> own;
    const std::uint32_t self = platform::CurrentProcessId();
    platform::ForEachTopLevelWindow([&](platform::WindowHandle window) {
      if (platform::WindowProcessId(window) == self &&
          platform::WindowTitle(window, 512).compare(0, 7, "Pictavo") == 0) {
        own.push_back(window);
      }
      return true;
    });
    return own;
  }
  std::vector<platform::WindowHandle> made_;
};

TEST_F(WindowTest, TheWalkGivesEachWindowsFactsTheNewestFirst) {
  platform::WindowHandle main = Make("Pictavo 6 - conformance", platform::kWsOverlappedWindow, 0, nullptr);
  platform::WindowHandle owned = Make("Pictavo 6 - Options", platform::kWsPopup, 0, main);
  platform::WindowHandle tool = Make("Pictavo Tools", platform::kWsPopup, platform::kWsExToolWindow, nullptr);
  ASSERT_TRUE(main && owned && tool);
  EXPECT_EQ(OwnWindows(), (std::vector<platform::WindowHandle>{tool, owned, main}));
  EXPECT_EQ(platform::WindowOwner(main), nullptr);
  EXPECT_EQ(platform::WindowOwner(owned), main);
  EXPECT_EQ(platform::WindowOwner(tool), nullptr);
  EXPECT_EQ(platform::WindowExtendedStyle(tool) & platform::kWsExToolWindow, platform::kWsExToolWindow);
  EXPECT_EQ(platform::WindowExtendedStyle(main) & platform::kWsExToolWindow, 0u);
  EXPECT_EQ(platform::WindowTitle(main, 512), "Pictavo 6 - conformance");
  EXPECT_EQ(platform::WindowTitle(main, 8), "Pictavo");  // as far as it fits, with its zero
  // A walk stops when told to.
  int visited = 0;
  platform::ForEachTopLevelWindow([&](platform::WindowHandle) { return ++visited < 2; });
  EXPECT_EQ(visited, 2);
}

TEST_F(WindowTest, AMessagePostedToAWindowOfThisProcessArrivesWithItsParameters) {
  platform::WindowHandle window = Make("Pictavo 6 - mailbox", platform::kWsOverlappedWindow, 0, nullptr);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(platform::PostWindowMessage(window, 1946, 0, 4242));
  ASSERT_TRUE(platform::PostWindowMessage(window, platform::kWmClose, 1001, 0));
  platform::WindowMessage message;
  // Other messages of the system may come between.
  std::vector<std::pair<unsigned, std::intptr_t>> got;
  while (got.size() < 2 && platform::WaitForWindowMessage(message)) {
    if (message.window == window && (message.message == 1946 || message.message == platform::kWmClose)) {
      got.emplace_back(message.message, message.message == 1946 ? message.lParam : static_cast<std::intptr_t>(message.wParam));
    }
  }
  EXPECT_EQ(got, (std::vector<std::pair<unsigned, std::intptr_t>>{{1946, 4242}, {platform::kWmClose, 1001}}));
}

TEST_F(WindowTest, AMessageReachesAnotherProcessAndItsWindowGoesWithIt) {
  const std::string title = "Pictavo child " + std::to_string(platform::CurrentProcessId());
  auto child = StartChild("--window", title, At("ready"), At("report"));
  ASSERT_NE(child, nullptr);
  platform::WindowHandle found = nullptr;
  platform::ForEachTopLevelWindow([&](platform::WindowHandle window) {
    if (platform::WindowProcessId(window) != child->Id()) return true;
    if (platform::WindowTitle(window, 512) == title) found = window;
    return found == nullptr;
  });
  ASSERT_NE(found, nullptr);
  ASSERT_TRUE(platform::PostWindowMessage(found, kChildMessage, 7, 1947));
  ASSERT_TRUE(child->WaitForEnd(20000));
  EXPECT_EQ(Content("report"), "7 1947");
  EXPECT_EQ(platform::WindowProcessId(found), 0u);
  EXPECT_FALSE(platform::PostWindowMessage(found, kChildMessage, 0, 0));
  EXPECT_EQ(LastError(), platform::kErrInvalidWindowHandle);
}

}  // namespace
}  // namespace conformance
