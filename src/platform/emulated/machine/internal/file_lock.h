#pragma once
// Locks that the processes of a machine share: a lock file, locked for as
// long as its owner keeps it, let go when the owner ends, however it ends.
#include <string>

namespace emu {
namespace internal {

class FileLock {
 public:
  enum Mode { Shared, Exclusive };
  // Locks the host file at `path`, made when missing. A file that can't be
  // opened leaves the lock not Locked(): a machine folder that can't be
  // written can't be shared either.
  FileLock(const std::string& path, Mode mode);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool Locked() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// The lock file <machine>/<name>.lock of the machine in use; "" when no
// machine is in use (and a FileLock on "" locks nothing).
std::string MachineLockPath(const char* name);

}  // namespace internal
}  // namespace emu
