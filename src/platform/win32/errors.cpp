#include "platform/win32/win32_support.h"

#include "platform/errors.h"

namespace platform {

std::uint32_t LastError() { return ::GetLastError(); }
void SetLastError(std::uint32_t code) { ::SetLastError(code); }

}  // namespace platform
