#include "platform/errors.h"

namespace platform {

namespace {
thread_local std::uint32_t lastError = kErrNone;
}

std::uint32_t LastError() { return lastError; }
void SetLastError(std::uint32_t code) { lastError = code; }

}  // namespace platform
