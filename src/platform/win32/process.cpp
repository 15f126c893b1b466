#include "platform/win32/win32_support.h"

#include <cstdlib>
#include <vector>

#include "platform/process.h"

namespace platform {

std::string CommandLine() { return ::GetCommandLineA(); }

std::string ProgramPath() {
  char buffer[MAX_PATH] = {};
  if (::GetModuleFileNameA(nullptr, buffer, MAX_PATH) == 0) return "";
  // A longer path comes back cut to fill the buffer: terminated after
  // MAX_PATH - 1 bytes, or (before Vista) not terminated at all.
  std::size_t length = 0;
  while (length < MAX_PATH - 1 && buffer[length] != '\0') ++length;
  return std::string(buffer, length);
}

std::string EnvironmentVariable(const std::string& name, bool* found) {
  if (found) *found = false;
  std::vector<char> buffer(256);
  for (;;) {
    ::SetLastError(ERROR_SUCCESS);
    const DWORD length =
        ::GetEnvironmentVariableA(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      // 0 is both "missing" and "empty"; only the error tells them apart.
      if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return "";
      if (found) *found = true;
      return "";
    }
    if (length < buffer.size()) {
      if (found) *found = true;
      return std::string(buffer.data(), length);
    }
    buffer.resize(length);  // length counts the terminating zero here
  }
}

void SleepMilliseconds(unsigned ms) { ::Sleep(ms); }

void ExitProcessNow(int status) {
  ::ExitProcess(static_cast<UINT>(status));
}


bool StartProgram(const std::string& commandLine, const std::string& workingFolder, std::uint32_t& processId) {
  processId = 0;
  // CreateProcessA may write into the command line it is given.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &started)) {
    return false;
  }
  ::CloseHandle(started.hThread);
  ::CloseHandle(started.hProcess);
  processId = started.dwProcessId;
  return true;
}

}  // namespace platform
