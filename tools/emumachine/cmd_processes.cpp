// emumachine ps MACHINE
// emumachine windows MACHINE
// The machine's live processes and their top-level windows.
#include <cstdio>

#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/process_table.h"
#include "platform/emulated/machine/windows_table.h"
#include "tool.h"

namespace tool {

int ProcessesCommand(const Arguments& args) {
  if (args.size() != 1) return UsageError("ps: only the machine folder is given");
  if (!OpenMachine(args[0])) return kExitFailed;
  for (const emu::MachineProcess& process : emu::LiveProcesses()) {
    std::printf("%u %s\n", process.id, process.program.c_str());
  }
  return 0;
}

int WindowsCommand(const Arguments& args) {
  if (args.size() != 1) return UsageError("windows: only the machine folder is given");
  if (!OpenMachine(args[0])) return kExitFailed;
  for (const emu::MachineWindow& window : emu::LiveWindows()) {
    std::printf("0x%x process %u owner 0x%x exstyle 0x%x \"%s\"\n", window.handle, window.process, window.owner,
                window.exStyle, window.title.c_str());
  }
  return 0;
}

}  // namespace tool
