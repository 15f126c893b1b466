#include "uninstall/registry_text.h"

#include <algorithm>
#include <cstdint>

namespace {
constexpr std::uint32_t kValueBufferSize = 512;
}  // namespace

bool ReadValueText(platform::RegKey key, const std::string& name, std::string& text) {
  char buffer[kValueBufferSize] = {};
  std::uint32_t size = kValueBufferSize;
  if (!platform::QueryRegValue(key, name, nullptr, buffer, &size)) return false;
  const char* end = std::find(buffer, buffer + size, '\0');
  if (end == buffer + kValueBufferSize) return false;
  text.assign(static_cast<const char*>(buffer), end);
  return true;
}
