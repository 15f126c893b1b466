// The machine's process table: one locked file per live process.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/last_error.h"
#include "platform/emulated/machine/internal/process_table.h"
#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/paths.h"
#include "platform/emulated/machine/process_table.h"
#include "platform/errors.h"

namespace emu {

namespace {

constexpr std::uint32_t kFirstProcessId = 1000;
constexpr std::uint32_t kProcessIdStep = 4;

std::string ProcessesFolder(const std::string& machine) { return machine + "/processes"; }
std::string ProcessFile(const std::string& machine, std::uint32_t id) {
  return ProcessesFolder(machine) + "/" + std::to_string(id);
}

bool ParseRecord(const std::string& text, MachineProcess& process) {
  const std::size_t blank = text.find(' ');
  if (blank == std::string::npos) return false;
  char* end = nullptr;
  process.hostPid = std::strtol(text.c_str(), &end, 10);
  if (end != text.c_str() + blank || process.hostPid <= 0) return false;
  process.program = internal::Trimmed(text.substr(blank + 1), "\r\n");
  return true;
}

// This process's own entry, per machine: a process may switch machines.
struct OwnEntry {
  std::string machine;
  std::uint32_t id = 0;
  int fd = -1;
};
// Reached through a function, as static objects of other files ask for the
// id during their own construction.
std::mutex ownLock;
OwnEntry& Own() {
  static OwnEntry entry;
  return entry;
}

// The id a program started on the machine brought along, when its process
// file is still the one it holds.
std::uint32_t InheritedId(const std::string& machine, int& fd) {
  const char* given = std::getenv("PTV_PROCESS");
  if (!given) return 0;
  unsigned long id = 0;
  int descriptor = -1;
  if (std::sscanf(given, "%lu %d", &id, &descriptor) != 2 || descriptor < 0) return 0;
  struct stat held, named;
  if (fstat(descriptor, &held) != 0 || stat(ProcessFile(machine, static_cast<std::uint32_t>(id)).c_str(), &named) != 0 ||
      held.st_ino != named.st_ino || held.st_dev != named.st_dev) {
    return 0;
  }
  const int flags = fcntl(descriptor, F_GETFD);
  if (flags >= 0) fcntl(descriptor, F_SETFD, flags | FD_CLOEXEC);
  fd = descriptor;
  return static_cast<std::uint32_t>(id);
}

// The program file of this process as the machine names it: the one it was
// started with, or the host's own program mapped into the machine (Z:).
std::string OwnProgram() {
  if (const char* given = std::getenv("PTV_PROGRAM")) return given;
  char buffer[4096];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? ToWindowsPath(std::string(buffer, static_cast<std::size_t>(n))) : std::string("unknown");
}

}  // namespace

namespace internal {

std::uint32_t NextSerial(const std::string& hostPath, std::uint32_t first, std::uint32_t step) {
  const int fd = open(hostPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return 0;
  std::uint32_t number = 0;
  std::string text;
  if (flock(fd, LOCK_EX) == 0 && ReadAll(fd, text)) {
    const unsigned long stored = std::strtoul(text.c_str(), nullptr, 10);
    number = stored == 0 ? first : static_cast<std::uint32_t>(stored);
    const std::string next = std::to_string(number + step) + "\n";
    if (pwrite(fd, next.data(), next.size(), 0) != static_cast<ssize_t>(next.size()) ||
        ftruncate(fd, static_cast<off_t>(next.size())) != 0) {
      number = 0;
    }
  }
  close(fd);  // also lets go of the lock
  return number;
}

std::vector<std::uint32_t> NumberedFiles(const std::string& hostFolder) {
  std::vector<std::uint32_t> numbers;
  DIR* dir = opendir(hostFolder.c_str());
  if (!dir) return numbers;
  while (dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;  // also temporary files
    char* end = nullptr;
    const unsigned long number = std::strtoul(entry->d_name, &end, 10);
    if (*end == '\0' && number != 0) numbers.push_back(static_cast<std::uint32_t>(number));
  }
  closedir(dir);
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

std::uint32_t AllocateProcessId() {
  const std::string machine = MachineFolder();
  if (machine.empty()) return 0;
  mkdir(ProcessesFolder(machine).c_str(), 0755);
  return NextSerial(ProcessesFolder(machine) + "/.counter", kFirstProcessId, kProcessIdStep);
}

bool PrepareChildProcess(const std::string& programPath, ChildProcessFile& file) {
  const std::string machine = MachineFolder();
  file = ChildProcessFile();
  file.id = AllocateProcessId();
  if (file.id == 0) return false;
  file.final = ProcessFile(machine, file.id);
  file.temporary = ProcessesFolder(machine) + "/.new-" + std::to_string(file.id);
  file.program = " " + programPath + "\n";
  file.fd = open(file.temporary.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (file.fd < 0 || flock(file.fd, LOCK_EX) != 0) {
    ReleaseChildProcess(file);
    return false;
  }
  file.variable = "PTV_PROCESS=" + std::to_string(file.id) + " " + std::to_string(file.fd);
  return true;
}

bool CompleteChildProcess(const ChildProcessFile& file) {
  char digits[24];
  std::size_t length = 0;
  for (unsigned long pid = static_cast<unsigned long>(getpid()); pid != 0 || length == 0; pid /= 10) {
    digits[length++] = static_cast<char>('0' + pid % 10);
  }
  char record[24];
  for (std::size_t i = 0; i < length; ++i) record[i] = digits[length - 1 - i];
  if (write(file.fd, record, length) != static_cast<ssize_t>(length) ||
      write(file.fd, file.program.data(), file.program.size()) != static_cast<ssize_t>(file.program.size()) ||
      rename(file.temporary.c_str(), file.final.c_str()) != 0) {
    return false;
  }
  const int flags = fcntl(file.fd, F_GETFD);
  return flags >= 0 && fcntl(file.fd, F_SETFD, flags & ~FD_CLOEXEC) == 0;
}

void ReleaseChildProcess(ChildProcessFile& file) {
  if (!file.temporary.empty()) unlink(file.temporary.c_str());
  if (file.fd >= 0) close(file.fd);
  file.fd = -1;
}

}  // namespace internal

std::uint32_t ThisProcessId() {
  const std::string machine = MachineFolder();
  if (machine.empty()) return 0;
  std::lock_guard<std::mutex> guard(ownLock);
  OwnEntry& own = Own();
  if (own.id != 0 && own.machine == machine) return own.id;
  if (own.fd >= 0) close(own.fd);
  own = OwnEntry();
  int fd = -1;
  std::uint32_t id = InheritedId(machine, fd);
  if (id == 0) {
    // Made the way a started program's is, then kept from programs this
    // process may start.
    internal::ChildProcessFile file;
    if (!internal::PrepareChildProcess(OwnProgram(), file) || !internal::CompleteChildProcess(file)) {
      internal::ReleaseChildProcess(file);
      return 0;
    }
    id = file.id;
    fd = file.fd;
    fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  own.machine = machine;
  own.id = id;
  own.fd = fd;
  return id;
}

bool FindLiveProcess(std::uint32_t id, MachineProcess& process) {
  const std::string machine = MachineFolder();
  if (machine.empty() || id == 0) return false;
  const std::string file = ProcessFile(machine, id);
  const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  std::string text;
  const bool alive = flock(fd, LOCK_SH | LOCK_NB) != 0;
  const bool read = alive && internal::ReadAll(fd, text);
  if (!alive) unlink(file.c_str());
  close(fd);
  if (!read) return false;
  process.id = id;
  return ParseRecord(text, process);
}

std::vector<MachineProcess> LiveProcesses() {
  std::vector<MachineProcess> found;
  const std::string machine = MachineFolder();
  if (machine.empty()) return found;
  const std::vector<std::uint32_t> ids = internal::NumberedFiles(ProcessesFolder(machine));
  for (std::uint32_t id : ids) {
    MachineProcess process;
    if (FindLiveProcess(id, process)) found.push_back(process);
  }
  return found;
}

bool EndMachineProcess(std::uint32_t id, std::uint32_t exitCode) {
  if (id != 0 && id == ThisProcessId()) {
    std::fflush(nullptr);
    _exit(static_cast<int>(exitCode & 0xFF));
  }
  MachineProcess process;
  if (!FindLiveProcess(id, process)) {
    internal::SetLastError(platform::kErrAccessDenied);  // as for a process that has ended
    return false;
  }
  // A descriptor of the host process first, then the liveness check again:
  // the signal then reaches the process that holds the id, never one that
  // took over its host pid after it ended.
  const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, static_cast<pid_t>(process.hostPid), 0));
  MachineProcess still;
  if (!FindLiveProcess(id, still) || still.hostPid != process.hostPid) {
    if (pidfd >= 0) close(pidfd);
    internal::SetLastError(platform::kErrAccessDenied);
    return false;
  }
  int sent;
  if (pidfd >= 0) {
    sent = static_cast<int>(syscall(SYS_pidfd_send_signal, pidfd, SIGKILL, nullptr, 0));
    close(pidfd);
  } else {
    sent = kill(static_cast<pid_t>(process.hostPid), SIGKILL);
  }
  if (sent != 0) {
    internal::SetLastError(platform::kErrAccessDenied);
    return false;
  }
  return true;
}

}  // namespace emu

namespace {
// A program started on the machine claims its id at once, so that the
// descriptor of its liveness lock goes no further than this process.
[[maybe_unused]] const bool kClaimedAtStart = std::getenv("PTV_PROCESS") != nullptr && emu::ThisProcessId() != 0;
}  // namespace
