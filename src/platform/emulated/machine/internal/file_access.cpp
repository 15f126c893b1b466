#include "platform/emulated/machine/internal/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/code_page.h"
#include "platform/emulated/machine/internal/last_error.h"
#include "platform/emulated/machine/internal/paths.h"
#include "platform/emulated/machine/machine.h"
#include "platform/errors.h"
#include "platform/files.h"

namespace emu {
namespace internal {

namespace {

bool IsRefusedInName(unsigned char c, bool wildcardsAllowed) {
  if (c < 0x20) return true;
  switch (c) {
    case '<': case '>': case '"': case '|': case ':':
      return true;
    case '*': case '?':
      return !wildcardsAllowed;
    default:
      return false;
  }
}

// `full` is a full Windows path; with NameUse::Pattern its last name may hold wildcards.
bool HasValidNames(const std::string& full, NameUse use) {
  std::vector<std::string> names = SplitNames(full.substr(2));
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!IsValidName(names[i], use == NameUse::Pattern && i + 1 == names.size())) return false;
  }
  return true;
}

std::string ParentOf(const std::string& host) {
  std::size_t slash = host.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : host.substr(0, slash);
}

// `host` is `folder` or lies inside it, letters compared without regard to case.
bool IsWithin(const std::string& host, const std::string& folder) {
  if (host.size() < folder.size()) return false;
  for (std::size_t i = 0; i < folder.size(); ++i) {
    if (AsciiLower(host[i]) != AsciiLower(folder[i])) return false;
  }
  return host.size() == folder.size() || host[folder.size()] == '/';
}

bool InsideMachineDrives(const std::string& host) {
  std::string machine = MachineFolder();
  if (machine.empty()) return false;
  std::string drives = machine + "/drives/";
  return host.compare(0, drives.size(), drives) == 0;
}

}  // namespace

bool IsValidName(const std::string& name, bool wildcardsAllowed) {
  // Character by character, so that the trail byte of a double-byte character passes.
  for (std::size_t i = 0; i < name.size();) {
    std::size_t next = internal::NextCharIndex(name, i);
    if (next - i == 1 && IsRefusedInName(static_cast<unsigned char>(name[i]), wildcardsAllowed)) return false;
    i = next;
  }
  return true;
}

bool FitsAnsiPath(const std::string& path) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < path.size() && characters <= kMaxAnsiPathChars; i = internal::NextCharIndex(path, i)) {
    ++characters;
  }
  return characters <= kMaxAnsiPathChars;
}

bool Resolve(const std::string& path, Target& target, NameUse use) {
  if (!FitsAnsiPath(path)) {
    internal::SetLastError(platform::kErrFilenameExcedRange);
    return false;
  }
  if (!FullWindowsPath(path, target.full)) {
    internal::SetLastError(platform::kErrPathNotFound);
    return false;
  }
  if (!HasValidNames(target.full, use)) {
    internal::SetLastError(platform::kErrInvalidName);
    return false;
  }
  if (!ToHostPath(target.full, target.host)) {
    internal::SetLastError(platform::kErrPathNotFound);
    return false;
  }
  target.exists = stat(target.host.c_str(), &target.st) == 0;
  return true;
}

bool IsFolder(const std::string& host) {
  struct stat st;
  return stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ParentFolderExists(const std::string& host) { return IsFolder(ParentOf(host)); }

std::uint32_t MissingError(const std::string& host) {
  return ParentFolderExists(host) ? platform::kErrFileNotFound : platform::kErrPathNotFound;
}

std::uint32_t AttributesOf(const std::string& host, const struct stat& st) {
  // Files always carry the archive mark: nothing here ever clears it.
  std::uint32_t attributes = S_ISDIR(st.st_mode) ? platform::kAttrDirectory : platform::kAttrArchive;
  if (!(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))) attributes |= platform::kAttrReadOnly;
  // Outside the machine's drives these bits mean what the host says they mean.
  if (InsideMachineDrives(host)) {
    if (st.st_mode & S_ISVTX) attributes |= platform::kAttrHidden;
    if (st.st_mode & S_ISGID) attributes |= platform::kAttrSystem;
  }
  return attributes;
}

mode_t ModeWithAttributes(mode_t mode, std::uint32_t attributes) {
  mode &= 07777;
  if (attributes & platform::kAttrReadOnly) {
    mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  } else if (!(mode & (S_IWUSR | S_IWGRP | S_IWOTH))) {
    mode |= S_IWUSR;
  }
  mode = (attributes & platform::kAttrHidden) ? (mode | S_ISVTX) : (mode & ~static_cast<mode_t>(S_ISVTX));
  mode = (attributes & platform::kAttrSystem) ? (mode | S_ISGID) : (mode & ~static_cast<mode_t>(S_ISGID));
  return mode;
}

bool WriteNeedsAdministrator(const std::string& host) {
  // The Windows folder, wherever the machine has it.
  std::string windows;
  if (ToHostPath(WindowsFolder(), windows) && IsWithin(host, windows)) return true;
  static const char* const kProtected[] = {
      "Program Files",
      "Program Files (x86)",
      "ProgramData/Microsoft/Windows/Start Menu",
      "users/Public/Desktop",
  };
  std::string drive = DriveFolder('c');
  if (drive.empty()) return false;
  for (const char* folder : kProtected) {
    if (IsWithin(host, drive + "/" + folder)) return true;
  }
  return false;
}

std::uint32_t WriteRightsError(const std::string& host) {
  if (Settings().administrator || !WriteNeedsAdministrator(host)) return platform::kErrNone;
  return platform::kErrAccessDenied;
}

std::uint32_t InUseError(const std::string& host, Change change) {
  HoldKind kind;
  if (!FindHold(host, kind)) return platform::kErrNone;
  if (kind == HoldKind::Open) return platform::kErrSharingViolation;
  switch (change) {
    case Change::Delete: return platform::kErrAccessDenied;
    case Change::Overwrite: return platform::kErrSharingViolation;
    case Change::Move: return platform::kErrNone;
  }
  return platform::kErrNone;
}

bool CopyHostFile(const std::string& from, const struct stat& fromStat, const std::string& to, bool mayReplace) {
  int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    internal::SetLastError(ErrorFromErrno(errno));
    return false;
  }
  struct stat existing;
  bool replacing = mayReplace && stat(to.c_str(), &existing) == 0;
  int out = open(to.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (mayReplace ? O_TRUNC : O_EXCL), 0644);
  if (out < 0) {
    internal::SetLastError(ErrorFromErrno(errno));
    close(in);
    return false;
  }
  bool ok = true;
  char buffer[65536];
  for (;;) {
    ssize_t got = read(in, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) ok = false;
    if (got <= 0) break;
    for (ssize_t done = 0; done < got;) {
      ssize_t put = write(out, buffer + done, static_cast<std::size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) {
        ok = false;
        break;
      }
      done += put;
    }
    if (!ok) break;
  }
  if (ok) {
    // An executable stays one either way.
    constexpr mode_t kExecutable = S_IXUSR | S_IXGRP | S_IXOTH;
    mode_t mode = replacing ? (existing.st_mode & 07777 & ~kExecutable) | (fromStat.st_mode & kExecutable)
                            : fromStat.st_mode & 07777;
    struct timespec times[2] = {fromStat.st_atim, fromStat.st_mtim};
    ok = fchmod(out, mode) == 0 && futimens(out, times) == 0;
  }
  int savedErrno = errno;
  close(in);
  if (close(out) != 0) ok = false;
  if (!ok) {
    internal::SetLastError(ErrorFromErrno(savedErrno));
    return false;
  }
  return true;
}

bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without that rename: a file takes its new name as a
  // second link (which fails on an existing name) and then loses the old one.
  struct stat st;
  if (lstat(from.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
    if (link(from.c_str(), to.c_str()) == 0) {
      if (unlink(from.c_str()) == 0) return true;
      const int error = errno;
      unlink(to.c_str());
      errno = error;
      return false;
    }
    if (errno != EPERM && errno != EOPNOTSUPP) return false;
  }
  // Nor links, or a folder: the look and the rename are two steps there.
  if (lstat(to.c_str(), &st) == 0) {
    errno = EEXIST;
    return false;
  }
  return rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace internal
}  // namespace emu
