#include "platform/process_control.h"

#include <cstdlib>

#include "platform/win32/win32_support.h"

namespace platform {

namespace {
HANDLE Native(ProcessHandle process) { return reinterpret_cast<HANDLE>(process); }
}  // namespace

std::uint32_t CurrentProcessId() { return ::GetCurrentProcessId(); }

ProcessHandle OpenProcessById(std::uint32_t id, std::uint32_t access) {
  return reinterpret_cast<ProcessHandle>(::OpenProcess(access, FALSE, id));
}

std::string ProcessProgramPath(ProcessHandle process) {
  char buffer[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (!::QueryFullProcessImageNameA(Native(process), 0, buffer, &size)) return "";
  return std::string(buffer, size);
}

bool EndProcess(ProcessHandle process, std::uint32_t exitCode) {
  return ::TerminateProcess(Native(process), exitCode) != FALSE;
}

void CloseProcessHandle(ProcessHandle process) { ::CloseHandle(Native(process)); }

void ExitProcessOrderly(int status) { std::exit(status); }

}  // namespace platform
