#include "platform/window.h"

#include "platform/win32/win32_support.h"

namespace platform {

namespace {

HWND Native(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle Ours(HWND window) { return reinterpret_cast<WindowHandle>(window); }

BOOL CALLBACK VisitWindow(HWND window, LPARAM visit) {
  return (*reinterpret_cast<const std::function<bool(WindowHandle)>*>(visit))(Ours(window)) ? TRUE : FALSE;
}

LRESULT CALLBACK PlainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY && ::GetWindow(window, GW_OWNER) == nullptr) ::PostQuitMessage(0);
  return ::DefWindowProcA(window, message, wParam, lParam);
}

// The class of the plain windows.
const char* PlainWindowClass() {
  static const char* const name = [] {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainWindowProcedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "PtvPlainWindow";
    ::RegisterClassA(&windowClass);
    return windowClass.lpszClassName;
  }();
  return name;
}

}  // namespace

void ForEachTopLevelWindow(const std::function<bool(WindowHandle)>& visit) {
  ::EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&visit));
}

std::uint32_t WindowProcessId(WindowHandle window) {
  DWORD process = 0;
  return ::GetWindowThreadProcessId(Native(window), &process) != 0 ? process : 0;
}

WindowHandle WindowOwner(WindowHandle window) { return Ours(::GetWindow(Native(window), GW_OWNER)); }

std::uint32_t WindowExtendedStyle(WindowHandle window) {
  return static_cast<std::uint32_t>(::GetWindowLongA(Native(window), GWL_EXSTYLE));
}

std::string WindowTitle(WindowHandle window, std::size_t bufferSize) {
  std::string buffer(bufferSize, '\0');
  if (bufferSize == 0) return "";
  const int length = ::GetWindowTextA(Native(window), &buffer[0], static_cast<int>(bufferSize));
  buffer.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return buffer;
}

bool PostWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  return ::PostMessageA(Native(window), message, wParam, lParam) != FALSE;
}

WindowHandle CreatePlainWindow(const std::string& title, std::uint32_t style, std::uint32_t exStyle,
                               WindowHandle owner) {
  return Ours(::CreateWindowExA(exStyle, PlainWindowClass(), title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                                400, 300, Native(owner), nullptr, ::GetModuleHandleA(nullptr), nullptr));
}

bool DestroyPlainWindow(WindowHandle window) { return ::DestroyWindow(Native(window)) != FALSE; }

bool WaitForWindowMessage(WindowMessage& message) {
  MSG native;
  if (::GetMessageA(&native, nullptr, 0, 0) <= 0) return false;
  message = {Ours(native.hwnd), native.message, native.wParam, native.lParam, native.time, native.pt.x, native.pt.y};
  return true;
}

void DispatchWindowMessage(const WindowMessage& message) {
  MSG native = {};
  native.hwnd = Native(message.window);
  native.message = message.message;
  native.wParam = message.wParam;
  native.lParam = message.lParam;
  native.time = message.time;
  native.pt.x = message.x;
  native.pt.y = message.y;
  ::TranslateMessage(&native);
  ::DispatchMessageA(&native);
}

}  // namespace platform
