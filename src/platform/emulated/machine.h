#pragma once
// The emulated Windows machine: a folder that holds drives, the registry,
// files in use, the operator's answers and the message-box transcript.
// Many processes may use one machine at once.
//
// Layout of a machine folder:
//   machine.ini               settings, lines key=value: user=<name>, codepage=1252|932,
//                             administrator=1|0, windows64=1|0
//   drives/c/ ...             drive C: (other letters: drives/d, ...); Z: is the host's root
//   registry/HKEY_LOCAL_MACHINE.reg          REGEDIT4 text, one file per hive
//   registry/HKEY_USERS/<user>.reg           HKEY_USERS\<user>; HKEY_CURRENT_USER is the current user's
//   holds/                    files held in use, one file per hold, locked by its holder
//   operator/answers          message-box answers still to give, one a line
//   transcript.txt            every message box shown, with its answer
//
// A program run on the machine learns its world from the environment:
//   PTV_MACHINE         the machine folder (host path); UseMachine() sets it in-process
//   PTV_PROGRAM         the full Windows path of its own program file
//   PTV_COMMAND_LINE    its whole Windows command line, program included
//   PTV_CURRENT_FOLDER  the Windows path of its starting current folder
//   PTV_FOLDER_HOLD     "<process id> <descriptor> <hold file>": its hold on that folder,
//                       let go when it changes folder
#include <cstdint>
#include <string>

namespace emu {

struct MachineSettings {
  std::string userName = "User";
  unsigned codePage = 1252;
  bool administrator = true;
  bool windows64 = false;  // a 32-bit setup then runs under WOW64
  std::string extraDrives;  // letters of further empty drives besides C:, such as "DE"
};

// Creates a fresh machine in `folder` (missing or empty): the drives, the
// Windows, temporary, Program Files, Start-menu, Startup and desktop folders
// of the user and of all users, and a registry that names them.
bool CreateMachine(const std::string& folder, const MachineSettings& settings, std::string& error);

// Makes this process act on the machine in `folder` (absolute host path).
void UseMachine(const std::string& folder);
// The machine folder in use; "" when none (PTV_MACHINE unset and UseMachine not called).
std::string MachineFolder();
// The machine's settings, read from machine.ini.
const MachineSettings& Settings();

// The Windows path to the host path inside the machine, found without regard
// to case; components that do not exist keep the case given. Relative paths
// start at the current folder. false for a path that names no drive of the
// machine or is malformed.
bool ToHostPath(const std::string& windowsPath, std::string& hostPath);
// The host path back to a Windows path: inside a drive folder of the machine
// it is that drive's path, elsewhere Z: and the host path.
std::string ToWindowsPath(const std::string& hostPath);

// Files in use. A hold lasts until Release() or until its holder ends.
enum class HoldKind {
  Open,     // held open by a program: no delete, no overwrite, no move
  Running,  // a running program's own file: no delete, no overwrite; a move is allowed
};
class FileHold {
 public:
  FileHold() = default;
  FileHold(FileHold&& other) noexcept;
  FileHold& operator=(FileHold&& other) noexcept;
  FileHold(const FileHold&) = delete;
  FileHold& operator=(const FileHold&) = delete;
  ~FileHold();
  bool Held() const { return fd_ >= 0; }
  void Release();
  // Leaves the held descriptor open across an exec of this process, so that
  // the program that replaces it goes on holding the file.
  void KeepAcrossExec();

 private:
  friend FileHold HoldFile(const std::string&, HoldKind);
  int fd_ = -1;
  std::string holdFile_;
};
// Holds the file that `windowsPath` names; Held() is false on failure.
FileHold HoldFile(const std::string& windowsPath, HoldKind kind);
// How the file at `hostPath` is held by any live holder; false when it is not held.
bool FindHold(const std::string& hostPath, HoldKind& kind);

// Starts the program file at `windowsPath` (a host executable inside the
// machine) with the given Windows command line and current folder, as a
// process of this machine. The new process holds its own program file as
// Running for as long as it lives, and its current folder as Open until it
// changes folder. Program and folder reach it as full Windows paths.
// Returns the host process id, or -1.
int LaunchProgram(const std::string& windowsPath, const std::string& commandLine,
                  const std::string& currentFolder);
// Waits for a process started by LaunchProgram; its exit status, or -1.
int WaitForProgram(int pid);

}  // namespace emu
