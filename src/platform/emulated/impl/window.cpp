#include "platform/window.h"

#include <cstdint>

#include "platform/emulated/machine/internal/faults.h"
#include "platform/emulated/machine/internal/last_error.h"
#include "platform/emulated/machine/windows_table.h"
#include "platform/errors.h"

// A window handle is the machine's number of the window.
namespace platform {

namespace {

std::uint32_t Number(WindowHandle window) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
}
WindowHandle Handle(std::uint32_t number) {
  return reinterpret_cast<WindowHandle>(static_cast<std::uintptr_t>(number));
}

bool Find(WindowHandle window, emu::MachineWindow& found) {
  if (emu::FindLiveWindow(Number(window), found)) return true;
  emu::internal::SetLastError(kErrInvalidWindowHandle);
  return false;
}

}  // namespace

void ForEachTopLevelWindow(const std::function<bool(WindowHandle)>& visit) {
  for (const emu::MachineWindow& window : emu::LiveWindows()) {
    if (!visit(Handle(window.handle))) return;
  }
}

std::uint32_t WindowProcessId(WindowHandle window) {
  emu::MachineWindow found;
  return Find(window, found) ? found.process : 0;
}

WindowHandle WindowOwner(WindowHandle window) {
  emu::MachineWindow found;
  return Find(window, found) ? Handle(found.owner) : nullptr;
}

std::uint32_t WindowExtendedStyle(WindowHandle window) {
  emu::MachineWindow found;
  return Find(window, found) ? found.exStyle : 0;
}

std::string WindowTitle(WindowHandle window, std::size_t bufferSize) {
  emu::MachineWindow found;
  if (bufferSize == 0 || !Find(window, found)) return "";
  if (found.title.size() > bufferSize - 1) found.title.resize(bufferSize - 1);
  return found.title;
}

bool PostWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  if (emu::internal::InjectedFault("PostWindowMessage")) return false;
  return emu::PostMachineMessage(Number(window), message, wParam, lParam);
}

WindowHandle CreatePlainWindow(const std::string& title, std::uint32_t style, std::uint32_t exStyle,
                               WindowHandle owner) {
  return Handle(emu::CreateMachineWindow(title, style, exStyle, Number(owner)));
}

bool DestroyPlainWindow(WindowHandle window) {
  emu::MachineWindow found;
  if (!Find(window, found) || !emu::DestroyMachineWindow(found.handle)) return false;
  if (found.owner == 0) emu::PostQuitToThisProcess();
  return true;
}

bool WaitForWindowMessage(WindowMessage& message) {
  emu::MachineMessage got;
  if (!emu::WaitForMachineMessage(got) || got.message == kWmQuit) return false;
  message = WindowMessage();
  message.window = Handle(got.window);
  message.message = got.message;
  message.wParam = static_cast<std::uintptr_t>(got.wParam);
  message.lParam = static_cast<std::intptr_t>(got.lParam);
  return true;
}

// No window of the machine has a procedure of its own: what the default one
// would do with the messages the product gets is nothing.
void DispatchWindowMessage(const WindowMessage&) {}

}  // namespace platform
