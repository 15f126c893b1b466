#pragma once
// Top-level windows of every process, and the messages posted to them: what
// one program reads of another's windows, and what the stand-in product
// needs to have windows of its own.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/ui.h"

namespace platform {

// Window messages and styles with Windows' own numbers.
constexpr unsigned kWmClose = 0x0010;             // WM_CLOSE
constexpr unsigned kWmQuit = 0x0012;              // WM_QUIT
constexpr std::uint32_t kWsExToolWindow = 0x80;   // WS_EX_TOOLWINDOW
constexpr std::uint32_t kWsPopup = 0x80000000u;   // WS_POPUP
constexpr std::uint32_t kWsVisible = 0x10000000u;  // WS_VISIBLE
constexpr std::uint32_t kWsOverlappedWindow = 0x00CF0000u;  // WS_OVERLAPPEDWINDOW

// EnumWindows: calls `visit` for each top-level window in the system's order
// (the most recently created first) until it returns false.
void ForEachTopLevelWindow(const std::function<bool(WindowHandle)>& visit);
// GetWindowThreadProcessId: the id of the window's process; 0 when there is
// no such window.
std::uint32_t WindowProcessId(WindowHandle window);
// GetWindow(window, GW_OWNER): the owner, or nullptr.
WindowHandle WindowOwner(WindowHandle window);
// GetWindowLongA(window, GWL_EXSTYLE).
std::uint32_t WindowExtendedStyle(WindowHandle window);
// GetWindowTextA(window, buffer, bufferSize): the title as far as it fits,
// with its terminating zero, into `bufferSize` bytes.
std::string WindowTitle(WindowHandle window, std::size_t bufferSize);
// PostMessageA: queues the message for the window's process and returns at
// once; false with kErrInvalidWindowHandle when there is no such window.
bool PostWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

// CreateWindowExA(exStyle, <a plain class>, title, style, ..., owner, ...):
// a top-level window of this process, owned by `owner` when given. Its
// messages go to the default window procedure, except that destroying a
// window without owner ends the message loop (PostQuitMessage), as a
// program's main window does. nullptr on failure.
WindowHandle CreatePlainWindow(const std::string& title, std::uint32_t style, std::uint32_t exStyle,
                               WindowHandle owner);
// DestroyWindow.
bool DestroyPlainWindow(WindowHandle window);

struct WindowMessage {
  WindowHandle window = nullptr;
  unsigned message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
  std::uint32_t time = 0;  // as GetMessageA gives it, for dispatching
  long x = 0, y = 0;
};
// GetMessageA(&message, NULL, 0, 0): waits for the next message of this
// process's windows; false on WM_QUIT or failure.
bool WaitForWindowMessage(WindowMessage& message);
// TranslateMessage and DispatchMessageA: hands the message to its window's procedure.
void DispatchWindowMessage(const WindowMessage& message);

}  // namespace platform
