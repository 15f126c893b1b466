#pragma once
// The running process.
#include <string>

namespace platform {

// GetCommandLineA: the whole command line, program included.
std::string CommandLine();
// GetModuleFileNameA(NULL) into a MAX_PATH (260-byte) buffer: the full
// Windows path of the running program file; a longer path is cut to its
// first 259 bytes.
std::string ProgramPath();
// GetEnvironmentVariableA; `found` tells an empty value from a missing one.
std::string EnvironmentVariable(const std::string& name, bool* found = nullptr);
void SleepMilliseconds(unsigned ms);
// ExitProcess.
[[noreturn]] void ExitProcessNow(int status);

}  // namespace platform
