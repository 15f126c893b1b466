#include "platform/win32/win32_support.h"

#include "platform/profile.h"

namespace platform {

std::uint32_t ReadSettingsSection(const std::string& section, char* buffer, std::uint32_t size,
                                  const std::string& file) {
  return ::GetPrivateProfileSectionA(section.c_str(), buffer, size, file.c_str());
}

bool WriteSettingsSection(const std::string& section, const char* entries,
                          const std::string& file) {
  return ::WritePrivateProfileSectionA(section.c_str(), entries, file.c_str()) != FALSE;
}

}  // namespace platform
