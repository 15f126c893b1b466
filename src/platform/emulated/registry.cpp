#include "platform/errors.h"
#include "platform/registry.h"

// Placeholder bodies; the emulated registry replaces them.
namespace platform {
RegKey RootKey(RegRoot) { return nullptr; }
bool OpenRegKey(RegKey, const std::string&, bool, RegKey&) { return false; }
bool CreateRegKey(RegKey, const std::string&, RegKey&) { return false; }
bool QueryRegValue(RegKey, const std::string&, std::uint32_t*, void*, std::uint32_t*) { return false; }
bool SetRegValue(RegKey, const std::string&, std::uint32_t, const void*, std::uint32_t) { return false; }
bool EnumRegSubkey(RegKey, std::uint32_t, std::string&) { return false; }
bool DeleteRegKey(RegKey, const std::string&) { return false; }
bool DeleteRegValue(RegKey, const std::string&) { return false; }
void CloseRegKey(RegKey) {}
}  // namespace platform
