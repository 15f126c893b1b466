#include "platform/win32/system_library.h"

#include <map>
#include <string>

namespace platform {
namespace win32 {

HMODULE SystemLibrary(const char* name) {
  static std::map<std::string, HMODULE> loaded;
  const auto known = loaded.find(name);
  if (known != loaded.end()) return known->second;
  char folder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::string path = std::string(folder) + "\\" + name;
  HMODULE module = ::LoadLibraryA(path.c_str());
  if (module != nullptr) loaded[name] = module;
  return module;
}

}  // namespace win32
}  // namespace platform
