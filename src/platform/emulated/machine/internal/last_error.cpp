#include "platform/emulated/machine/internal/last_error.h"

#include "platform/errors.h"

namespace emu {
namespace internal {

namespace {
thread_local std::uint32_t lastError = platform::kErrNone;
}

std::uint32_t LastError() { return lastError; }
void SetLastError(std::uint32_t code) { lastError = code; }

}  // namespace internal
}  // namespace emu
