// Describes the message box shown by another program of the same Wine
// session, so that a script can compare what the user sees with what is
// expected:
//
//   box_probe.exe CAPTION
//
// prints the caption, the message text (line breaks as \n), the buttons in
// their order, whether an icon is shown, the default button and the button
// that has the keyboard focus. Exits with 1 when no window has that caption.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Every message to the other program is bounded: a hung box must not hang
// the probe.
constexpr UINT kReplyTimeoutMs = 5000;

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      kReplyTimeoutMs, &copied);
  return text;
}

// A button's label as read: the mnemonic marker is not shown.
std::string Label(const std::string& text) {
  std::string label;
  for (char c : text) {
    if (c != '&') label.push_back(c);
  }
  return label;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c != '\r') {
      out.push_back(c);
    }
  }
  return out;
}

struct Button {
  HWND window;
  std::string label;
  bool isDefault;  // drawn with the heavy border; Return chooses it
};

struct BoxContent {
  std::vector<Button> buttons;
  std::string text;
  bool hasIcon = false;
};

BOOL CALLBACK CollectControl(HWND control, LPARAM param) {
  BoxContent& box = *reinterpret_cast<BoxContent*>(param);
  const std::string kind = ClassOf(control);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  if (lstrcmpiA(kind.c_str(), "Button") == 0) {
    box.buttons.push_back({control, Label(TextOf(control)), (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON});
  } else if (lstrcmpiA(kind.c_str(), "Static") == 0) {
    if ((style & SS_TYPEMASK) == SS_ICON) {
      DWORD_PTR icon = 0;
      SendMessageTimeoutA(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kReplyTimeoutMs, &icon);
      box.hasIcon = box.hasIcon || icon != 0;
    } else {
      const std::string text = TextOf(control);
      if (!text.empty()) box.text = text;
    }
  }
  return TRUE;
}

std::string NameOf(const std::vector<Button>& buttons, HWND window) {
  for (const Button& b : buttons) {
    if (b.window == window) return b.label;
  }
  return "none";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: box_probe CAPTION\n");
    return 2;
  }
  HWND box = FindWindowA(nullptr, argv[1]);
  if (box == nullptr) {
    std::printf("no window with the caption \"%s\"\n", argv[1]);
    return 1;
  }

  BoxContent content;
  EnumChildWindows(box, CollectControl, reinterpret_cast<LPARAM>(&content));

  // The dialog's own default id is not looked at: a message box may keep
  // the id of a button it does not show there, and Return goes to the
  // focused default push button.
  std::string labels;
  std::string defaultButton;
  for (const Button& b : content.buttons) {
    labels += (labels.empty() ? "" : "/") + b.label;
    if (b.isDefault) defaultButton += (defaultButton.empty() ? "" : "/") + b.label;
  }
  if (defaultButton.empty()) defaultButton = "none";

  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  const DWORD thread = GetWindowThreadProcessId(box, nullptr);
  const std::string focus =
      GetGUIThreadInfo(thread, &gui) && gui.hwndFocus != nullptr ? NameOf(content.buttons, gui.hwndFocus) : "none";

  std::printf("caption: %s\n", TextOf(box).c_str());
  std::printf("text: %s\n", Escaped(content.text).c_str());
  std::printf("buttons: %s\n", labels.c_str());
  std::printf("icon: %s\n", content.hasIcon ? "shown" : "none");
  std::printf("default button: %s\n", defaultButton.c_str());
  std::printf("focus: %s\n", focus.c_str());
  return 0;
}
