#pragma once
// The registry, with the results of the Windows registry calls. Key and
// value names compare without regard to case; the empty value name is the
// key's default value.
#include <cstdint>
#include <string>

namespace platform {

enum RegType : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegMultiSz = 7,
  kRegQword = 11,
};

enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine, Users };

struct RegKeyState;
using RegKey = RegKeyState*;

// The predefined key of a root; it needs no closing.
RegKey RootKey(RegRoot root);

// RegOpenKeyExA with KEY_READ, or KEY_READ|KEY_WRITE when forWrite.
bool OpenRegKey(RegKey parent, const std::string& subkey, bool forWrite, RegKey& result);
// RegCreateKeyA: opens the key, creating it and any missing parents.
bool CreateRegKey(RegKey parent, const std::string& subkey, RegKey& result);
// RegQueryValueExA. `data` may be null to ask for the size only. On entry
// *size is the buffer's size; a buffer too small fails with kErrMoreData and
// *size set to the size needed, and its contents are then undefined (the
// emulated machine scribbles over them). type may be null.
bool QueryRegValue(RegKey key, const std::string& name, std::uint32_t* type, void* data,
                   std::uint32_t* size);
// RegSetValueExA.
bool SetRegValue(RegKey key, const std::string& name, std::uint32_t type, const void* data,
                 std::uint32_t size);
// RegEnumKeyA: the name of subkey number `index`; fails with kErrNoMoreItems past the last.
bool EnumRegSubkey(RegKey key, std::uint32_t index, std::string& name);
// RegDeleteKeyA: fails while the key has subkeys.
bool DeleteRegKey(RegKey parent, const std::string& subkey);
bool DeleteRegValue(RegKey key, const std::string& name);
void CloseRegKey(RegKey key);

}  // namespace platform
