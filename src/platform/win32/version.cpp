#include "platform/version.h"

#include "platform/win32/win32_support.h"

#include <vector>

#include "platform/errors.h"

namespace platform {

bool ReadFileVersionWords(const std::string& path, std::uint32_t& mostSignificant,
                          std::uint32_t& leastSignificant) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) {
    platform::SetLastError(::GetLastError());
    return false;
  }
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) {
    platform::SetLastError(::GetLastError());
    return false;
  }
  void* value = nullptr;
  UINT valueSize = 0;
  char root[] = "\\";
  if (!VerQueryValueA(block.data(), root, &value, &valueSize) || value == nullptr ||
      valueSize < sizeof(VS_FIXEDFILEINFO)) {
    platform::SetLastError(::GetLastError());
    return false;
  }
  const VS_FIXEDFILEINFO* info = static_cast<const VS_FIXEDFILEINFO*>(value);
  mostSignificant = info->dwFileVersionMS;
  leastSignificant = info->dwFileVersionLS;
  return true;
}

}  // namespace platform
