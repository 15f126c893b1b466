// The dialog cases on the real dialog manager. Wine draws its windows on an
// X display; without one no window can be made, and the cases are skipped.
#include <windows.h>

#include <cstdlib>

#include "support.h"

namespace dialog_conformance {

bool PrepareDialogs(std::string& reason) {
  const bool underWine = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  if (underWine && std::getenv("DISPLAY") == nullptr) {
    reason = "Wine without a display (DISPLAY is not set)";
    return false;
  }
  return true;
}

}  // namespace dialog_conformance
