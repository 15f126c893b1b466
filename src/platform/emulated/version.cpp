#include "platform/version.h"

// Placeholder body; the emulated version reader replaces it.
namespace platform {
bool ReadFileVersionWords(const std::string&, std::uint32_t&, std::uint32_t&) { return false; }
}  // namespace platform
