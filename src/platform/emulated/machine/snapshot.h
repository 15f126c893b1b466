#pragma once
// A machine's state as plain lines, so that two moments can be compared
// with a line diff: every folder and file of its drives, every registry key
// and value, and the file operations scheduled for the next restart.
#include <string>
#include <vector>

namespace emu {

// The lines, one thing a line, sorted (the restart-time operations last,
// in the order a restart carries them out):
//   folder C:\path
//   file C:\path (N bytes, content <hash>)
//   key HKEY_LOCAL_MACHINE\path          (user hives as HKEY_USERS\<user>\path)
//   value HKEY_...\path "name" = <type> <data>
//   restart delete C:\path | restart rename C:\path to C:\path
// False, with `error` set, when part of the machine can't be read.
bool SnapshotMachine(std::vector<std::string>& lines, std::string& error);

}  // namespace emu
