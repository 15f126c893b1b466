#pragma once
// Libraries that Windows does not always take from its system folder are
// loaded from there by full path, never by a bare name: a bare name is
// looked for beside the program first, and a setup often runs from a
// download folder that may hold a file of that name.
#include "platform/win32/win32_support.h"

namespace platform {
namespace win32 {

// The library `name` of the system folder, loaded on the first call and
// kept for the life of the process; nullptr, with the last error set, when
// it can't be loaded.
HMODULE SystemLibrary(const char* name);

// The entry point `entry` of the system library `library`, as a function
// of type Call; nullptr when either is missing.
template <typename Call>
Call SystemLibraryEntry(const char* library, const char* entry) {
  HMODULE module = SystemLibrary(library);
  if (module == nullptr) return nullptr;
  const FARPROC found = ::GetProcAddress(module, entry);
  return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(found));
}

}  // namespace win32
}  // namespace platform
