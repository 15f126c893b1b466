#include "platform/win32/win32_support.h"

#include <cstring>

#include "platform/library.h"

namespace platform {

LibraryHandle LoadLibraryAsData(const std::string& name) {
  return reinterpret_cast<LibraryHandle>(::LoadLibraryExA(name.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

void FreeLoadedLibrary(LibraryHandle library) {
  if (library) ::FreeLibrary(reinterpret_cast<HMODULE>(library));
}

namespace {
using IsWow64ProcessCall = BOOL(WINAPI*)(HANDLE, PBOOL);
}  // namespace

// The entry point travels as an opaque pointer; a function pointer is copied
// into and out of it bit for bit.
Wow64Query FindWow64Query() {
  const FARPROC entry = ::GetProcAddress(::GetModuleHandleA("kernel32"), "IsWow64Process");
  Wow64Query query = nullptr;
  static_assert(sizeof entry == sizeof query, "a function pointer fits a data pointer");
  std::memcpy(&query, &entry, sizeof query);
  return query;
}

bool AskWow64Query(Wow64Query query) {
  if (query == nullptr) return false;
  IsWow64ProcessCall call = nullptr;
  std::memcpy(&call, &query, sizeof call);
  BOOL flag = FALSE;
  if (!call(::GetCurrentProcess(), &flag)) return false;
  return flag != FALSE;
}

}  // namespace platform
