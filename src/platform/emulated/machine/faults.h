#pragma once
// The machine's fault plan: platform calls that are to fail, for every
// process of the machine, with a given Windows error. Tests and the machine
// tool (emumachine fault) write the plan; each platform call consults it as
// it starts (see machine.h for the call names and the file's format).
#include <cstdint>
#include <string>
#include <vector>

namespace emu {

struct Fault {
  std::string call;         // the platform call, such as CreateFolder or MoveFileAtRestart
  std::string pattern;      // the paths it fails on, '*' and '?' as wildcards; "" for any
  std::uint32_t error = 0;  // the Windows error it fails with
  int count = -1;           // how many calls still fail, across all processes; -1 for every call
};

// Adds a fault to the plan of the machine in use. False, with `error` set,
// when the fault can't be planned (no call, no error, a count below 1 other
// than -1) or the plan can't be written.
bool AddFault(const Fault& fault, std::string& error);
// Empties the plan.
bool ClearFaults(std::string& error);
// The faults still planned, in the order they were added.
std::vector<Fault> PlannedFaults();

}  // namespace emu
