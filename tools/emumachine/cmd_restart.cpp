// emumachine restart MACHINE
// Carries out the file operations scheduled for the next restart, as the
// machine does while it starts, and reports each one.
#include <cstdio>

#include "platform/emulated/machine/machine.h"
#include "tool.h"

namespace tool {

int RestartCommand(const Arguments& args) {
  if (!OpenMachine(args[0])) return kExitFailed;
  if (args.size() != 1) return UsageError("restart: unexpected argument " + args[1]);
  std::vector<std::string> done;
  std::string error;
  const bool carried = emu::CarryOutRestartOperations(done, error);
  for (const std::string& line : done) std::printf("%s\n", line.c_str());
  if (!carried) return Fail("restart: " + error);
  if (done.empty()) std::printf("nothing to do at restart\n");
  return 0;
}

}  // namespace tool
