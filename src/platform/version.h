#pragma once
// Version resources (GetFileVersionInfoSizeA, GetFileVersionInfoA,
// VerQueryValueA on the root block).
#include <cstdint>
#include <string>

namespace platform {

// The file version of the file's fixed file information: `mostSignificant`
// is dwFileVersionMS, `leastSignificant` dwFileVersionLS. false when the file
// is missing or carries no version resource.
bool ReadFileVersionWords(const std::string& path, std::uint32_t& mostSignificant,
                          std::uint32_t& leastSignificant);

}  // namespace platform
