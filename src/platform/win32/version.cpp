#include "platform/version.h"

#include "platform/win32/win32_support.h"

#include <vector>

#include "platform/errors.h"
#include "platform/win32/system_library.h"

namespace platform {

namespace {

// The version functions live in version.dll, which is no library that
// Windows always takes from its system folder; it is loaded from there when
// first needed rather than named in the program's imports.
const char kVersionLibrary[] = "version.dll";
using SizeCall = DWORD(WINAPI*)(LPCSTR, LPDWORD);
using InfoCall = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
using QueryCall = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);

struct VersionCalls {
  SizeCall size = win32::SystemLibraryEntry<SizeCall>(kVersionLibrary, "GetFileVersionInfoSizeA");
  InfoCall info = win32::SystemLibraryEntry<InfoCall>(kVersionLibrary, "GetFileVersionInfoA");
  QueryCall query = win32::SystemLibraryEntry<QueryCall>(kVersionLibrary, "VerQueryValueA");
  bool Complete() const { return size && info && query; }
};

const VersionCalls& Calls() {
  static const VersionCalls calls;
  return calls;
}

bool FailWithLastError() {
  platform::SetLastError(::GetLastError());
  return false;
}

}  // namespace

bool ReadFileVersionWords(const std::string& path, std::uint32_t& mostSignificant,
                          std::uint32_t& leastSignificant) {
  const VersionCalls& calls = Calls();
  if (!calls.Complete()) {
    platform::SetLastError(ERROR_MOD_NOT_FOUND);
    return false;
  }
  DWORD ignored = 0;
  const DWORD size = calls.size(path.c_str(), &ignored);
  if (size == 0) return FailWithLastError();
  std::vector<char> block(size);
  if (!calls.info(path.c_str(), 0, size, block.data())) return FailWithLastError();
  void* value = nullptr;
  UINT valueSize = 0;
  if (!calls.query(block.data(), "\\", &value, &valueSize) || value == nullptr ||
      valueSize < sizeof(VS_FIXEDFILEINFO)) {
    return FailWithLastError();
  }
  const VS_FIXEDFILEINFO* info = static_cast<const VS_FIXEDFILEINFO*>(value);
  mostSignificant = info->dwFileVersionMS;
  leastSignificant = info->dwFileVersionLS;
  return true;
}

}  // namespace platform
