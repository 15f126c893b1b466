#include "platform/win32/win32_support.h"

#include "platform/errors.h"
#include "platform/registry.h"

// RegKey is an HKEY in disguise: the registry calls return their error
// instead of setting it, so each result is also stored as the last error.
namespace platform {

namespace {

HKEY ToHkey(RegKey key) { return reinterpret_cast<HKEY>(key); }
RegKey FromHkey(HKEY key) { return reinterpret_cast<RegKey>(key); }

bool Report(LONG status) {
  ::SetLastError(static_cast<DWORD>(status));
  return status == ERROR_SUCCESS;
}

}  // namespace

RegKey RootKey(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot: return FromHkey(HKEY_CLASSES_ROOT);
    case RegRoot::CurrentUser: return FromHkey(HKEY_CURRENT_USER);
    case RegRoot::LocalMachine: return FromHkey(HKEY_LOCAL_MACHINE);
    case RegRoot::Users: return FromHkey(HKEY_USERS);
  }
  return nullptr;
}

bool OpenRegKey(RegKey parent, const std::string& subkey, bool forWrite, RegKey& result) {
  HKEY opened = nullptr;
  const REGSAM access = forWrite ? (KEY_READ | KEY_WRITE) : KEY_READ;
  const bool ok = Report(::RegOpenKeyExA(ToHkey(parent), subkey.c_str(), 0, access, &opened));
  result = ok ? FromHkey(opened) : nullptr;
  return ok;
}

bool CreateRegKey(RegKey parent, const std::string& subkey, RegKey& result) {
  HKEY created = nullptr;
  const bool ok = Report(::RegCreateKeyA(ToHkey(parent), subkey.c_str(), &created));
  result = ok ? FromHkey(created) : nullptr;
  return ok;
}

bool QueryRegValue(RegKey key, const std::string& name, std::uint32_t* type, void* data,
                   std::uint32_t* size) {
  DWORD valueType = REG_NONE;
  DWORD byteCount = size ? *size : 0;
  const LONG status = ::RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &valueType,
                                         static_cast<BYTE*>(data), size ? &byteCount : nullptr);
  if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    if (type) *type = valueType;
    if (size) *size = byteCount;
  }
  return Report(status);
}

bool SetRegValue(RegKey key, const std::string& name, std::uint32_t type, const void* data,
                 std::uint32_t size) {
  return Report(::RegSetValueExA(ToHkey(key), name.c_str(), 0, type,
                                 static_cast<const BYTE*>(data), size));
}

bool EnumRegSubkey(RegKey key, std::uint32_t index, std::string& name) {
  char buffer[MAX_PATH + 1] = {};  // key names are at most 255 characters
  const bool ok = Report(::RegEnumKeyA(ToHkey(key), index, buffer, sizeof buffer));
  name = ok ? buffer : "";
  return ok;
}

bool DeleteRegKey(RegKey parent, const std::string& subkey) {
  return Report(::RegDeleteKeyA(ToHkey(parent), subkey.c_str()));
}

bool DeleteRegValue(RegKey key, const std::string& name) {
  return Report(::RegDeleteValueA(ToHkey(key), name.c_str()));
}

void CloseRegKey(RegKey key) {
  // Closing a predefined root is harmless; a null key was never opened.
  if (key) ::RegCloseKey(ToHkey(key));
}

}  // namespace platform
