#include "platform/emulated/machine/internal/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/emulated/machine/machine.h"

namespace emu {
namespace internal {

// A descriptor of its own for every lock: flock locks belong to the open
// file, so two locks of one process never merge, and a forked child that
// inherits one does not take it over.
FileLock::FileLock(const std::string& path, Mode mode) {
  if (path.empty()) return;
  fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) return;
  int locked;
  while ((locked = flock(fd_, mode == Exclusive ? LOCK_EX : LOCK_SH)) != 0 && errno == EINTR) {
  }
  if (locked != 0) {
    close(fd_);
    fd_ = -1;
  }
}

FileLock::~FileLock() {
  if (fd_ >= 0) close(fd_);
}

std::string MachineLockPath(const char* name) {
  const std::string machine = MachineFolder();
  return machine.empty() ? "" : machine + "/" + name + ".lock";
}

}  // namespace internal
}  // namespace emu
