#include "platform/process_control.h"

#include <cstdio>
#include <cstdlib>

#include "platform/emulated/machine/internal/faults.h"
#include "platform/emulated/machine/internal/last_error.h"
#include "platform/emulated/machine/process_table.h"
#include "platform/errors.h"

// Processes of the machine by the machine's own ids: a process can reach the
// processes of its machine only, never any other host process.
namespace platform {

struct ProcessState {
  std::uint32_t id;
  std::uint32_t access;
  std::string program;
};

std::uint32_t CurrentProcessId() { return emu::ThisProcessId(); }

ProcessHandle OpenProcessById(std::uint32_t id, std::uint32_t access) {
  if (emu::internal::InjectedFault("OpenProcessById")) return nullptr;
  emu::MachineProcess process;
  if (!emu::FindLiveProcess(id, process)) {
    emu::internal::SetLastError(kErrInvalidParameter);
    return nullptr;
  }
  return new ProcessState{id, access, process.program};
}

std::string ProcessProgramPath(ProcessHandle process) {
  if (!process || (process->access & kProcessQueryLimitedInformation) == 0) {
    emu::internal::SetLastError(process ? kErrAccessDenied : kErrInvalidHandle);
    return "";
  }
  return process->program;
}

bool EndProcess(ProcessHandle process, std::uint32_t exitCode) {
  if (!process || (process->access & kProcessTerminate) == 0) {
    emu::internal::SetLastError(process ? kErrAccessDenied : kErrInvalidHandle);
    return false;
  }
  return emu::EndMachineProcess(process->id, exitCode);
}

void CloseProcessHandle(ProcessHandle process) { delete process; }

void ExitProcessOrderly(int status) {
  std::fflush(nullptr);
  std::exit(status);
}

}  // namespace platform
