#pragma once
// Message boxes and the string table.
#include <string>

namespace platform {

struct WindowState;
using WindowHandle = WindowState*;

enum MessageBoxFlag : unsigned {
  kMbOk = 0x0,
  kMbOkCancel = 0x1,
  kMbYesNo = 0x4,
  kMbIconError = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconExclamation = 0x30,
  kMbIconInformation = 0x40,
  kMbDefButton2 = 0x100,
};
enum MessageBoxAnswer : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

// MessageBoxA: the answer, or 0 when the box could not be shown.
int ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                   unsigned flags);
// LoadStringA on the program's own string table; "" when there is no such string.
std::string LoadResourceString(unsigned id);

// The application's main window, as the framework keeps it (the window MFC
// calls m_pMainWnd): the wizard while it runs, none before and after. Message
// boxes raised meanwhile take it as their owner.
WindowHandle MainWindow();
void SetMainWindow(WindowHandle window);

}  // namespace platform
