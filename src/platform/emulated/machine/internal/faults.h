#pragma once
// The platform calls' side of the fault plan (see faults.h).
#include <cstdint>
#include <string>

namespace emu {
namespace internal {

// The error the fault plan gives `call` on `path` (the Windows path, or the
// registry key, the call acts on; a second path for calls that have two),
// with LastError() set to it; 0 when no fault is planned. A fault with a
// count is used up, one call at a time across every process of the
// machine, under the plan's lock. The hook is one line at the start of a
// platform call:
//   if (emu::internal::InjectedFault("CreateFolder", path)) return false;
// A new call's name goes into the list in machine.h.
std::uint32_t InjectedFault(const char* call, const std::string& path = "", const std::string& otherPath = "");

}  // namespace internal
}  // namespace emu
