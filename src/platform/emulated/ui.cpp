#include "platform/ui.h"

// Placeholder bodies; the scripted operator replaces them.
namespace platform {
int ShowMessageBox(WindowHandle, const std::string&, const std::string&, unsigned) { return 0; }
std::string LoadResourceString(unsigned) { return ""; }
}  // namespace platform
