// Message boxes answered by the scripted operator, and the string table.
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "machine_created_fixture.h"
#include "platform/emulated/machine/operator.h"
#include "platform/errors.h"
#include "platform/process.h"
#include "platform/ui.h"
#include "resource.h"

namespace {

using namespace platform;

class MessageBoxTest : public CreatedMachineTest {
 protected:
  void SetUp() override {
    CreatedMachineTest::SetUp();
    Create();
  }

  void Queue(const std::vector<std::string>& answers) {
    std::string error;
    ASSERT_TRUE(emu::AddOperatorAnswers(machine_, answers, error)) << error;
  }

  std::string Transcript() const { return FileText(emu::TranscriptPath(machine_)); }

  // Shows `count` boxes in a new process; its exit status is the number of
  // boxes answered with `counted`.
  static pid_t ShowInChild(unsigned flags, int count, int counted) {
    const pid_t pid = fork();
    if (pid == 0) {
      int matches = 0;
      for (int i = 0; i < count; ++i) {
        if (ShowMessageBox(nullptr, "text", "caption", flags) == counted) ++matches;
      }
      _exit(matches);
    }
    return pid;
  }

  static int ExitStatus(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
  }
};

TEST_F(MessageBoxTest, ProcessesTakeAnswersInQueueOrder) {
  Queue({"yes", "No", "", "  OK ", "CANCEL"});
  EXPECT_EQ(ExitStatus(ShowInChild(kMbYesNo, 1, kIdYes)), 1);
  EXPECT_EQ(ShowMessageBox(nullptr, "second", "caption", kMbYesNo), kIdNo);
  EXPECT_EQ(ExitStatus(ShowInChild(kMbOkCancel, 1, kIdOk)), 1);
  EXPECT_EQ(ShowMessageBox(nullptr, "fourth", "caption", kMbOkCancel), kIdCancel);
  EXPECT_TRUE(emu::PendingOperatorAnswers(machine_).empty());
}

TEST_F(MessageBoxTest, ConcurrentProcessesTakeEachAnswerOnce) {
  constexpr int kBoxesEach = 60;
  std::vector<std::string> answers;
  int noQueued = 0;
  for (int i = 0; i < 2 * kBoxesEach; ++i) {
    answers.push_back(i % 3 == 0 ? "no" : "yes");
    if (i % 3 == 0) ++noQueued;
  }
  Queue(answers);
  const pid_t first = ShowInChild(kMbYesNo, kBoxesEach, kIdNo);
  const pid_t second = ShowInChild(kMbYesNo, kBoxesEach, kIdNo);
  const int noAnswers = ExitStatus(first) + ExitStatus(second);
  EXPECT_EQ(noAnswers, noQueued);
  EXPECT_TRUE(emu::PendingOperatorAnswers(machine_).empty());
  const std::string transcript = Transcript();
  std::size_t blocks = 0;
  for (std::size_t at = 0; (at = transcript.find("message box\n", at)) != std::string::npos; ++at) ++blocks;
  EXPECT_EQ(blocks, 2u * kBoxesEach);
}

TEST_F(MessageBoxTest, TranscriptRecordsTheWholeBox) {
  Queue({"no"});
  EXPECT_EQ(ShowMessageBox(nullptr, "This will uninstall.\r\nContinue?\n\nReally?", "Pictavo Setup",
                           kMbYesNo | kMbIconQuestion | kMbDefButton2),
            kIdNo);
  EXPECT_EQ(Transcript(),
            "message box\n"
            "  program: " + ProgramPath() + "\n"
            "  caption: Pictavo Setup\n"
            "  text:\n"
            "    This will uninstall.\n"
            "    Continue?\n"
            "    \n"
            "    Really?\n"
            "  buttons: Yes/No\n"
            "  icon: question\n"
            "  default button: 2\n"
            "  owner: none\n"
            "  answer: no\n"
            "\n");
}

TEST_F(MessageBoxTest, TranscriptNamesButtonsIconAndDefault) {
  const struct {
    unsigned flags;
    const char* answer;
    int result;
    const char* lines;
  } cases[] = {
      {kMbOk, "ok", kIdOk, "  buttons: OK\n  icon: none\n  default button: 1\n"},
      {kMbOk | kMbIconExclamation, "ok", kIdOk, "  buttons: OK\n  icon: exclamation\n  default button: 1\n"},
      {kMbOkCancel | kMbIconInformation, "cancel", kIdCancel,
       "  buttons: OK/Cancel\n  icon: information\n  default button: 1\n"},
      {kMbOkCancel | kMbIconError | kMbDefButton2, "ok", kIdOk,
       "  buttons: OK/Cancel\n  icon: error\n  default button: 2\n"},
      {kMbYesNo, "yes", kIdYes, "  buttons: Yes/No\n  icon: none\n  default button: 1\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    Queue({c.answer});
    const std::size_t before = Transcript().size();
    EXPECT_EQ(ShowMessageBox(nullptr, "t", "c", c.flags), c.result);
    const std::string block = Transcript().substr(before);
    EXPECT_NE(block.find(c.lines), std::string::npos) << block;
    EXPECT_NE(block.find(std::string("  answer: ") + c.answer + "\n"), std::string::npos) << block;
  }
}

TEST_F(MessageBoxTest, UnsupportedButtonsAreRefusedWithoutTakingAnAnswer) {
  Queue({"ok"});
  SetLastError(0);
  EXPECT_EQ(ShowMessageBox(nullptr, "t", "c", 0x2 /* abort, retry, ignore */), 0);
  EXPECT_EQ(LastError(), kErrInvalidParameter);
  EXPECT_EQ(emu::PendingOperatorAnswers(machine_), std::vector<std::string>{"ok"});
}

using MessageBoxDeathTest = MessageBoxTest;

TEST_F(MessageBoxDeathTest, NoAnswerEndsTheProgramWithStatus3) {
  EXPECT_EXIT(ShowMessageBox(nullptr, "Delete the old version?", "Pictavo Setup", kMbYesNo),
              ::testing::ExitedWithCode(3),
              "no scripted answer for message box: Pictavo Setup: Delete the old version\\?");
  const std::string transcript = Transcript();
  EXPECT_NE(transcript.find("    Delete the old version?\n"), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("  answer: none"), std::string::npos) << transcript;
}

TEST_F(MessageBoxDeathTest, AnswerThatIsNoButtonEndsTheProgramWithStatus3) {
  Queue({"yes", "ok"});
  EXPECT_EXIT(ShowMessageBox(nullptr, "Done.", "Pictavo Setup", kMbOk), ::testing::ExitedWithCode(3),
              "scripted answer \"yes\" is not a button of message box \\(OK\\): Pictavo Setup: Done\\.");
  // The refused answer was used up; the next box gets the next one.
  EXPECT_EQ(emu::PendingOperatorAnswers(machine_), std::vector<std::string>{"ok"});
  EXPECT_NE(Transcript().find("  answer: \"yes\" refused"), std::string::npos);
}

TEST(ResourceStringTest, FindsStringsOfTheTable) {
  EXPECT_EQ(LoadResourceString(IDS_APP_TITLE), "Pictavo Setup");
  EXPECT_EQ(LoadResourceString(IDS_ENTRY_CAPTION), "Pictavo Setup");
  EXPECT_EQ(LoadResourceString(5), "");
  EXPECT_EQ(LoadResourceString(65000), "");
}

}  // namespace
