#include "platform/win32/win32_support.h"

#include <vector>

#include "platform/ui.h"

namespace platform {

int ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                   unsigned flags) {
  return ::MessageBoxA(reinterpret_cast<HWND>(owner), text.c_str(), caption.c_str(), flags);
}

std::string LoadResourceString(unsigned id) {
  HINSTANCE module = ::GetModuleHandleA(nullptr);
  // A string table entry holds at most 65535 characters; grow the buffer
  // until the whole string fits (LoadStringA truncates silently).
  for (int capacity = 512; capacity <= 65536 * 2; capacity *= 2) {
    std::vector<char> buffer(static_cast<std::size_t>(capacity));
    const int length = ::LoadStringA(module, id, buffer.data(), capacity);
    if (length <= 0) return "";
    if (length < capacity - 1) return std::string(buffer.data(), static_cast<std::size_t>(length));
  }
  return "";
}

}  // namespace platform
