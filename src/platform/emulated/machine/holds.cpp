#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <random>
#include <utility>

#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/holds.h"
#include "platform/emulated/machine/internal/last_error.h"
#include "platform/emulated/machine/machine.h"
#include "platform/errors.h"

// Files in use. Each hold is a small file in <machine>/holds/ that its holder
// keeps locked for as long as the hold lasts; the lock dies with the holder,
// so a hold whose lock can be taken belongs to a process that has ended.
namespace emu {

namespace {

constexpr char kTemporaryPrefix = '.';

std::string HoldsFolder() {
  std::string machine = MachineFolder();
  return machine.empty() ? "" : machine + "/holds";
}

std::string UniqueSuffix() {
  static std::atomic<unsigned> counter{0};
  static const unsigned long salt = std::random_device{}();
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%ld-%u-%lx", static_cast<long>(getpid()), counter++, salt);
  return buffer;
}

struct HoldRecord {
  HoldKind kind = HoldKind::Open;
  unsigned long long device = 0;
  unsigned long long inode = 0;
};

bool ParseRecord(const std::string& text, HoldRecord& record) {
  char kind[16] = {0};
  if (std::sscanf(text.c_str(), "%15s %llu %llu", kind, &record.device, &record.inode) != 3) return false;
  std::string name = kind;
  if (name == "open") {
    record.kind = HoldKind::Open;
  } else if (name == "running") {
    record.kind = HoldKind::Running;
  } else {
    return false;
  }
  return true;
}

}  // namespace

FileHold::FileHold(FileHold&& other) noexcept { *this = std::move(other); }

FileHold& FileHold::operator=(FileHold&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = other.fd_;
    holdFile_ = std::move(other.holdFile_);
    other.fd_ = -1;
    other.holdFile_.clear();
  }
  return *this;
}

FileHold::~FileHold() { Release(); }

void FileHold::Release() {
  internal::HoldHandle handle{fd_, std::move(holdFile_)};
  internal::EndHold(handle);
  fd_ = -1;
  holdFile_.clear();
}

FileHold HoldFile(const std::string& windowsPath, HoldKind kind) {
  FileHold hold;
  internal::HoldHandle handle;
  if (internal::TakeHold(windowsPath, kind, handle)) {
    hold.fd_ = handle.fd;
    hold.holdFile_ = std::move(handle.file);
  }
  return hold;
}

namespace internal {

HoldsGuard::HoldsGuard(Kind kind)
    : lock_(MachineLockPath("holds"), kind == ForHold ? FileLock::Exclusive : FileLock::Shared) {}

bool TakeHold(const std::string& windowsPath, HoldKind kind, HoldHandle& hold) {
  HoldsGuard guard(HoldsGuard::ForHold);
  std::string hostPath;
  struct stat st;
  if (!ToHostPath(windowsPath, hostPath) || stat(hostPath.c_str(), &st) != 0) {
    internal::SetLastError(platform::kErrFileNotFound);
    return false;
  }
  std::string folder = HoldsFolder();
  if (folder.empty()) {
    internal::SetLastError(platform::kErrPathNotFound);
    return false;
  }
  mkdir(folder.c_str(), 0755);
  std::string suffix = UniqueSuffix();
  std::string temporary = folder + "/" + kTemporaryPrefix + "new-" + suffix;
  std::string final = folder + "/" + suffix + ".hold";
  int fd = open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    internal::SetLastError(platform::kErrAccessDenied);
    return false;
  }
  char header[96];
  std::snprintf(header, sizeof header, "%s %llu %llu\n", kind == HoldKind::Open ? "open" : "running",
                static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino));
  // Locked before it gets its final name: a checker never sees it unlocked while its holder lives.
  if (flock(fd, LOCK_EX) != 0 || !WriteAll(fd, header + hostPath + "\n") ||
      rename(temporary.c_str(), final.c_str()) != 0) {
    unlink(temporary.c_str());
    close(fd);
    internal::SetLastError(platform::kErrAccessDenied);
    return false;
  }
  hold.fd = fd;
  hold.file = final;
  return true;
}

void EndHold(HoldHandle& hold) {
  if (hold.fd < 0) return;
  unlink(hold.file.c_str());
  close(hold.fd);
  hold.fd = -1;
  hold.file.clear();
}

}  // namespace internal

bool FindHold(const std::string& hostPath, HoldKind& kind) {
  std::string folder = HoldsFolder();
  if (folder.empty()) return false;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return false;
  struct stat target;
  bool haveTarget = false;
  bool found = false;
  while (dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == kTemporaryPrefix) continue;  // also skips "." and ".."
    if (!haveTarget) {
      // Only now that some hold exists is the file itself looked at.
      if (stat(hostPath.c_str(), &target) != 0) break;
      haveTarget = true;
    }
    std::string holdPath = folder + "/" + entry->d_name;
    int fd = open(holdPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    if (flock(fd, LOCK_SH | LOCK_NB) == 0) {
      unlink(holdPath.c_str());  // its holder has ended
      close(fd);
      continue;
    }
    HoldRecord record;
    std::string text;
    bool parsed = internal::ReadAll(fd, text) && ParseRecord(text, record);
    close(fd);
    if (!parsed || record.device != static_cast<unsigned long long>(target.st_dev) ||
        record.inode != static_cast<unsigned long long>(target.st_ino)) {
      continue;
    }
    kind = record.kind;
    found = true;
    if (kind == HoldKind::Open) break;  // the stricter hold decides
  }
  closedir(dir);
  return found;
}

std::vector<std::string> RunningProgramFiles() {
  std::vector<std::string> programs;
  std::string folder = HoldsFolder();
  if (folder.empty()) return programs;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return programs;
  while (dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == kTemporaryPrefix) continue;
    int fd = open((folder + "/" + entry->d_name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    // A hold whose lock can be taken belongs to a process that has ended.
    const bool live = flock(fd, LOCK_SH | LOCK_NB) != 0;
    HoldRecord record;
    std::string text;
    if (live && internal::ReadAll(fd, text) && ParseRecord(text, record) && record.kind == HoldKind::Running) {
      // The record's second line is the held file's host path.
      const std::size_t start = text.find('\n');
      const std::size_t end = start == std::string::npos ? start : text.find('\n', start + 1);
      if (start != std::string::npos) programs.push_back(ToWindowsPath(text.substr(start + 1, end - start - 1)));
    }
    close(fd);
  }
  closedir(dir);
  return programs;
}

}  // namespace emu
