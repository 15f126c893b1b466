// Documents and web addresses opened through the shell: the machine has no
// browser, so each one is written to the transcript, where tests and people
// see what would have opened.
#include "platform/shell.h"

#include "platform/emulated/machine.h"
#include "platform/emulated/operator.h"
#include "platform/errors.h"
#include "platform/process.h"

namespace platform {

namespace {
// Any value above 32 tells success; ShellExecuteA gives a fake instance handle.
constexpr std::intptr_t kOpened = 42;
constexpr std::intptr_t kNoAssociation = 31;  // SE_ERR_NOASSOC
}  // namespace

std::intptr_t OpenWithShell(const std::string& address) {
  const std::string machine = emu::MachineFolder();
  if (machine.empty() || address.empty()) {
    SetLastError(kErrFileNotFound);
    return kNoAssociation;
  }
  const std::string program = ProgramPath();
  std::string block = "shell open\n";
  block += "  program: " + (program.empty() ? std::string("unknown") : program) + "\n";
  block += "  verb: open\n";
  block += "  address: " + address + "\n\n";
  if (!emu::AppendToTranscript(machine, block)) {
    SetLastError(kErrAccessDenied);
    return kNoAssociation;
  }
  return kOpened;
}

}  // namespace platform
