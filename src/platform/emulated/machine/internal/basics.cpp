#include "platform/emulated/machine/internal/basics.h"

#include <unistd.h>

#include <cerrno>

#include "platform/errors.h"

namespace emu {
namespace internal {

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
