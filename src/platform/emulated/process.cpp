#include <cstdlib>

#include "platform/process.h"

// Placeholder bodies; the emulated process replaces them.
namespace platform {
std::string CommandLine() { return ""; }
std::string ProgramPath() { return ""; }
std::string EnvironmentVariable(const std::string&, bool* found) {
  if (found) *found = false;
  return "";
}
void SleepMilliseconds(unsigned) {}
void ExitProcessNow(int status) { std::exit(status); }
}  // namespace platform
