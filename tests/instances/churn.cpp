// The child modes of the test program: an idle process that is no copy of
// the product, and a process that joins and leaves the registry at random.
#include "churn.h"

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "instances/instance_block.h"
#include "instances/instance_manager.h"
#include "platform/named_objects.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/process_control.h"

namespace instances_tests {

namespace {

// --churn ROUNDS SEED LOG: registered from its start, takes itself out and
// in again ROUNDS times with short pauses, checking each time that the list
// holds as many ids as it counts; writes "done <rounds>" to LOG at the end,
// or "broken ..." and exits 3 when a check fails.
int Churn(int rounds, unsigned seed, const std::string& log) {
  COXInstanceManager registry;
  const std::uint32_t self = platform::CurrentProcessId();
  std::mt19937 random(seed);
  std::uniform_int_distribution<unsigned> pause(0, 2);
  for (int round = 0; round < rounds; ++round) {
    platform::SleepMilliseconds(pause(random));
    const bool out = registry.UnregisterInstance(self);
    platform::SleepMilliseconds(pause(random));
    const bool in = registry.RegisterInstance(self);
    std::vector<std::uint32_t> ids;
    const std::uint32_t count = registry.CountInstances();
    const bool listed = registry.ListInstances(ids);
    bool zero = false;
    for (std::uint32_t id : ids) zero = zero || id == 0;
    if (!out || !in || !listed || zero || count == 0) {
      platform::AppendToFile(log, "broken in round " + std::to_string(round) + "\n");
      return 3;
    }
  }
  platform::AppendToFile(log, "done " + std::to_string(rounds) + "\n");
  return 0;  // the registry's teardown takes this process out
}

}  // namespace

bool RunChildMode(int argc, char** argv, int& status) {
  if (argc >= 2 && std::strcmp(argv[1], "--idle") == 0) {
    for (;;) platform::SleepMilliseconds(60000);
  }
  // --hold-list READY: owns the registry's list mutex until it is killed.
  if (argc >= 3 && std::strcmp(argv[1], "--hold-list") == 0) {
    platform::KernelObject mutex = platform::CreateNamedMutex(std::string(kListMutexPrefix) + kInstanceApplicationName);
    if (mutex && platform::WaitForMutex(mutex) != platform::MutexWait::Failed) platform::WriteWholeFile(argv[2], "ready");
    for (;;) platform::SleepMilliseconds(60000);
  }
  if (argc >= 5 && std::strcmp(argv[1], "--churn") == 0) {
    status = Churn(std::atoi(argv[2]), static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)), argv[4]);
    return true;
  }
  return false;
}

}  // namespace instances_tests
