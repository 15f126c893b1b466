// The machine's own processes and objects: ids that are the machine's, not
// the host's; a process's record for as long as it lives; and machines that
// share nothing.
#include <unistd.h>

#include "machine_created_fixture.h"
#include "platform/emulated/machine/process_table.h"
#include "platform/emulated/machine/processes.h"
#include "platform/errors.h"
#include "platform/named_objects.h"
#include "platform/process_control.h"
#include "platform/window.h"

namespace {

class ProcessTableTest : public CreatedMachineTest {
 protected:
  void SetUp() override {
    CreatedMachineTest::SetUp();
    Create();
  }
};

TEST_F(ProcessTableTest, AStartedProgramHasTheIdItsStarterWasGivenUntilItEnds) {
  const std::uint32_t self = emu::ThisProcessId();
  EXPECT_EQ(self, 1000u) << "the first process of a fresh machine";
  std::uint32_t id = 0;
  const int pid = emu::LaunchProgram("Z:\\bin\\sleep", "sleep 30", "C:\\", &id);
  ASSERT_GT(pid, 0) << platform::LastError();
  EXPECT_EQ(id, self + 4);
  emu::MachineProcess process;
  ASSERT_TRUE(emu::FindLiveProcess(id, process));
  EXPECT_EQ(process.hostPid, pid);
  EXPECT_EQ(process.program, "Z:\\bin\\sleep");
  ASSERT_EQ(emu::LiveProcesses().size(), 2u);

  EXPECT_TRUE(emu::EndMachineProcess(id, 0));
  EXPECT_EQ(emu::WaitForProgram(pid), -1) << "ended at once, by a signal";
  EXPECT_FALSE(emu::FindLiveProcess(id, process));
  EXPECT_EQ(platform::OpenProcessById(id, platform::kProcessTerminate), nullptr);
  EXPECT_EQ(platform::LastError(), platform::kErrInvalidParameter);
  EXPECT_FALSE(emu::EndMachineProcess(id, 0));
}

TEST_F(ProcessTableTest, HostProcessesAreOutOfReach) {
  const std::uint32_t self = emu::ThisProcessId();
  for (pid_t host : {getpid(), getppid(), pid_t{1}}) {
    if (static_cast<std::uint32_t>(host) == self) continue;
    EXPECT_EQ(platform::OpenProcessById(static_cast<std::uint32_t>(host), platform::kProcessTerminate), nullptr)
        << "host process " << host;
  }
}

TEST_F(ProcessTableTest, EachMachineHasProcessesAndObjectsOfItsOwn) {
  const std::string first = machine_;
  ASSERT_NE(emu::ThisProcessId(), 0u);
  platform::KernelObject mutex = platform::CreateNamedMutex("PtvShared");
  ASSERT_NE(mutex, nullptr);

  const std::string second = root_ + "/second";
  std::string error;
  ASSERT_TRUE(emu::CreateMachine(second, emu::MachineSettings(), error)) << error;
  emu::UseMachine(second);
  EXPECT_EQ(emu::ThisProcessId(), 1000u);
  platform::KernelObject other = platform::CreateNamedMutex("PtvShared");
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(platform::LastError(), platform::kErrNone) << "a new object on the second machine";
  platform::CloseKernelObject(other);

  emu::UseMachine(first);
  EXPECT_NE(emu::ThisProcessId(), 0u);
  platform::CloseKernelObject(mutex);
}

TEST_F(ProcessTableTest, AFullMessageQueueRefusesMore) {
  platform::WindowHandle window = platform::CreatePlainWindow("Pictavo 6 - busy", 0, 0, nullptr);
  ASSERT_NE(window, nullptr);
  unsigned posted = 0;
  while (posted < 20000 && platform::PostWindowMessage(window, 1946, 0, posted)) ++posted;
  EXPECT_EQ(platform::LastError(), platform::kErrNotEnoughQuota);
  EXPECT_GE(posted, 10000u);
  EXPECT_LT(posted, 20000u);
  // Each comes once, in order; then there is room again.
  platform::WindowMessage message;
  for (unsigned expected = 0; expected < posted; ++expected) {
    ASSERT_TRUE(platform::WaitForWindowMessage(message));
    ASSERT_EQ(message.lParam, static_cast<std::intptr_t>(expected));
  }
  EXPECT_TRUE(platform::PostWindowMessage(window, 1946, 0, 0));
  // The end of a window without owner ends the loop after what is queued.
  platform::DestroyPlainWindow(window);
  EXPECT_FALSE(platform::WaitForWindowMessage(message));
}

}  // namespace
