#include "platform/emulated/machine/internal/basics.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/errors.h"

namespace emu {
namespace internal {

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::string Trimmed(const std::string& text, const char* blanks) {
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool ReadAll(int fd, std::string& text) {
  text.clear();
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    text.append(buffer, static_cast<std::size_t>(got));
  }
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t put = write(fd, text.data() + done, text.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<std::size_t>(put);
  }
  return true;
}

bool ReadHostFile(const std::string& path, std::string& content) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool complete = ReadAll(fd, content);
  const int error = errno;
  close(fd);
  errno = error;
  return complete;
}

bool ReplaceHostFile(const std::string& path, const std::string& text, std::string& error) {
  const std::string temporary = path + ".new";
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  bool written = fd >= 0 && WriteAll(fd, text);
  if (fd >= 0 && close(fd) != 0) written = false;
  if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

std::uint32_t ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT: return platform::kErrFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG: return platform::kErrPathNotFound;
    case EEXIST: return platform::kErrAlreadyExists;
    case ENOTEMPTY: return platform::kErrDirNotEmpty;
    case ETXTBSY:
    case EBUSY: return platform::kErrSharingViolation;
    default: return platform::kErrAccessDenied;
  }
}

}  // namespace internal
}  // namespace emu
