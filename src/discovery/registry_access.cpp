#include "discovery/registry_access.h"

#include <algorithm>
#include <cstdint>

#include "platform/scoped.h"

namespace {
// A value is read into one fixed buffer; longer data is treated as unset.
constexpr std::uint32_t kValueBufferSize = 260;
}  // namespace

std::string ReadRegistryString(platform::RegRoot root, const std::string& keyPath,
                               const std::string& valueName) {
  char buffer[kValueBufferSize] = {};
  platform::ScopedRegKey key;
  if (!platform::OpenRegKey(platform::RootKey(root), keyPath, false, key.Receive())) return std::string();
  std::uint32_t type = 0;
  std::uint32_t size = kValueBufferSize;
  if (!platform::QueryRegValue(key.Get(), valueName, &type, buffer, &size)) {
    // A failed query may have left part of the data behind.
    buffer[0] = '\0';
  }
  return std::string(buffer, std::find(buffer, buffer + kValueBufferSize, '\0'));
}

bool WriteRegistryString(platform::RegRoot root, const std::string& keyPath,
                         const std::string& valueName, const std::string& text) {
  platform::ScopedRegKey key;
  if (!platform::CreateRegKey(platform::RootKey(root), keyPath, key.Receive())) return false;
  return platform::SetRegValue(key.Get(), valueName, platform::kRegSz, text.c_str(),
                               static_cast<std::uint32_t>(text.size() + 1));
}
