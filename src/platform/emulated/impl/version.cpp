#include "platform/version.h"

#include "platform/emulated/machine/internal/faults.h"
#include "platform/emulated/machine/version_image.h"
#include "platform/errors.h"
#include "platform/files.h"

namespace platform {

namespace {
// The codes GetFileVersionInfoSizeA leaves for a file that is no program
// image, and for an image without a version resource.
constexpr std::uint32_t kErrBadFormat = 11;
constexpr std::uint32_t kErrResourceTypeNotFound = 1813;
}  // namespace

bool ReadFileVersionWords(const std::string& path, std::uint32_t& mostSignificant,
                          std::uint32_t& leastSignificant) {
  if (emu::internal::InjectedFault("ReadFileVersionWords", path)) return false;
  // The machine's own file reading resolves the path and reports a missing
  // file or a folder as the system would.
  std::string image;
  if (!ReadWholeFile(path, image)) return false;
  std::uint32_t ms = 0;
  std::uint32_t ls = 0;
  if (!emu::FindFileVersionInImage(image, ms, ls)) {
    const bool programImage =
        image.size() >= 2 && ((image[0] == 'M' && image[1] == 'Z') || image[0] == '\x7F');
    SetLastError(programImage ? kErrResourceTypeNotFound : kErrBadFormat);
    return false;
  }
  mostSignificant = ms;
  leastSignificant = ls;
  return true;
}

}  // namespace platform
