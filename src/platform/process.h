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
// ExitProcess: ends the process at once; none of the program's own
// clean-up (static destructors, atexit handlers) runs.
[[noreturn]] void ExitProcessNow(int status);
// The C runtime's exit: the program's clean-up runs (static destructors,
// atexit handlers), then the process ends as with ExitProcess.
[[noreturn]] void ExitProcessOrderly(int status);

}  // namespace platform
