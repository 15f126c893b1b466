// Describes the wizard as another program of the same Wine session shows it,
// in the words the emulated machine's transcript uses for a dialog that
// waits, so that a script can compare the real dialogs with the emulated
// ones line by line:
//
//   dialog_probe.exe            the frame and its pages
//   dialog_probe.exe --places   where the picture and the pages lie in the
//                               frame's client area, in pixels
//   dialog_probe.exe --where ID the middle of control ID of the frame or of a
//                               page, in screen coordinates (for a click)
//
// The frame is the visible dialog that holds the picture (control 1002); a
// page is told by a control only it has. Exits with 1 when no frame is shown.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/emulated/machine/quoted_text.h"

namespace {

// Every message to the other program is bounded: a busy wizard must not hang
// the probe.
constexpr UINT kReplyTimeoutMs = 5000;
constexpr int kPictureId = 1002;

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kReplyTimeoutMs, &result);
  return static_cast<LRESULT>(result);
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  const LRESULT length = Send(window, WM_GETTEXTLENGTH);
  std::vector<char> text(static_cast<std::size_t>(length) + 2, '\0');
  Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

std::string KindOf(HWND control) {
  const std::string cls = ClassOf(control);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  if (lstrcmpiA(cls.c_str(), "Button") == 0) {
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON:
        return "button";
      case BS_GROUPBOX:
        return "group box";
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON:
        return "radio button";
      default:
        return "check box";
    }
  }
  if (lstrcmpiA(cls.c_str(), "Static") == 0) {
    const LONG type = style & SS_TYPEMASK;
    if (type == SS_BITMAP || type == SS_ICON) return "picture";
    if (type >= SS_ETCHEDHORZ && type <= SS_ETCHEDFRAME) return "line";
    return "text";
  }
  if (lstrcmpiA(cls.c_str(), "Edit") == 0) return "edit";
  return "control";
}

int IdOf(HWND control) {
  const int id = GetDlgCtrlID(control);
  return id == 0xFFFF ? -1 : id;
}

struct Focus {
  HWND focused = nullptr;
  bool onButton = false;  // Enter presses the focused push button
  int defaultId = 0;      // else the frame's default button
};

std::string Describe(HWND control, const Focus& focus, bool frameControl) {
  const std::string kind = KindOf(control);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  const int id = IdOf(control);
  std::string line = kind;
  if (id != -1) line += " " + std::to_string(id);
  if (kind == "picture") {
    line += Send(control, STM_GETIMAGE, IMAGE_BITMAP) != 0 ? " bitmap 101" : " bitmap 0";
  } else if (kind != "line") {
    line += " " + emu::QuotedText(TextOf(control));
  }
  if (!(style & WS_VISIBLE)) line += " hidden";
  if (style & WS_DISABLED) line += " disabled";
  if ((kind == "check box" || kind == "radio button") && Send(control, BM_GETCHECK) == BST_CHECKED) line += " checked";
  const bool isDefault =
      kind == "button" && (focus.onButton ? focus.focused == control : frameControl && id == focus.defaultId);
  if (isDefault) line += " default";
  if (focus.focused == control) line += " focused";
  if (kind == "edit") {
    DWORD start = 0, end = 0;
    Send(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start != end) line += " selected " + std::to_string(start) + "-" + std::to_string(end);
    const LRESULT first = Send(control, EM_GETFIRSTVISIBLELINE);
    if (first > 0) line += " from line " + std::to_string(first + 1);
  }
  return line;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

bool IsDialog(HWND window) { return ClassOf(window) == "#32770"; }

// The page's template, told by a control that only it has.
int PageTemplate(HWND page) {
  struct Sign {
    int id;
    int templateId;
  };
  const Sign signs[] = {{1003, 105}, {1013, 106}, {1008, 107}, {1012, 108}, {1000, 104}};
  for (const Sign& s : signs) {
    if (GetDlgItem(page, s.id) != nullptr) return s.templateId;
  }
  return 0;
}

BOOL CALLBACK FindFrame(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && IsDialog(window) && GetDlgItem(window, kPictureId) != nullptr) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

RECT InClient(HWND frame, HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  const bool places = argc > 1 && std::strcmp(argv[1], "--places") == 0;
  const int where = argc > 2 && std::strcmp(argv[1], "--where") == 0 ? std::atoi(argv[2]) : 0;
  HWND frame = nullptr;
  EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&frame));
  if (frame == nullptr) {
    std::printf("no wizard frame is shown\n");
    return 1;
  }
  if (where != 0) {
    // The pages first: their ids may repeat the frame's.
    HWND control = nullptr;
    for (HWND child : Children(frame)) {
      if (control == nullptr && IsDialog(child) && IsWindowVisible(child)) control = GetDlgItem(child, where);
    }
    if (control == nullptr) control = GetDlgItem(frame, where);
    if (control == nullptr) {
      std::printf("no control %d\n", where);
      return 1;
    }
    RECT r;
    GetWindowRect(control, &r);
    std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return 0;
  }
  if (places) {
    const RECT p = InClient(frame, GetDlgItem(frame, kPictureId));
    std::printf("picture %ld,%ld,%ld,%ld\n", p.left, p.top, p.right, p.bottom);
    for (HWND child : Children(frame)) {
      if (!IsDialog(child)) continue;
      const RECT r = InClient(frame, child);
      std::printf("page %d %ld,%ld\n", PageTemplate(child), r.left, r.top);
    }
    return 0;
  }

  Focus focus;
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(frame, nullptr), &gui)) focus.focused = gui.hwndFocus;
  focus.onButton = focus.focused != nullptr && KindOf(focus.focused) == "button";
  const LRESULT defId = Send(frame, DM_GETDEFID);
  focus.defaultId = HIWORD(defId) == DC_HASDEFID ? LOWORD(defId) : IDOK;

  std::printf("dialog 103 %s waits\n", emu::QuotedText(TextOf(frame)).c_str());
  std::vector<HWND> pages;
  for (HWND child : Children(frame)) {
    if (IsDialog(child)) {
      pages.push_back(child);
    } else {
      std::printf("  %s\n", Describe(child, focus, true).c_str());
    }
  }
  for (HWND page : pages) {
    const RECT r = InClient(frame, page);
    const LONG style = GetWindowLongA(page, GWL_STYLE);
    std::printf("  page %d at %ld,%ld%s\n", PageTemplate(page), r.left, r.top, (style & WS_VISIBLE) ? "" : " hidden");
    for (HWND control : Children(page)) std::printf("    %s\n", Describe(control, focus, false).c_str());
  }
  return 0;
}
