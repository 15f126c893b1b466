#include "platform/emulated/machine.h"

// Placeholder bodies; the machine creation replaces them.
namespace emu {
bool CreateMachine(const std::string&, const MachineSettings&, std::string& error) {
  error = "not built yet";
  return false;
}
int LaunchProgram(const std::string&, const std::string&, const std::string&) { return -1; }
int WaitForProgram(int) { return -1; }
}  // namespace emu
