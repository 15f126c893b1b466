#pragma once
// The calling thread's last error, as Windows keeps it: the machine's own
// calls set it, and the platform's LastError() and SetLastError() are this.
#include <cstdint>

namespace emu {
namespace internal {

std::uint32_t LastError();
void SetLastError(std::uint32_t code);

}  // namespace internal
}  // namespace emu
