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

// Holds the folder at `fullPath` as this process's current folder and lets
// go of the folder it held before. LastError() stays as it was.
void HoldCurrentFolder(const std::string& fullPath);
// Lets go of the current folder's hold (the process leaves the machine).
void ReleaseCurrentFolder();
// Between fork and exec of a program started on the machine: holds its
// starting folder across the exec and names the hold in PTV_FOLDER_HOLD,
// so that the program lets go of it when it changes folder.
void HoldStartingFolderAcrossExec(const std::string& fullPath);

}  // namespace internal
}  // namespace emu
