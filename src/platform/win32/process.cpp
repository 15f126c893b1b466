#include <windows.h>

#include <vector>

#include "platform/process.h"

namespace platform {

std::string CommandLine() { return ::GetCommandLineA(); }

std::string ProgramPath() {
  for (DWORD capacity = MAX_PATH + 1; capacity <= 32768 * 2; capacity *= 2) {
    std::vector<char> buffer(capacity);
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), capacity);
    if (length == 0) return "";
    if (length < capacity) return std::string(buffer.data(), length);
  }
  return "";
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

}  // namespace platform
