// emumachine snapshot MACHINE
// Prints the machine's state as lines (emu::SnapshotMachine), for a line
// diff between two moments.
#include <cstdio>

#include "platform/emulated/machine/machine.h"
#include "tool.h"

namespace tool {

int SnapshotCommand(const Arguments& args) {
  if (!OpenMachine(args[0])) return kExitFailed;
  if (args.size() != 1) return UsageError("snapshot: unexpected argument " + args[1]);
  std::vector<std::string> lines;
  std::string error;
  if (!emu::SnapshotMachine(lines, error)) return Fail("snapshot: " + error);
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  return 0;
}

}  // namespace tool
