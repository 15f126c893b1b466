// Starting programs as processes of the machine.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/command_line_splitter.h"
#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/code_page.h"
#include "platform/emulated/machine/internal/faults.h"
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

// What the child needs, all made before the fork: between fork and exec the
// child allocates nothing, since another thread of this process may hold
// the allocator's lock at the moment of the fork.
struct ChildStart {
  std::string hostProgram;
  std::string hostFolder;
  std::vector<std::string> arguments;
  std::vector<std::string> environment;
  std::vector<char*> argv;
  std::vector<char*> envp;
  char* folderHoldVariable = nullptr;  // the entry the child writes its process id into
  // Descriptors that outlive the exec: the report pipe, the holds and the
  // lock of the process file.
  int keep[4] = {-1, -1, -1, -1};
  const internal::ChildProcessFile* processFile = nullptr;
};

bool IsVariable(const char* entry, const char* name) {
  const std::size_t length = std::strlen(name);
  return std::strncmp(entry, name, length) == 0 && entry[length] == '=';
}

// This process's environment without the machine's own variables, then
// those of the program.
std::vector<std::string> ProgramEnvironment(const std::vector<std::string>& own) {
  static const char* const kOwn[] = {"PTV_MACHINE", "PTV_PROGRAM", "PTV_COMMAND_LINE", "PTV_CURRENT_FOLDER",
                                     "PTV_FOLDER_HOLD", "PTV_PROCESS"};
  std::vector<std::string> environment;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    bool replaced = false;
    for (const char* name : kOwn) replaced = replaced || IsVariable(*entry, name);
    if (!replaced) environment.emplace_back(*entry);
  }
  environment.insert(environment.end(), own.begin(), own.end());
  return environment;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& text : strings) pointers.push_back(&text[0]);
  pointers.push_back(nullptr);
  return pointers;
}

// Closes every descriptor above stderr except those of `keep` (-1 for none).
void CloseInheritedDescriptors(const int (&keep)[4]) {
  int sorted[4] = {keep[0], keep[1], keep[2], keep[3]};
  for (int i = 0; i < 4; ++i) {
    for (int j = i + 1; j < 4; ++j) {
      if (sorted[j] < sorted[i]) std::swap(sorted[i], sorted[j]);
    }
  }
  unsigned first = 3;
  bool ranges = true;
  for (int fd : sorted) {
    if (fd < static_cast<int>(first)) continue;
    if (static_cast<unsigned>(fd) > first) ranges = ranges && close_range(first, static_cast<unsigned>(fd) - 1, 0) == 0;
    first = static_cast<unsigned>(fd) + 1;
  }
  if (ranges && close_range(first, ~0u, 0) == 0) return;
  const long last = sysconf(_SC_OPEN_MAX);
  for (int fd = 3; fd < (last > 0 ? last : 1024); ++fd) {
    if (fd != keep[0] && fd != keep[1] && fd != keep[2] && fd != keep[3]) close(fd);
  }
}

[[noreturn]] void FailChild(int reportFd, std::uint32_t error) {
  ssize_t written;
  do {
    written = write(reportFd, &error, sizeof error);
  } while (written < 0 && errno == EINTR);
  _exit(127);
}

// The child's side: runs between fork and exec, allocates nothing and never returns.
[[noreturn]] void StartChild(const ChildStart& start) {
  const int reportFd = start.keep[0];
  CloseInheritedDescriptors(start.keep);
  // The holds go on in the program: their descriptors stay open across the exec.
  for (int i = 1; i < 3; ++i) {
    const int flags = start.keep[i] >= 0 ? fcntl(start.keep[i], F_GETFD) : -1;
    if (flags >= 0) fcntl(start.keep[i], F_SETFD, flags & ~FD_CLOEXEC);
  }
  if (start.folderHoldVariable != nullptr) internal::FillStartingHoldProcess(start.folderHoldVariable);
  if (!internal::CompleteChildProcess(*start.processFile)) FailChild(reportFd, platform::kErrAccessDenied);
  if (chdir(start.hostFolder.c_str()) != 0) FailChild(reportFd, platform::kErrPathNotFound);
  execve(start.hostProgram.c_str(), start.argv.data(), start.envp.data());
  FailChild(reportFd, internal::ErrorFromErrno(errno));
}

// Lets go of the holds the parent took for a program that did not start.
void EndHolds(internal::HoldHandle& program, internal::HoldHandle& folder) {
  internal::EndHold(program);
  internal::EndHold(folder);
}

// The program owns the holds now; this process keeps no descriptor of them.
void HandOverHolds(internal::HoldHandle& program, internal::HoldHandle& folder) {
  for (internal::HoldHandle* hold : {&program, &folder}) {
    if (hold->fd >= 0) close(hold->fd);
    *hold = internal::HoldHandle();
  }
}

}  // namespace

int LaunchProgram(const std::string& windowsPath, const std::string& commandLine,
                  const std::string& currentFolder, std::uint32_t* processId) {
  if (internal::InjectedFault("LaunchProgram", windowsPath)) return -1;
  const std::string machine = MachineFolder();
  // The program knows itself by its full path, as GetModuleFileNameA gives it.
  std::string programPath;
  ChildStart start;
  if (machine.empty() || !internal::FullWindowsPath(windowsPath, programPath) ||
      !ToHostPath(programPath, start.hostProgram)) {
    internal::SetLastError(platform::kErrPathNotFound);
    return -1;
  }
  struct stat info;
  if (stat(start.hostProgram.c_str(), &info) != 0) {
    internal::SetLastError(internal::ErrorFromErrno(errno));
    return -1;
  }
  if (S_ISDIR(info.st_mode)) {
    internal::SetLastError(platform::kErrAccessDenied);
    return -1;
  }
  // A program file that another program holds open can't be started.
  HoldKind held;
  if (FindHold(start.hostProgram, held) && held == HoldKind::Open) {
    internal::SetLastError(platform::kErrSharingViolation);
    return -1;
  }

  // Without a folder of its own the program starts in ours, as CreateProcess does.
  std::string folder;
  if (!internal::FullWindowsPath(currentFolder.empty() ? internal::CurrentWindowsFolder() : currentFolder, folder)) {
    folder = FolderOf(programPath);
  }
  struct stat folderInfo;
  if (!ToHostPath(folder, start.hostFolder) || stat(start.hostFolder.c_str(), &folderInfo) != 0 ||
      !S_ISDIR(folderInfo.st_mode)) {
    internal::SetLastError(platform::kErrDirectory);
    return -1;
  }
  // Without a command line the program's name stands alone, as with CreateProcess.
  const std::string line = commandLine.empty() ? QuoteProgramName(programPath) : commandLine;

  // The new process holds its own file as Running and its folder as Open;
  // the holds are taken here and handed over across the fork.
  internal::HoldHandle programHold;
  if (!internal::TakeHold(programPath, HoldKind::Running, programHold)) {
    if (internal::LastError() == platform::kErrNone) internal::SetLastError(platform::kErrSharingViolation);
    return -1;
  }
  internal::HoldHandle folderHold;
  std::string folderHoldVariable;
  std::vector<std::string> own = {"PTV_MACHINE=" + machine, "PTV_PROGRAM=" + programPath,
                                  "PTV_COMMAND_LINE=" + line, "PTV_CURRENT_FOLDER=" + folder};
  const bool folderHeld = internal::HoldStartingFolder(folder, folderHold, folderHoldVariable);
  if (folderHeld) own.push_back(folderHoldVariable);
  // The new process's file of the machine is made here too, so that the
  // starter knows its id; the child completes it before its exec.
  internal::ChildProcessFile processFile;
  if (!internal::PrepareChildProcess(programPath, processFile)) {
    EndHolds(programHold, folderHold);
    internal::SetLastError(platform::kErrAccessDenied);
    return -1;
  }
  own.push_back(processFile.variable);
  start.environment = ProgramEnvironment(own);
  start.envp = Pointers(start.environment);
  if (folderHeld) start.folderHoldVariable = start.envp[start.envp.size() - 3];
  start.arguments = platform::CommandLineSplitter(line, internal::NextCharIndex).Split();
  start.argv = Pointers(start.arguments);

  // The child reports a failure before its exec through this pipe; a
  // successful exec closes it without a word.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    EndHolds(programHold, folderHold);
    internal::ReleaseChildProcess(processFile);
    internal::SetLastError(platform::kErrInvalidParameter);
    return -1;
  }
  start.keep[0] = report[1];
  start.keep[1] = programHold.fd;
  start.keep[2] = folderHold.fd;
  start.keep[3] = processFile.fd;
  start.processFile = &processFile;
  const pid_t pid = fork();
  if (pid < 0) {
    close(report[0]);
    close(report[1]);
    EndHolds(programHold, folderHold);
    internal::ReleaseChildProcess(processFile);
    internal::SetLastError(platform::kErrInvalidParameter);
    return -1;
  }
  if (pid == 0) {
    close(report[0]);
    StartChild(start);
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
    EndHolds(programHold, folderHold);
    internal::SetLastError(error);
    return -1;
  }
  HandOverHolds(programHold, folderHold);
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
