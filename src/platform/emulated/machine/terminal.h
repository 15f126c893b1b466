#pragma once
// A person at a terminal in place of the scripted operator: when a dialog or
// message box waits and the operator's queue is empty, the emulated dialog
// manager draws it on the terminal and takes keys. The terminal is in raw
// mode on the alternate screen for as long as a session lasts; sessions nest
// and the outermost one gives the terminal back as it was.
#include <cstddef>
#include <string>
#include <vector>

namespace emu {

// Standard input and output are a terminal that can be drawn on.
bool TerminalAvailable();

enum class KeyKind {
  Char,
  Tab,
  BackTab,
  Enter,
  Escape,
  Space,
  Backspace,
  Up,
  Down,
  Left,
  Right,
  PageUp,
  PageDown,
  Closed,  // the terminal went away
};
struct Key {
  KeyKind kind = KeyKind::Closed;
  char ch = 0;  // for Char
};
// "Tab", "Shift+Tab", "Enter", "Esc", "Space", "Backspace", "Up", ..., or the character in quotes.
std::string KeyName(const Key& key);

// One line of the screen; the bytes from markStart to markEnd are shown in
// reverse video.
struct ScreenLine {
  std::string text;
  std::size_t markStart = 0, markEnd = 0;
};

class TerminalSession {
 public:
  TerminalSession();
  ~TerminalSession();
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;

  int Width() const;
  int Height() const;
  // Draws the whole screen anew.
  void Draw(const std::vector<ScreenLine>& lines);
  Key ReadKey();
};

}  // namespace emu
