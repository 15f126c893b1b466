#pragma once
// Processes of the machine: files held in use, programs started on the
// machine and waited for, and their Windows command lines: one string that
// the started program splits into its arguments by the rules of the C
// runtime's start-up code (platform::SplitCommandLine), and the quoting that
// builds such a string.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/command_line.h"

namespace emu {

// A program started on the machine gets the arguments that the program
// itself would split from its command line.
using platform::SplitCommandLine;

// `argument` written so that SplitCommandLine gives it back unchanged.
std::string QuoteArgument(const std::string& argument);
// The program name, quoted when it holds a blank (it can't hold a quote).
std::string QuoteProgramName(const std::string& program);
// The program name and the arguments as one command line.
std::string JoinCommandLine(const std::string& program, const std::vector<std::string>& arguments);

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

// The program files of the programs running on the machine now (files
// held as Running by a live holder), as Windows paths, in no set order.
std::vector<std::string> RunningProgramFiles();

// Starts the program file at `windowsPath` (a host executable inside the
// machine) with the given Windows command line and current folder, as a
// process of this machine. The new process holds its own program file as
// Running for as long as it lives, and its current folder as Open until it
// changes folder. Program and folder reach it as full Windows paths.
// Returns the host process id, or -1; the machine's id of the new process
// (process_table.h) goes to `processId` when given.
int LaunchProgram(const std::string& windowsPath, const std::string& commandLine,
                  const std::string& currentFolder, std::uint32_t* processId = nullptr);
// Waits for a process started by LaunchProgram; its exit status, or -1.
int WaitForProgram(int pid);

}  // namespace emu
