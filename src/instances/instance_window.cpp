#include "instances/instance_window.h"

#include <string>

#include "instances/instance_rules.h"
#include "platform/window.h"

namespace {
constexpr std::size_t kTitleBufferSize = 512;
}  // namespace

platform::WindowHandle FindInstanceWindow(std::uint32_t processId) {
  platform::WindowHandle found = nullptr;
  platform::ForEachTopLevelWindow([&](platform::WindowHandle window) {
    if (platform::WindowProcessId(window) != processId) return true;
    if (platform::WindowOwner(window) != nullptr) return true;
    if ((platform::WindowExtendedStyle(window) & platform::kWsExToolWindow) != 0) return true;
    if (!TitleMarksMainWindow(platform::WindowTitle(window, kTitleBufferSize))) return true;
    found = window;
    return false;
  });
  return found;
}
