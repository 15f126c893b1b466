#pragma once
// Hold files below FileHold, for the holds a process keeps without a
// FileHold object: the hold on its current folder, which may come to it
// across the exec that started it.
//
// Windows keeps each process's current folder open, so that no process can
// remove or move a folder that is a running process's current folder. Here
// a process holds its current folder as a file held open: a program started
// on the machine holds its starting folder from before its exec, and every
// change of folder moves the hold. A process that never changes folder and
// was not started on the machine holds nothing and pays nothing.
#include <string>

#include "platform/emulated/machine/internal/file_lock.h"
#include "platform/emulated/machine/processes.h"

namespace emu {
namespace internal {

struct HoldHandle {
  int fd = -1;  // locked for as long as the hold lasts
  std::string file;
};
// Holds the file or folder at `windowsPath`; false, with LastError() set, on failure.
bool TakeHold(const std::string& windowsPath, HoldKind kind, HoldHandle& hold);
// Ends the hold: its file goes while still locked, so no checker mistakes
// it for a dead holder's.
void EndHold(HoldHandle& hold);

// A change that a hold forbids (delete, move, overwrite, remove) and the
// taking of a hold exclude each other, as opening and deleting a file do on
// Windows: the change keeps a guard from its check for holds until it is
// done, and TakeHold keeps one alone from its look at the file until the
// hold is in place. Changes share the guard; a process never takes a hold
// while it keeps one. The guard is the lock <machine>/holds.lock.
class HoldsGuard {
 public:
  enum Kind { ForChange, ForHold };
  explicit HoldsGuard(Kind kind);

 private:
  FileLock lock_;
};

// Holds the folder at `fullPath` as this process's current folder and lets
// go of the folder it held before. LastError() stays as it was.
void HoldCurrentFolder(const std::string& fullPath);
// Lets go of the current folder's hold (the process leaves the machine).
void ReleaseCurrentFolder();
// Before a program is started on the machine, in the process that starts
// it: holds its starting folder for it, so that the program lets go of the
// hold when it changes folder. `variable` gets the program's environment
// entry "PTV_FOLDER_HOLD=<process> <descriptor> <hold file>" with room for
// the process id, which the child fills in between fork and exec with
// FillStartingHoldProcess. False when the folder can't be held.
bool HoldStartingFolder(const std::string& fullPath, HoldHandle& hold, std::string& variable);
// In the child between fork and exec, allocating nothing: writes the
// child's process id into the room of the entry HoldStartingFolder made.
void FillStartingHoldProcess(char* variable);

}  // namespace internal
}  // namespace emu
