#pragma once
// Whole sections of settings (.ini) files, in the layout of the profile
// section calls: entries "key=value" each ended by a zero byte, the list
// ended by a second zero byte. A section may hold one key several times.
// A file named without a folder lives in the Windows folder.
#include <cstdint>
#include <string>

namespace platform {

// GetPrivateProfileSectionA: returns the number of bytes copied, without
// the final zero.
std::uint32_t ReadSettingsSection(const std::string& section, char* buffer, std::uint32_t size,
                                 const std::string& file);
// WritePrivateProfileSectionA: replaces the section with `entries`.
bool WriteSettingsSection(const std::string& section, const char* entries,
                         const std::string& file);

}  // namespace platform
