#pragma once
// The running process.
#include <string>

namespace platform {

// GetCommandLineA: the whole command line, program included.
std::string CommandLine();
// GetModuleFileNameA(NULL): full Windows path of the running program file.
std::string ProgramPath();
// GetEnvironmentVariableA; `found` tells an empty value from a missing one.
std::string EnvironmentVariable(const std::string& name, bool* found = nullptr);
void SleepMilliseconds(unsigned ms);
// ExitProcess.
[[noreturn]] void ExitProcessNow(int status);

}  // namespace platform
