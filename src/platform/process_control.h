#pragma once
// Processes by id: this process's id, other processes opened by id to be
// ended or asked for their program file, and the two ways for this process
// to end.
#include <cstdint>
#include <string>

namespace platform {

struct ProcessState;
using ProcessHandle = ProcessState*;

// Access rights of OpenProcessById, Windows' own values.
enum ProcessAccess : std::uint32_t {
  kProcessTerminate = 0x0001,               // PROCESS_TERMINATE
  kProcessQueryLimitedInformation = 0x1000,  // PROCESS_QUERY_LIMITED_INFORMATION
};

// GetCurrentProcessId.
std::uint32_t CurrentProcessId();
// OpenProcess(access, FALSE, id): nullptr on failure, with kErrInvalidParameter
// when no process has that id (or it has ended) and kErrAccessDenied when
// the process may not be opened so.
ProcessHandle OpenProcessById(std::uint32_t id, std::uint32_t access);
// QueryFullProcessImageNameA(process, 0, ...): the full Windows path of the
// process's program file; "" on failure. Needs kProcessQueryLimitedInformation.
std::string ProcessProgramPath(ProcessHandle process);
// TerminateProcess: ends the process at once with `exitCode`. Needs kProcessTerminate.
bool EndProcess(ProcessHandle process, std::uint32_t exitCode);
// CloseHandle on a process handle.
void CloseProcessHandle(ProcessHandle process);

// exit(): the orderly end of this process; the destructors of static
// objects run (ExitProcessNow, in process.h, skips them).
[[noreturn]] void ExitProcessOrderly(int status);

}  // namespace platform
