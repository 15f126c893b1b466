// A registry out of reach, made so by the emulated machine's fault plan: the
// process runs on unregistered, counts no one and closes nothing.
#include "fixture.h"
#include "instances/close_instances.h"
#include "instances/instance_manager.h"
#include "platform/emulated/machine/faults.h"

namespace instances_tests {
namespace {

struct UnreachableCase {
  const char* name;
  const char* call;
  const char* pattern;
};

TEST_F(InstancesTest, ARegistryOutOfReachCountsNobodyAndClosesNothing) {
  const UnreachableCase cases[] = {
      {"no shared memory", "CreateSharedMemory", "COXInstanceManager_FileMap_*"},
      {"no view", "MapSharedView", ""},
      // Without its lock the list is never touched.
      {"no list mutex", "CreateNamedMutex", "COXInstanceManager_InstanceList_Mutex_*"},
      {"the lock can't be taken", "WaitForMutex", ""},
  };
  auto* running = StartProduct("running");
  ASSERT_NE(running, nullptr);
  for (const UnreachableCase& c : cases) {
    std::string error;
    ASSERT_TRUE(emu::AddFault({c.call, c.pattern, 8, -1}, error)) << error;
    {
      COXInstanceManager registry;
      EXPECT_EQ(registry.CountInstances(), 0u) << c.name;
      std::vector<std::uint32_t> untouched = {7};
      EXPECT_FALSE(registry.ListInstances(untouched)) << c.name;
      EXPECT_EQ(untouched, std::vector<std::uint32_t>{7}) << c.name;
      EXPECT_FALSE(registry.RegisterInstance(0x40000001u)) << c.name;
      CloseRunningInstances(registry, 5);
    }
    ASSERT_TRUE(emu::ClearFaults(error)) << error;
    EXPECT_FALSE(running->WaitForEnd(50)) << c.name << ": a copy was closed";
  }
  // Reachable again: the running copy is still the only one listed.
  RawBlock raw;
  EXPECT_EQ(raw.Ids(), std::vector<std::uint32_t>{running->Id()});
}

}  // namespace
}  // namespace instances_tests
