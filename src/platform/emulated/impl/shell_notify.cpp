// The machine has no shell to refresh: a notice goes into the transcript,
// where tests and the operator see that it was given.
#include "platform/shell_notify.h"

#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/operator.h"
#include "platform/process.h"

namespace platform {

void NotifyAssociationsChanged() {
  const std::string machine = emu::MachineFolder();
  if (machine.empty()) return;
  const std::string program = ProgramPath();
  emu::AppendToTranscript(machine, "shell notice\n  program: " + (program.empty() ? std::string("unknown") : program) +
                                       "\n  event: associations changed\n\n");
}

}  // namespace platform
