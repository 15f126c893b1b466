// Closing the running copies: close requests, termination, and the ids that
// are not the product's.
#include "fixture.h"
#include "instances/close_instances.h"
#include "instances/instance_manager.h"
#include "platform/process_control.h"

namespace instances_tests {
namespace {

constexpr unsigned kEndWaitMs = 20000;

TEST_F(InstancesTest, TheCopiesAreAskedToCloseAndEndedAndTheSetupPassesOverItself) {
  auto* a = StartProduct("a");
  auto* windowless = StartProduct("windowless", {"-nowindow"});
  ASSERT_TRUE(a && windowless);
  COXInstanceManager registry;  // the setup registers last
  const std::uint32_t others = registry.CountInstances() - 1;
  ASSERT_EQ(others, 2u);
  CloseRunningInstances(registry, static_cast<int>(others));
  EXPECT_TRUE(a->WaitForEnd(kEndWaitMs));
  EXPECT_TRUE(LogHas("a", "close 1001"));
  // No window to ask, yet its program is the product's: ended all the same.
  EXPECT_TRUE(windowless->WaitForEnd(kEndWaitMs));
}

TEST_F(InstancesTest, AnUnrelatedProcessWhoseIdIsListedIsLeftAlone) {
  auto* a = StartProduct("a");
  ASSERT_NE(a, nullptr);
  // A process that is no copy of the product took over an id that a copy
  // which ended unregistered left behind.
  auto unrelated = test_support::ChildProcess::Start(test_support::ThisProgram(), "C:\\Tools\\viewer.exe", {"--idle"});
  ASSERT_NE(unrelated, nullptr);
  COXInstanceManager registry;
  ASSERT_TRUE(registry.RegisterInstance(unrelated->Id()));
  // An id nobody has any more, and a count beyond the list's end.
  ASSERT_TRUE(registry.RegisterInstance(0x7FFFFFF0u));
  CloseRunningInstances(registry, 50);
  EXPECT_TRUE(a->WaitForEnd(kEndWaitMs));
  EXPECT_FALSE(unrelated->WaitForEnd(300)) << "the unrelated process was ended";
  platform::ProcessHandle still = platform::OpenProcessById(unrelated->Id(), platform::kProcessQueryLimitedInformation);
  EXPECT_NE(still, nullptr);
  if (still) platform::CloseProcessHandle(still);
}

TEST_F(InstancesTest, OnlyTheFirstOtherCountEntriesAreVisited) {
  auto* a = StartProduct("a");
  ASSERT_NE(a, nullptr);
  COXInstanceManager registry;
  auto* after = StartProduct("after");  // registered behind the setup
  ASSERT_NE(after, nullptr);
  CloseRunningInstances(registry, 1);
  EXPECT_TRUE(a->WaitForEnd(kEndWaitMs));
  EXPECT_FALSE(after->WaitForEnd(300));
  EXPECT_FALSE(LogHas("after", "close 1001"));
}

}  // namespace
}  // namespace instances_tests
