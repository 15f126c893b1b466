// Windows as files, messages through one FIFO per process.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <set>

#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/last_error.h"
#include "platform/emulated/machine/internal/process_table.h"
#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/process_table.h"
#include "platform/emulated/machine/windows_table.h"
#include "platform/errors.h"

namespace emu {

namespace {

constexpr std::uint32_t kFirstWindowHandle = 0x10010;
constexpr std::uint32_t kWindowHandleStep = 2;

// One message as it travels through a queue; smaller than PIPE_BUF, so each
// write arrives whole.
struct QueuedMessage {
  std::uint32_t window;
  std::uint32_t message;
  std::uint64_t wParam;
  std::int64_t lParam;
};
static_assert(sizeof(QueuedMessage) == 24, "one record of a message queue");
constexpr std::uint32_t kQuitMessage = 0x0012;  // WM_QUIT
constexpr std::size_t kQueueLimit = 10000;      // messages a queue holds at least

std::string WindowsFolder(const std::string& machine) { return machine + "/windows"; }
std::string QueuePath(const std::string& machine, std::uint32_t process) {
  return machine + "/queues/" + std::to_string(process);
}

bool ParseWindow(const std::string& text, MachineWindow& window) {
  const std::size_t end = text.find('\n');
  if (end == std::string::npos) return false;
  unsigned long process = 0, owner = 0, style = 0, exStyle = 0;
  if (std::sscanf(text.substr(0, end).c_str(), "%lu %lu %lu %lu", &process, &owner, &style, &exStyle) != 4) {
    return false;
  }
  window.process = static_cast<std::uint32_t>(process);
  window.owner = static_cast<std::uint32_t>(owner);
  window.style = static_cast<std::uint32_t>(style);
  window.exStyle = static_cast<std::uint32_t>(exStyle);
  window.title = text.substr(end + 1);
  return true;
}

bool ReadWindow(const std::string& machine, std::uint32_t handle, MachineWindow& window) {
  const int fd = open((WindowsFolder(machine) + "/" + std::to_string(handle)).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  std::string text;
  const bool read = internal::ReadAll(fd, text);
  close(fd);
  window.handle = handle;
  return read && ParseWindow(text, window);
}

// This process's queue and its windows, per machine.
struct OwnQueue {
  std::string machine;
  std::uint32_t process = 0;
  int fd = -1;
  std::set<std::uint32_t> windows;
  // WM_QUIT waits beside the queue, as on Windows, and comes once the
  // queue is empty.
  bool quit = false;
};
std::mutex queueLock;
OwnQueue& Queue() {
  static OwnQueue queue;
  return queue;
}

// The queue of this process on the machine in use, made on first need; -1 on failure.
int OwnQueueFd(const std::string& machine) {
  OwnQueue& queue = Queue();
  const std::uint32_t process = ThisProcessId();
  if (queue.fd >= 0 && queue.machine == machine && queue.process == process) return queue.fd;
  if (queue.fd >= 0) close(queue.fd);
  queue = OwnQueue();
  if (process == 0) return -1;
  mkdir((machine + "/queues").c_str(), 0755);
  const std::string path = QueuePath(machine, process);
  if (mkfifo(path.c_str(), 0644) != 0 && errno != EEXIST) return -1;
  // Read and write: the FIFO then stays open for writers while this process lives.
  const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return -1;
  // Room for Windows' usual limit of a queue; the kernel rounds it up.
  fcntl(fd, F_SETPIPE_SZ, static_cast<int>(kQueueLimit * sizeof(QueuedMessage)));
  queue.machine = machine;
  queue.process = process;
  queue.fd = fd;
  return fd;
}

// Writes one record without letting a reader that went away raise SIGPIPE.
ssize_t WriteWithoutSigpipe(int fd, const void* data, std::size_t size) {
  sigset_t pipeSignal, previous;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
  sigset_t pendingBefore;
  sigpending(&pendingBefore);
  const ssize_t written = write(fd, data, size);
  const int error = errno;
  if (written < 0 && error == EPIPE && !sigismember(&pendingBefore, SIGPIPE)) {
    const timespec none = {0, 0};
    sigtimedwait(&pipeSignal, nullptr, &none);
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  errno = error;
  return written;
}

}  // namespace

bool FindLiveWindow(std::uint32_t handle, MachineWindow& window) {
  const std::string machine = MachineFolder();
  if (machine.empty() || handle == 0 || !ReadWindow(machine, handle, window)) return false;
  MachineProcess process;
  if (FindLiveProcess(window.process, process)) return true;
  unlink((WindowsFolder(machine) + "/" + std::to_string(handle)).c_str());  // its process has ended
  return false;
}

std::vector<MachineWindow> LiveWindows() {
  std::vector<MachineWindow> found;
  const std::string machine = MachineFolder();
  if (machine.empty()) return found;
  std::vector<std::uint32_t> handles = internal::NumberedFiles(WindowsFolder(machine));
  std::reverse(handles.begin(), handles.end());  // the most recent first
  std::map<std::uint32_t, bool> alive;  // one look per process
  for (std::uint32_t handle : handles) {
    MachineWindow window;
    if (!ReadWindow(machine, handle, window)) continue;
    auto known = alive.find(window.process);
    if (known == alive.end()) {
      MachineProcess process;
      known = alive.emplace(window.process, FindLiveProcess(window.process, process)).first;
    }
    if (known->second) {
      found.push_back(window);
    } else {
      unlink((WindowsFolder(machine) + "/" + std::to_string(handle)).c_str());
    }
  }
  return found;
}

std::uint32_t CreateMachineWindow(const std::string& title, std::uint32_t style, std::uint32_t exStyle,
                                  std::uint32_t owner) {
  const std::string machine = MachineFolder();
  MachineWindow ownerWindow;
  if (machine.empty() || (owner != 0 && !FindLiveWindow(owner, ownerWindow))) {
    internal::SetLastError(platform::kErrInvalidWindowHandle);
    return 0;
  }
  std::lock_guard<std::mutex> guard(queueLock);
  const std::uint32_t process = ThisProcessId();
  if (OwnQueueFd(machine) < 0) {
    internal::SetLastError(platform::kErrNotEnoughQuota);
    return 0;
  }
  const std::string folder = WindowsFolder(machine);
  mkdir(folder.c_str(), 0755);
  const std::uint32_t handle = internal::NextSerial(folder + "/.counter", kFirstWindowHandle, kWindowHandleStep);
  const std::string temporary = folder + "/.new-" + std::to_string(handle);
  const std::string record = std::to_string(process) + " " + std::to_string(owner) + " " + std::to_string(style) +
                             " " + std::to_string(exStyle) + "\n" + title;
  const int fd = handle == 0 ? -1 : open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const bool written = fd >= 0 && internal::WriteAll(fd, record);
  if (fd >= 0) close(fd);
  if (!written || rename(temporary.c_str(), (folder + "/" + std::to_string(handle)).c_str()) != 0) {
    unlink(temporary.c_str());
    internal::SetLastError(platform::kErrNotEnoughQuota);
    return 0;
  }
  Queue().windows.insert(handle);
  return handle;
}

bool DestroyMachineWindow(std::uint32_t handle) {
  MachineWindow window;
  if (!FindLiveWindow(handle, window)) {
    internal::SetLastError(platform::kErrInvalidWindowHandle);
    return false;
  }
  if (window.process != ThisProcessId()) {
    internal::SetLastError(platform::kErrAccessDenied);
    return false;
  }
  for (const MachineWindow& other : LiveWindows()) {
    if (other.owner == handle && other.process == window.process) DestroyMachineWindow(other.handle);
  }
  unlink((WindowsFolder(MachineFolder()) + "/" + std::to_string(handle)).c_str());
  std::lock_guard<std::mutex> guard(queueLock);
  Queue().windows.erase(handle);
  return true;
}

bool PostMachineMessage(std::uint32_t window, std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) {
  MachineWindow target;
  if (!FindLiveWindow(window, target)) {
    internal::SetLastError(platform::kErrInvalidWindowHandle);
    return false;
  }
  // Without a reader (its process has just ended) the open fails.
  const int fd = open(QueuePath(MachineFolder(), target.process).c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    internal::SetLastError(platform::kErrInvalidWindowHandle);
    return false;
  }
  const QueuedMessage record = {window, message, wParam, lParam};
  const ssize_t written = WriteWithoutSigpipe(fd, &record, sizeof record);
  const int error = errno;
  close(fd);
  if (written == static_cast<ssize_t>(sizeof record)) return true;
  internal::SetLastError(written < 0 && error == EAGAIN ? platform::kErrNotEnoughQuota
                                                        : platform::kErrInvalidWindowHandle);
  return false;
}

void PostQuitToThisProcess() {
  std::lock_guard<std::mutex> guard(queueLock);
  Queue().quit = true;
}

bool WaitForMachineMessage(MachineMessage& message) {
  const std::string machine = MachineFolder();
  int fd;
  {
    std::lock_guard<std::mutex> guard(queueLock);
    fd = machine.empty() ? -1 : OwnQueueFd(machine);
  }
  if (fd < 0) {
    internal::SetLastError(platform::kErrInvalidHandle);
    return false;
  }
  for (;;) {
    {
      std::lock_guard<std::mutex> guard(queueLock);
      pollfd waiting = {fd, POLLIN, 0};
      if (Queue().quit && poll(&waiting, 1, 0) == 0) {
        Queue().quit = false;
        message = {0, kQuitMessage, 0, 0};
        return true;
      }
    }
    QueuedMessage record;
    const ssize_t got = read(fd, &record, sizeof record);
    if (got < 0 && errno == EINTR) continue;
    if (got != static_cast<ssize_t>(sizeof record)) {
      internal::SetLastError(platform::kErrInvalidHandle);
      return false;
    }
    {
      // Messages to a window destroyed meanwhile go with it.
      std::lock_guard<std::mutex> guard(queueLock);
      if (record.window != 0 && Queue().windows.count(record.window) == 0) continue;
    }
    message = {record.window, record.message, record.wParam, record.lParam};
    return true;
  }
}

}  // namespace emu
