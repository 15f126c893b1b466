#pragma once
// Text values read as the uninstaller reads them: into a 512-byte buffer.
#include <string>

#include "platform/registry.h"

// The value's text up to its first zero byte; false when the value is
// missing or its data doesn't fit the buffer with a terminating zero (at
// most 511 characters).
bool ReadValueText(platform::RegKey key, const std::string& name, std::string& text);
