#include "platform/errors.h"

#include "platform/emulated/machine/internal/last_error.h"

namespace platform {

std::uint32_t LastError() { return emu::internal::LastError(); }
void SetLastError(std::uint32_t code) { emu::internal::SetLastError(code); }

}  // namespace platform
