// emumachine wait MACHINE [SECONDS]
// Waits until no program runs on the machine any more: also those that the
// programs run by the tool started themselves and did not wait for.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/emulated/machine/machine.h"
#include "platform/process.h"
#include "tool.h"

namespace tool {

namespace {
constexpr unsigned kPollMs = 50;
constexpr int kDefaultSeconds = 60;
}  // namespace

int WaitCommand(const Arguments& args) {
  if (!OpenMachine(args[0])) return kExitFailed;
  if (args.size() > 2) return UsageError("wait: unexpected argument " + args[2]);
  int seconds = kDefaultSeconds;
  if (args.size() == 2) {
    char* end = nullptr;
    const long given = std::strtol(args[1].c_str(), &end, 10);
    if (args[1].empty() || *end != '\0' || given < 0 || given > 86400) {
      return UsageError("wait: " + args[1] + " is no number of seconds");
    }
    seconds = static_cast<int>(given);
  }
  const long polls = static_cast<long>(seconds) * 1000 / kPollMs;
  std::vector<std::string> running = emu::RunningProgramFiles();
  for (long i = 0; !running.empty() && i < polls; ++i) {
    platform::SleepMilliseconds(kPollMs);
    running = emu::RunningProgramFiles();
  }
  if (running.empty()) return 0;
  for (const std::string& program : running) std::printf("still running: %s\n", program.c_str());
  return Fail("wait: programs still run after " + std::to_string(seconds) + " s");
}

}  // namespace tool
