#include "platform/profile.h"

// Placeholder bodies; the emulated settings files replace them.
namespace platform {
std::uint32_t ReadProfileSection(const std::string&, char* buffer, std::uint32_t size, const std::string&) {
  if (size >= 2) buffer[0] = buffer[1] = 0;
  return 0;
}
bool WriteProfileSection(const std::string&, const char*, const std::string&) { return false; }
}  // namespace platform
