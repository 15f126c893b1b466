#pragma once
// Single string values of the registry.
#include <string>

#include "platform/registry.h"

// The text of a value, or "" when the key can't be opened, the value is
// missing or its data doesn't fit into 260 bytes (so at most 259 characters
// come back). An empty value name is the key's default value. The value's
// type is not looked at.
std::string ReadRegistryString(platform::RegRoot root, const std::string& keyPath,
                               const std::string& valueName);

// Stores `text` as REG_SZ, terminating zero included, creating the key and
// any missing keys above it. true when the value was stored.
bool WriteRegistryString(platform::RegRoot root, const std::string& keyPath,
                         const std::string& valueName, const std::string& text);
