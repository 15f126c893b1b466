#pragma once
// The running process.
#include <cstdint>
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
// CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, workingFolder
// or NULL when it is empty, a zero-filled STARTUPINFOA with only its size,
// ...): starts the program that the command line names, by Windows' rules
// (a quoted name, or else the shortest blank-separated start of the line
// that names a file, ".exe" added to a name without an extension), and
// does not wait for it. `processId` gets the new process's id; the handles
// are closed at once.
bool StartProgram(const std::string& commandLine, const std::string& workingFolder,
                  std::uint32_t& processId);
// ExitProcess: ends the process at once; none of the program's own
// clean-up (static destructors, atexit handlers) runs.
[[noreturn]] void ExitProcessNow(int status);

}  // namespace platform
