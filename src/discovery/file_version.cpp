#include "discovery/file_version.h"

#include <cstdint>

#include "platform/version.h"
#include "state/setup_state.h"

void ReadFileVersion(const std::string& path) {
  ProductVersion& version = TheSetupState().m_ver;
  version = ProductVersion();
  std::uint32_t mostSignificant = 0;
  std::uint32_t leastSignificant = 0;
  if (!platform::ReadFileVersionWords(path, mostSignificant, leastSignificant)) return;
  version.major = static_cast<std::int32_t>(mostSignificant >> 16);
  version.minor = static_cast<std::int32_t>(mostSignificant & 0xFFFFu);
  version.release = static_cast<std::int32_t>(leastSignificant >> 16);
  version.beta = static_cast<std::int32_t>(leastSignificant & 0xFFFFu);
}
