#include "platform/emulated/basics.h"

#include <unistd.h>

#include <cerrno>

#include "platform/emulated/paths.h"
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

std::string FolderOf(const std::string& windowsPath) {
  const std::size_t separator = LastSeparator(windowsPath);
  if (separator == std::string::npos) return "";
  return windowsPath.substr(0, separator == 2 ? 3 : separator);
}

std::vector<std::string> SplitAtZeros(const std::string& data) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start < data.size()) {
    std::size_t end = data.find('\0', start);
    if (end == std::string::npos) end = data.size();
    pieces.push_back(data.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

}  // namespace internal
}  // namespace emu
