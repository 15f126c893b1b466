// Taking an answer from the operator's queue is one step: a process that
// dies at any point of it leaves the queue either as it was or without the
// answer it took, never with an answer twice.
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <stddef.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "machine_created_fixture.h"
#include "platform/emulated/machine/operator.h"

namespace {

using Strings = std::vector<std::string>;

// Makes the kernel end this process at its first use of `call`.
bool DieAtSystemCall(int call) {
  struct sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(call), 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  struct sock_fprog program = {sizeof filter / sizeof filter[0], filter};
  return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

class OperatorQueueTest : public CreatedMachineTest {
 protected:
  void SetUp() override {
    CreatedMachineTest::SetUp();
    Create();
  }
};

TEST_F(OperatorQueueTest, ATakerThatDiesMidwayNeverLeavesAnAnswerTwice) {
  const struct {
    const char* name;
    long call;
  } kCrashPoints[] = {
      {"write", SYS_write},         {"pwrite", SYS_pwrite64}, {"ftruncate", SYS_ftruncate},
      {"fsync", SYS_fsync},         {"fdatasync", SYS_fdatasync},
#ifdef SYS_rename
      {"rename", SYS_rename},
#endif
      {"renameat", SYS_renameat},   {"renameat2", SYS_renameat2},
#ifdef SYS_unlink
      {"unlink", SYS_unlink},
#endif
      {"unlinkat", SYS_unlinkat},
  };
  const Strings queued = {"first", "second", "third"};
  for (const auto& point : kCrashPoints) {
    std::string error;
    ASSERT_TRUE(emu::ClearOperatorAnswers(machine_, error)) << error;
    ASSERT_TRUE(emu::AddOperatorAnswers(machine_, queued, error)) << error;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (!DieAtSystemCall(static_cast<int>(point.call))) _exit(2);
      std::string answer;
      _exit(emu::TakeOperatorAnswer(machine_, answer) == emu::TakeResult::Taken && answer == "first" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << "no system call filter here";
    const Strings left = emu::PendingOperatorAnswers(machine_);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
      EXPECT_EQ(left, (Strings{"second", "third"})) << point.name;
    } else {
      EXPECT_TRUE(left == queued || left == (Strings{"second", "third"})) << point.name << ": " << left.size();
    }
  }
}

}  // namespace
