// Many processes joining and leaving the registry at random, some of them
// killed on the way: no process waits for ever, the list always holds as
// many ids as it counts, and no id of a process that ended cleanly stays.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <set>

#include "fixture.h"
#include "platform/process_control.h"

namespace instances_tests {
namespace {

constexpr int kProcesses = 56;
constexpr int kKilled = 12;
constexpr int kRounds = 150;
constexpr unsigned kEndWaitMs = 60000;  // far beyond a healthy run: only a deadlock reaches it

TEST_F(InstancesTest, ManyProcessesJoinAndLeaveWhileSomeAreKilled) {
  const auto start = std::chrono::steady_clock::now();
  RawBlock raw;  // keeps the block for the whole run
  ASSERT_TRUE(raw.Opened());
  std::vector<std::unique_ptr<test_support::ChildProcess>> churners;
  for (int i = 0; i < kProcesses; ++i) {
    auto child = test_support::ChildProcess::Start(
        test_support::ThisProgram(), "C:\\Tools\\churn.exe",
        {"--churn", std::to_string(kRounds), std::to_string(1000 + i), LogPath("churn" + std::to_string(i))});
    ASSERT_NE(child, nullptr) << "process " << i;
    churners.push_back(std::move(child));
  }

  // Kill some at random moments while watching the block.
  std::mt19937 random(20261211);
  std::vector<int> order(kProcesses);
  for (int i = 0; i < kProcesses; ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), random);
  std::set<std::uint32_t> killed;
  std::uniform_int_distribution<unsigned> pause(5, 40);
  unsigned checks = 0, inconsistent = 0, dirtyTails = 0;
  std::uint32_t largest = 0;
  auto check = [&] {
    raw.Locked([&](InstanceBlock& block) {
      ++checks;
      const std::uint32_t count = block.Count;
      largest = std::max(largest, count);
      bool ok = count <= kMaxInstances;
      for (std::uint32_t i = 0; ok && i < count; ++i) ok = block.ProcessIds[i] != 0;
      if (!ok) ++inconsistent;
      for (std::uint32_t i = count; i < kMaxInstances; ++i) {
        if (block.ProcessIds[i] != 0) {
          ++dirtyTails;
          break;
        }
      }
    });
  };
  for (int k = 0; k < kKilled; ++k) {
    const auto waitUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(pause(random));
    while (std::chrono::steady_clock::now() < waitUntil) check();
    test_support::ChildProcess& victim = *churners[static_cast<std::size_t>(order[k])];
    if (platform::ProcessHandle process = platform::OpenProcessById(victim.Id(), platform::kProcessTerminate)) {
      if (platform::EndProcess(process, 9)) killed.insert(victim.Id());
      platform::CloseProcessHandle(process);
    }
  }
  bool allEnded = true;
  for (auto& child : churners) {
    while (!child->WaitForEnd(1)) check();
    allEnded = allEnded && child->WaitForEnd(kEndWaitMs);
  }
  ASSERT_TRUE(allEnded) << "a process never ended";
  check();

  int done = 0;
  for (int i = 0; i < kProcesses; ++i) {
    const std::vector<std::string> log = Log("churn" + std::to_string(i));
    if (!log.empty() && log.back() == "done " + std::to_string(kRounds)) ++done;
    for (const std::string& line : log) EXPECT_EQ(line.find("broken"), std::string::npos) << "process " << i;
  }
  const std::vector<std::uint32_t> left = raw.Ids();
  for (std::uint32_t id : left) EXPECT_EQ(killed.count(id), 1u) << "id " << id << " of a process that ended cleanly";
  EXPECT_EQ(inconsistent, 0u);
  EXPECT_EQ(done + static_cast<int>(killed.size()), kProcesses);

  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf(
      "instance registry load: %d processes, %zu killed, %d ended cleanly after %d rounds each (%d registrations "
      "and as many removals); %u checks of the block, largest count %u, %u inconsistent, %u with stale entries "
      "behind the list; %zu ids left, all of killed processes; %.2f s\n",
      kProcesses, killed.size(), done, kRounds, done * kRounds, checks, largest, inconsistent, dirtyTails,
      left.size(), seconds);
}

}  // namespace
}  // namespace instances_tests
