#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>

#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/file_access.h"
#include "platform/emulated/machine/internal/holds.h"
#include "platform/emulated/machine/internal/paths.h"
#include "platform/emulated/machine/machine.h"
#include "platform/errors.h"
#include "platform/text.h"

// The file calls over the machine's drive folders.
namespace platform {

using emu::internal::Target;

namespace {

bool Fail(std::uint32_t error) {
  SetLastError(error);
  return false;
}

// Like the Windows calls, a success leaves LastError() as it was.
bool Succeed() { return true; }

bool IsReadOnly(const struct stat& st) { return !(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)); }

bool FolderIsEmpty(const std::string& host) {
  DIR* dir = opendir(host.c_str());
  if (!dir) return false;
  bool empty = true;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") {
      empty = false;
      break;
    }
  }
  closedir(dir);
  return empty;
}

// Why an existing file can't be replaced or written: 0 when it can.
std::uint32_t OverwriteError(const Target& target) {
  if (S_ISDIR(target.st.st_mode) || IsReadOnly(target.st)) return kErrAccessDenied;
  return emu::internal::InUseError(target.host, emu::internal::Change::Overwrite);
}

bool WriteFile(const std::string& path, const std::string& content, bool append) {
  Target target;
  if (!emu::internal::Resolve(path, target)) return false;
  if (!target.exists && !emu::internal::ParentFolderExists(target.host)) return Fail(kErrPathNotFound);
  if (std::uint32_t error = emu::internal::WriteRightsError(target.host)) return Fail(error);
  if (target.exists) {
    if (std::uint32_t error = OverwriteError(target)) return Fail(error);
  }
  int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
  int fd = open(target.host.c_str(), flags, 0644);
  if (fd < 0) return Fail(emu::internal::ErrorFromErrno(errno));
  if (!emu::internal::WriteAll(fd, content)) {
    int savedErrno = errno;
    close(fd);
    return Fail(emu::internal::ErrorFromErrno(savedErrno));
  }
  if (close(fd) != 0) return Fail(emu::internal::ErrorFromErrno(errno));
  return Succeed();
}

// A folder that is the current folder of this process or of any running
// process of the machine is open, as on Windows, and can't be removed or
// moved (kErrSharingViolation); 0 when it can.
std::uint32_t FolderInUseError(const Target& folder) {
  std::string currentHost;
  struct stat current;
  if (emu::ToHostPath(emu::internal::CurrentWindowsFolder(), currentHost) &&
      stat(currentHost.c_str(), &current) == 0 && current.st_dev == folder.st.st_dev &&
      current.st_ino == folder.st.st_ino) {
    return kErrSharingViolation;
  }
  return emu::internal::InUseError(folder.host, emu::internal::Change::Delete);
}

// Across file systems (Z: and a drive), a file is copied and the source removed.
bool MoveAcrossDevices(const Target& from, const std::string& toHost) {
  if (S_ISDIR(from.st.st_mode)) return Fail(kErrAccessDenied);
  // The source must be deletable, or the move would leave a copy behind.
  if (std::uint32_t error = emu::internal::InUseError(from.host, emu::internal::Change::Delete)) return Fail(error);
  if (!emu::internal::CopyHostFile(from.host, from.st, toHost)) return false;
  if (unlink(from.host.c_str()) != 0) {
    unlink(toHost.c_str());
    return Fail(emu::internal::ErrorFromErrno(errno));
  }
  return Succeed();
}

std::string LastName(const std::string& full) {
  std::size_t separator = emu::internal::LastSeparator(full);
  return separator == std::string::npos ? full : full.substr(separator + 1);
}

std::string HostParent(const std::string& host) {
  std::size_t slash = host.find_last_of('/');
  return slash == 0 ? "/" : host.substr(0, slash);
}

}  // namespace

bool CopyFileTo(const std::string& from, const std::string& to, bool failIfExists) {
  Target source;
  Target target;
  if (!emu::internal::Resolve(from, source)) return false;
  if (!source.exists) return Fail(emu::internal::MissingError(source.host));
  if (S_ISDIR(source.st.st_mode)) return Fail(kErrAccessDenied);
  if (!emu::internal::Resolve(to, target)) return false;
  if (target.exists) {
    if (failIfExists) return Fail(kErrFileExists);
    if (target.st.st_dev == source.st.st_dev && target.st.st_ino == source.st.st_ino) {
      return Fail(kErrSharingViolation);  // the source is open for reading
    }
  } else if (!emu::internal::ParentFolderExists(target.host)) {
    return Fail(kErrPathNotFound);
  }
  if (std::uint32_t error = emu::internal::WriteRightsError(target.host)) return Fail(error);
  if (target.exists) {
    if (std::uint32_t error = OverwriteError(target)) return Fail(error);
  }
  if (!emu::internal::CopyHostFile(source.host, source.st, target.host)) return false;
  return Succeed();
}

bool MoveFileTo(const std::string& from, const std::string& to) {
  Target source;
  Target target;
  if (!emu::internal::Resolve(from, source)) return false;
  if (!source.exists) return Fail(emu::internal::MissingError(source.host));
  if (!emu::internal::Resolve(to, target)) return false;
  std::string toHost = target.host;
  if (target.exists) {
    bool sameFile = target.st.st_dev == source.st.st_dev && target.st.st_ino == source.st.st_ino;
    if (!sameFile) return Fail(kErrAlreadyExists);
    // The same file under another case: a rename that changes only the case.
    toHost = HostParent(target.host) + "/" + LastName(target.full);
  } else if (!emu::internal::ParentFolderExists(target.host)) {
    return Fail(kErrPathNotFound);
  }
  if (std::uint32_t error = emu::internal::WriteRightsError(source.host)) return Fail(error);
  if (std::uint32_t error = emu::internal::WriteRightsError(toHost)) return Fail(error);
  if (std::uint32_t error = S_ISDIR(source.st.st_mode)
                                ? FolderInUseError(source)
                                : emu::internal::InUseError(source.host, emu::internal::Change::Move)) {
    return Fail(error);
  }
  if (rename(source.host.c_str(), toHost.c_str()) != 0) {
    if (errno == EXDEV) return MoveAcrossDevices(source, toHost);
    return Fail(emu::internal::ErrorFromErrno(errno));
  }
  return Succeed();
}

bool DeleteFileAt(const std::string& path) {
  Target target;
  if (!emu::internal::Resolve(path, target)) return false;
  if (!target.exists) return Fail(emu::internal::MissingError(target.host));
  if (S_ISDIR(target.st.st_mode)) return Fail(kErrAccessDenied);
  if (std::uint32_t error = emu::internal::WriteRightsError(target.host)) return Fail(error);
  if (IsReadOnly(target.st)) return Fail(kErrAccessDenied);
  if (std::uint32_t error = emu::internal::InUseError(target.host, emu::internal::Change::Delete)) return Fail(error);
  if (unlink(target.host.c_str()) != 0) return Fail(emu::internal::ErrorFromErrno(errno));
  return Succeed();
}

bool CreateFolder(const std::string& path) {
  Target target;
  if (!emu::internal::Resolve(path, target)) return false;
  if (target.exists) return Fail(kErrAlreadyExists);
  if (!emu::internal::ParentFolderExists(target.host)) return Fail(kErrPathNotFound);
  if (std::uint32_t error = emu::internal::WriteRightsError(target.host)) return Fail(error);
  if (mkdir(target.host.c_str(), 0755) != 0) return Fail(emu::internal::ErrorFromErrno(errno));
  // A new folder starts with no attributes, whatever its parent carries.
  chmod(target.host.c_str(), 0755);
  return Succeed();
}

bool RemoveFolder(const std::string& path) {
  Target target;
  if (!emu::internal::Resolve(path, target)) return false;
  if (!target.exists) return Fail(emu::internal::MissingError(target.host));
  if (!S_ISDIR(target.st.st_mode)) return Fail(kErrDirectory);
  if (std::uint32_t error = emu::internal::WriteRightsError(target.host)) return Fail(error);
  if (!FolderIsEmpty(target.host)) return Fail(kErrDirNotEmpty);
  if (std::uint32_t error = FolderInUseError(target)) return Fail(error);
  if (rmdir(target.host.c_str()) != 0) return Fail(emu::internal::ErrorFromErrno(errno));
  return Succeed();
}

std::uint32_t GetAttributes(const std::string& path) {
  Target target;
  if (!emu::internal::Resolve(path, target)) return kInvalidAttributes;
  if (!target.exists) {
    SetLastError(emu::internal::MissingError(target.host));
    return kInvalidAttributes;
  }
  return emu::internal::AttributesOf(target.host, target.st);
}

bool SetAttributes(const std::string& path, std::uint32_t attributes) {
  Target target;
  if (!emu::internal::Resolve(path, target)) return false;
  if (!target.exists) return Fail(emu::internal::MissingError(target.host));
  if (std::uint32_t error = emu::internal::WriteRightsError(target.host)) return Fail(error);
  mode_t mode = emu::internal::ModeWithAttributes(target.st.st_mode, attributes);
  if (chmod(target.host.c_str(), mode) != 0) return Fail(emu::internal::ErrorFromErrno(errno));
  return Succeed();
}

bool PathExists(const std::string& path) {
  Target target;
  if (!emu::internal::Resolve(path, target)) return false;
  if (!target.exists) return Fail(emu::internal::MissingError(target.host));
  return Succeed();
}

bool ReadWholeFile(const std::string& path, std::string& content) {
  // Whatever happens, nothing read before stays behind.
  content.clear();
  Target target;
  if (!emu::internal::Resolve(path, target)) return false;
  if (!target.exists) return Fail(emu::internal::MissingError(target.host));
  if (S_ISDIR(target.st.st_mode)) return Fail(kErrAccessDenied);
  int fd = open(target.host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Fail(emu::internal::ErrorFromErrno(errno));
  std::string text;
  if (!emu::internal::ReadAll(fd, text)) {
    int savedErrno = errno;
    close(fd);
    return Fail(emu::internal::ErrorFromErrno(savedErrno));
  }
  close(fd);
  content.swap(text);
  return Succeed();
}

bool WriteWholeFile(const std::string& path, const std::string& content) {
  return WriteFile(path, content, false);
}

bool AppendToFile(const std::string& path, const std::string& content) {
  return WriteFile(path, content, true);
}

std::string TempFolder() { return "C:\\users\\" + emu::Settings().userName + "\\Temp\\"; }

std::string MakeTempFileName(const std::string& folder, const std::string& prefix) {
  Target where;
  if (!emu::internal::Resolve(folder, where)) return "";
  if (!where.exists || !S_ISDIR(where.st.st_mode)) {
    SetLastError(kErrDirectory);
    return "";
  }
  if (std::uint32_t error = emu::internal::WriteRightsError(where.host + "/x")) {
    SetLastError(error);
    return "";
  }
  // At most three characters of the prefix (a double-byte character is one).
  std::size_t prefixEnd = 0;
  for (int n = 0; n < 3 && prefixEnd < prefix.size(); ++n) prefixEnd = NextCharIndex(prefix, prefixEnd);
  std::string stem = prefix.substr(0, prefixEnd);
  std::string joined = folder;
  if (joined.empty() || !emu::internal::IsSeparator(joined.back())) joined += '\\';
  // Numbers start from the clock, as on Windows, and go up until a name is free.
  auto ticks = std::chrono::steady_clock::now().time_since_epoch();
  unsigned start = static_cast<unsigned>(
      (std::chrono::duration_cast<std::chrono::milliseconds>(ticks).count() ^ (getpid() << 4)) & 0xFFFF);
  for (unsigned attempt = 0; attempt < 0x10000; ++attempt) {
    unsigned number = (start + attempt) & 0xFFFF;
    if (number == 0) continue;
    char hex[8];
    std::snprintf(hex, sizeof hex, "%x", number);
    std::string name = stem + hex + ".tmp";
    Target candidate;
    if (!emu::internal::Resolve(joined + name, candidate)) return "";
    if (candidate.exists) continue;
    int fd = open(candidate.host.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      close(fd);
      return joined + name;
    }
    if (errno != EEXIST) {
      SetLastError(emu::internal::ErrorFromErrno(errno));
      return "";
    }
  }
  SetLastError(kErrFileExists);
  return "";
}

std::string WindowsFolder() { return "C:\\windows"; }

std::string CurrentFolder() { return emu::internal::CurrentWindowsFolder(); }

bool SetCurrentFolder(const std::string& path) {
  Target target;
  if (!emu::internal::Resolve(path, target)) return false;
  if (!target.exists) return Fail(emu::internal::MissingError(target.host));
  if (!S_ISDIR(target.st.st_mode)) return Fail(kErrDirectory);
  emu::internal::SetCurrentWindowsFolder(target.full);
  emu::internal::HoldCurrentFolder(target.full);
  return Succeed();
}

// MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT: the operation is added to the
// pending operations that the machine carries out when it next starts.
bool MoveFileAtRestart(const std::string& from, const std::string& to) {
  if (!emu::Settings().pendingRenames) {
    SetLastError(kErrCallNotImplemented);
    return false;
  }
  // The pending operations live in HKEY_LOCAL_MACHINE, which a standard user can't write.
  if (!emu::Settings().administrator) {
    SetLastError(kErrAccessDenied);
    return false;
  }
  std::string source;
  std::string target;
  if (!emu::internal::FullWindowsPath(from, source) || (!to.empty() && !emu::internal::FullWindowsPath(to, target))) {
    SetLastError(kErrPathNotFound);
    return false;
  }
  if (emu::MachineFolder().empty()) {
    SetLastError(kErrInvalidHandle);
    return false;
  }
  std::string error;
  if (!emu::AddPendingFileOperation(source, target, error)) {
    std::fprintf(stderr, "registry: %s\n", error.c_str());
    SetLastError(kErrAccessDenied);
    return false;
  }
  return true;
}

}  // namespace platform
