// Starting programs as processes of the machine.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/command_line_splitter.h"
#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/code_page.h"
#include "platform/emulated/machine/internal/holds.h"
#include "platform/emulated/machine/internal/last_error.h"
#include "platform/emulated/machine/internal/paths.h"
#include "platform/emulated/machine/internal/process_table.h"
#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/processes.h"
#include "platform/errors.h"

namespace emu {

void FileHold::KeepAcrossExec() {
  if (fd_ < 0) return;
  const int flags = fcntl(fd_, F_GETFD);
  if (flags >= 0) fcntl(fd_, F_SETFD, flags & ~FD_CLOEXEC);
}

namespace {

// Closes every descriptor above stderr except `keep` and `alsoKeep`.
void CloseInheritedDescriptors(int keep, int alsoKeep) {
  const int low = keep < alsoKeep ? keep : alsoKeep;
  const int high = keep < alsoKeep ? alsoKeep : keep;
  if ((low <= 3 || close_range(3, static_cast<unsigned>(low) - 1, 0) == 0) &&
      (high <= low + 1 || close_range(static_cast<unsigned>(low) + 1, static_cast<unsigned>(high) - 1, 0) == 0) &&
      close_range(static_cast<unsigned>(high) + 1, ~0u, 0) == 0) {
    return;
  }
  const long last = sysconf(_SC_OPEN_MAX);
  for (int fd = 3; fd < (last > 0 ? last : 1024); ++fd) {
    if (fd != keep && fd != alsoKeep) close(fd);
  }
}

[[noreturn]] void FailChild(int reportFd, std::uint32_t error) {
  ssize_t written;
  do {
    written = write(reportFd, &error, sizeof error);
  } while (written < 0 && errno == EINTR);
  _exit(127);
}

// The child's side: runs between fork and exec and never returns.
[[noreturn]] void StartChild(int reportFd, const internal::ChildProcessFile& processFile,
                             const std::string& programPath, const std::string& hostProgram,
                             const std::string& commandLine, const std::string& currentFolder,
                             const std::string& hostCurrentFolder, const std::string& machine) {
  CloseInheritedDescriptors(reportFd, processFile.fd);
  if (!internal::CompleteChildProcess(processFile)) FailChild(reportFd, platform::kErrAccessDenied);
  putenv(const_cast<char*>(processFile.variable.c_str()));
  FileHold hold = HoldFile(programPath, HoldKind::Running);
  if (!hold.Held()) {
    FailChild(reportFd, internal::LastError() != platform::kErrNone ? internal::LastError()
                                                                   : platform::kErrSharingViolation);
  }
  hold.KeepAcrossExec();
  internal::HoldStartingFolderAcrossExec(currentFolder);

  setenv("PTV_MACHINE", machine.c_str(), 1);
  setenv("PTV_PROGRAM", programPath.c_str(), 1);
  setenv("PTV_COMMAND_LINE", commandLine.c_str(), 1);
  setenv("PTV_CURRENT_FOLDER", currentFolder.c_str(), 1);
  if (chdir(hostCurrentFolder.c_str()) != 0) FailChild(reportFd, platform::kErrPathNotFound);

  std::vector<std::string> arguments = platform::CommandLineSplitter(commandLine, internal::NextCharIndex).Split();
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  execv(hostProgram.c_str(), argv.data());
  FailChild(reportFd, internal::ErrorFromErrno(errno));
}

}  // namespace

int LaunchProgram(const std::string& windowsPath, const std::string& commandLine,
                  const std::string& currentFolder, std::uint32_t* processId) {
  const std::string machine = MachineFolder();
  // The program knows itself by its full path, as GetModuleFileNameA gives it.
  std::string programPath;
  std::string hostProgram;
  if (machine.empty() || !internal::FullWindowsPath(windowsPath, programPath) ||
      !ToHostPath(programPath, hostProgram)) {
    internal::SetLastError(platform::kErrPathNotFound);
    return -1;
  }
  struct stat info;
  if (stat(hostProgram.c_str(), &info) != 0) {
    internal::SetLastError(internal::ErrorFromErrno(errno));
    return -1;
  }
  if (S_ISDIR(info.st_mode)) {
    internal::SetLastError(platform::kErrAccessDenied);
    return -1;
  }

  // Without a folder of its own the program starts in ours, as CreateProcess does.
  std::string folder;
  if (!internal::FullWindowsPath(currentFolder.empty() ? internal::CurrentWindowsFolder() : currentFolder, folder)) {
    folder = FolderOf(programPath);
  }
  std::string hostFolder;
  struct stat folderInfo;
  if (!ToHostPath(folder, hostFolder) || stat(hostFolder.c_str(), &folderInfo) != 0 ||
      !S_ISDIR(folderInfo.st_mode)) {
    internal::SetLastError(platform::kErrDirectory);
    return -1;
  }
  // Without a command line the program's name stands alone, as with CreateProcess.
  const std::string line = commandLine.empty() ? QuoteProgramName(programPath) : commandLine;

  // The new process's file of the machine is made here, so that the
  // starter knows its id; the child completes it before its exec.
  internal::ChildProcessFile processFile;
  if (!internal::PrepareChildProcess(programPath, processFile)) {
    internal::SetLastError(platform::kErrAccessDenied);
    return -1;
  }
  // The child reports a failure before its exec through this pipe; a
  // successful exec closes it without a word.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    internal::ReleaseChildProcess(processFile);
    internal::SetLastError(platform::kErrInvalidParameter);
    return -1;
  }
  const pid_t pid = fork();
  if (pid < 0) {
    internal::ReleaseChildProcess(processFile);
    close(report[0]);
    close(report[1]);
    internal::SetLastError(platform::kErrInvalidParameter);
    return -1;
  }
  if (pid == 0) {
    close(report[0]);
    StartChild(report[1], processFile, programPath, hostProgram, line, folder, hostFolder, machine);
  }
  close(report[1]);
  std::uint32_t error = 0;
  ssize_t got;
  do {
    got = read(report[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  close(report[0]);
  internal::ReleaseChildProcess(processFile);
  if (got > 0) {
    WaitForProgram(pid);
    internal::SetLastError(error);
    return -1;
  }
  if (processId) *processId = processFile.id;
  return pid;
}

int WaitForProgram(int pid) {
  if (pid <= 0) {
    internal::SetLastError(platform::kErrInvalidHandle);
    return -1;
  }
  int status = 0;
  pid_t done;
  do {
    done = waitpid(pid, &status, 0);
  } while (done < 0 && errno == EINTR);
  if (done != pid) {
    internal::SetLastError(platform::kErrInvalidHandle);
    return -1;
  }
  if (!WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace emu
