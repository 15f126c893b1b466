#include "platform/dialogs.h"

#include <vector>

#include "platform/win32/win32_support.h"

namespace platform {

namespace {

HWND Hwnd(DialogHandle dialog) { return reinterpret_cast<HWND>(dialog); }
DialogHandle Handle(HWND window) { return reinterpret_cast<DialogHandle>(window); }
HWND Item(DialogHandle dialog, int id) { return ::GetDlgItem(Hwnd(dialog), id); }

// One procedure for every dialog: it hands the messages to the dialog's
// events, kept in the dialog's user data.
INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrA(window, DWLP_USER, lParam);
    reinterpret_cast<DialogEvents*>(lParam)->OnInitDialog(Handle(window));
    return FALSE;  // the events have placed the focus
  }
  auto* events = reinterpret_cast<DialogEvents*>(::GetWindowLongPtrA(window, DWLP_USER));
  if (events != nullptr && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    events->OnCommand(Handle(window), static_cast<int>(static_cast<short>(LOWORD(wParam))));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

// The controls of the current visual style come with the manifest's request
// for version 6 of the common controls: the system loads that library from
// its side-by-side store for the dialogs, so the program does not import it.
int RunModalDialog(unsigned templateId, WindowHandle owner, DialogEvents& events) {
  return static_cast<int>(::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId),
                                            reinterpret_cast<HWND>(owner), DialogProcedure,
                                            reinterpret_cast<LPARAM>(&events)));
}

bool EndModalDialog(DialogHandle dialog, int result) { return ::EndDialog(Hwnd(dialog), result) != FALSE; }

DialogHandle CreateModelessDialog(unsigned templateId, DialogHandle parent, DialogEvents& events) {
  return Handle(::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), Hwnd(parent),
                                     DialogProcedure, reinterpret_cast<LPARAM>(&events)));
}

bool DestroyDialog(DialogHandle dialog) { return ::DestroyWindow(Hwnd(dialog)) != FALSE; }

WindowHandle AsWindow(DialogHandle dialog) { return reinterpret_cast<WindowHandle>(dialog); }

namespace {

std::string WindowText(HWND window) {
  const int length = ::GetWindowTextLengthA(window);
  if (length <= 0) return "";
  std::vector<char> text(static_cast<std::size_t>(length) + 1);
  const int copied = ::GetWindowTextA(window, text.data(), length + 1);
  return std::string(text.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

}  // namespace

std::string DialogCaption(DialogHandle dialog) { return WindowText(Hwnd(dialog)); }

bool SetDialogCaption(DialogHandle dialog, const std::string& caption) {
  return ::SetWindowTextA(Hwnd(dialog), caption.c_str()) != FALSE;
}

bool IsDialogVisible(DialogHandle dialog) { return ::IsWindowVisible(Hwnd(dialog)) != FALSE; }

bool SetDialogIcon(DialogHandle dialog, unsigned iconId) {
  HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId));
  if (icon == nullptr) return false;
  ::SendMessageA(Hwnd(dialog), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  ::SendMessageA(Hwnd(dialog), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  return true;
}

std::string ControlText(DialogHandle dialog, int id) {
  HWND item = Item(dialog, id);
  return item == nullptr ? "" : WindowText(item);
}

bool SetControlText(DialogHandle dialog, int id, const std::string& text) {
  return ::SetDlgItemTextA(Hwnd(dialog), id, text.c_str()) != FALSE;
}

bool IsControlVisible(DialogHandle dialog, int id) {
  HWND item = Item(dialog, id);
  return item != nullptr && ::IsWindowVisible(item) != FALSE;
}

bool ShowControl(DialogHandle dialog, int id, bool show) {
  HWND item = Item(dialog, id);
  if (item == nullptr) return false;
  ::ShowWindow(item, show ? SW_SHOW : SW_HIDE);
  return true;
}

bool IsControlEnabled(DialogHandle dialog, int id) {
  HWND item = Item(dialog, id);
  return item != nullptr && ::IsWindowEnabled(item) != FALSE;
}

bool EnableControl(DialogHandle dialog, int id, bool enable) {
  HWND item = Item(dialog, id);
  if (item == nullptr) return false;
  ::EnableWindow(item, enable ? TRUE : FALSE);
  return true;
}

bool IsButtonChecked(DialogHandle dialog, int id) { return ::IsDlgButtonChecked(Hwnd(dialog), id) == BST_CHECKED; }

bool CheckButton(DialogHandle dialog, int id, bool checked) {
  return ::CheckDlgButton(Hwnd(dialog), id, checked ? BST_CHECKED : BST_UNCHECKED) != FALSE;
}

bool CheckRadioButtonInRange(DialogHandle dialog, int first, int last, int id) {
  return ::CheckRadioButton(Hwnd(dialog), first, last, id) != FALSE;
}

bool FocusControl(DialogHandle dialog, int id) {
  HWND item = Item(dialog, id);
  if (item == nullptr) return false;
  ::SetFocus(item);
  return ::GetFocus() == item;
}

int FocusedControl(DialogHandle dialog) {
  HWND focus = ::GetFocus();
  if (focus == nullptr || !::IsChild(Hwnd(dialog), focus)) return 0;
  return ::GetDlgCtrlID(focus);
}

namespace {

bool SendToItem(DialogHandle dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND item = Item(dialog, id);
  if (item == nullptr) return false;
  ::SendMessageA(item, message, wParam, lParam);
  return true;
}

}  // namespace

bool SelectEditText(DialogHandle dialog, int id, int start, int end) {
  return SendToItem(dialog, id, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

bool ScrollEditCaret(DialogHandle dialog, int id) { return SendToItem(dialog, id, EM_SCROLLCARET, 0, 0); }

namespace {

bool WindowRect(HWND window, PixelRect& rect) {
  RECT r;
  if (window == nullptr || !::GetWindowRect(window, &r)) return false;
  rect = {r.left, r.top, r.right, r.bottom};
  return true;
}

}  // namespace

bool ControlScreenRect(DialogHandle dialog, int id, PixelRect& rect) { return WindowRect(Item(dialog, id), rect); }

bool DialogScreenRect(DialogHandle dialog, PixelRect& rect) { return WindowRect(Hwnd(dialog), rect); }

bool ScreenToClientRect(DialogHandle dialog, PixelRect& rect) {
  POINT topLeft = {rect.left, rect.top};
  POINT bottomRight = {rect.right, rect.bottom};
  if (!::ScreenToClient(Hwnd(dialog), &topLeft) || !::ScreenToClient(Hwnd(dialog), &bottomRight)) return false;
  rect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  return true;
}

bool PlaceOnTopAndShow(DialogHandle dialog, int x, int y) {
  return ::SetWindowPos(Hwnd(dialog), HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW) != FALSE;
}

bool RepaintNow(DialogHandle dialog) { return ::UpdateWindow(Hwnd(dialog)) != FALSE; }

void ShowCursorShape(CursorShape shape) {
  ::SetCursor(::LoadCursorA(nullptr, shape == CursorShape::Wait ? IDC_WAIT : IDC_ARROW));
}

namespace {

int CALLBACK BrowseProcedure(HWND window, UINT message, LPARAM lParam, LPARAM data) {
  const auto& callback = *reinterpret_cast<const BrowseCallback*>(data);
  BrowseDialog chooser = reinterpret_cast<BrowseDialog>(window);
  switch (message) {
    case BFFM_INITIALIZED:
      return callback(chooser, BrowseNotice::Initialized, "");
    case BFFM_SELCHANGED:
      return callback(chooser, BrowseNotice::SelectionChanged, "");
    case BFFM_VALIDATEFAILEDA:
      return callback(chooser, BrowseNotice::ValidateFailed, reinterpret_cast<const char*>(lParam));
    case BFFM_VALIDATEFAILEDW: {
      // Some shells tell an ANSI caller in Unicode; the name comes over in
      // the ANSI code page.
      char typed[MAX_PATH * 2] = {};
      ::WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(lParam), -1, typed, sizeof typed, nullptr,
                            nullptr);
      return callback(chooser, BrowseNotice::ValidateFailed, typed);
    }
    default:
      return 0;
  }
}

}  // namespace

FolderItem BrowseForFolder(WindowHandle owner, const std::string& title, unsigned flags,
                           const BrowseCallback& callback) {
  char displayName[MAX_PATH] = {};
  BROWSEINFOA request = {};
  request.hwndOwner = reinterpret_cast<HWND>(owner);
  request.pidlRoot = nullptr;
  request.pszDisplayName = displayName;
  request.lpszTitle = title.c_str();
  request.ulFlags = flags;
  request.lpfn = BrowseProcedure;
  request.lParam = reinterpret_cast<LPARAM>(&callback);
  return reinterpret_cast<FolderItem>(::SHBrowseForFolderA(&request));
}

void SetBrowseSelection(BrowseDialog chooser, const std::string& path) {
  ::SendMessageA(reinterpret_cast<HWND>(chooser), BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
}

bool PathFromFolderItem(FolderItem item, std::string& path) {
  char buffer[MAX_PATH] = {};
  if (!::SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(item), buffer)) return false;
  path = buffer;
  return true;
}

void FreeFolderItem(FolderItem item) {
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(::SHGetMalloc(&allocator)) && allocator != nullptr) {
    allocator->Free(item);
    allocator->Release();
  }
}

}  // namespace platform
