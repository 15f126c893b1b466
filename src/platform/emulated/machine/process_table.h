#pragma once
// The machine's processes, with ids of the machine's own (never host pids).
// Each live process keeps one file of <machine>/processes/ locked, named by
// its id and holding "<host pid> <Windows program path>"; the lock is its
// liveness and dies with it, however it ends. Ids are handed out in steps of
// 4 from a counter and never given twice on one machine.
#include <cstdint>
#include <string>
#include <vector>

namespace emu {

struct MachineProcess {
  std::uint32_t id = 0;
  long hostPid = 0;
  std::string program;  // the full Windows path of its program file
};

// This process's id on the machine in use; a program started on the machine
// has it from its start, any other process gets one on first use. 0 when no
// machine is in use or the id can't be given.
std::uint32_t ThisProcessId();
// The live processes, in the order of their ids.
std::vector<MachineProcess> LiveProcesses();
bool FindLiveProcess(std::uint32_t id, MachineProcess& process);
// Ends a live process of the machine at once, as TerminateProcess does (the
// host process is killed); this process itself ends with `exitCode`.
// false, with LastError() set, when there is no such live process.
bool EndMachineProcess(std::uint32_t id, std::uint32_t exitCode);

}  // namespace emu
