#include <windows.h>

#include <vector>

#include "platform/process.h"

namespace platform {

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
