#include "platform/emulated/machine/terminal.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/emulated/machine/internal/basics.h"

namespace emu {

namespace {

int sessions = 0;
termios savedMode;

void Write(const std::string& text) { internal::WriteAll(STDOUT_FILENO, text); }

// Waits up to `ms` for a byte; false when none came.
bool ReadByte(unsigned char& byte, int ms) {
  pollfd input = {STDIN_FILENO, POLLIN, 0};
  for (;;) {
    const int ready = poll(&input, 1, ms);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    const ssize_t got = read(STDIN_FILENO, &byte, 1);
    if (got < 0 && errno == EINTR) continue;
    return got == 1;
  }
}

// The rest of an escape sequence after ESC; a lone ESC is the Escape key.
Key EscapeSequence() {
  unsigned char byte = 0;
  if (!ReadByte(byte, 50)) return {KeyKind::Escape, 0};
  if (byte != '[' && byte != 'O') return {KeyKind::Escape, 0};
  std::string body;
  while (ReadByte(byte, 50)) {
    body.push_back(static_cast<char>(byte));
    if (byte >= 0x40 && byte <= 0x7e) break;
  }
  if (body == "A") return {KeyKind::Up, 0};
  if (body == "B") return {KeyKind::Down, 0};
  if (body == "C") return {KeyKind::Right, 0};
  if (body == "D") return {KeyKind::Left, 0};
  if (body == "Z") return {KeyKind::BackTab, 0};
  if (body == "5~") return {KeyKind::PageUp, 0};
  if (body == "6~") return {KeyKind::PageDown, 0};
  return {KeyKind::Char, 0};  // a key this interface has no use for
}

}  // namespace

bool TerminalAvailable() {
  const char* term = std::getenv("TERM");
  if (term == nullptr || std::strcmp(term, "dumb") == 0) return false;
  return isatty(STDIN_FILENO) == 1 && isatty(STDOUT_FILENO) == 1;
}

std::string KeyName(const Key& key) {
  switch (key.kind) {
    case KeyKind::Char:
      return std::string("'") + key.ch + "'";
    case KeyKind::Tab:
      return "Tab";
    case KeyKind::BackTab:
      return "Shift+Tab";
    case KeyKind::Enter:
      return "Enter";
    case KeyKind::Escape:
      return "Esc";
    case KeyKind::Space:
      return "Space";
    case KeyKind::Backspace:
      return "Backspace";
    case KeyKind::Up:
      return "Up";
    case KeyKind::Down:
      return "Down";
    case KeyKind::Left:
      return "Left";
    case KeyKind::Right:
      return "Right";
    case KeyKind::PageUp:
      return "PageUp";
    case KeyKind::PageDown:
      return "PageDown";
    case KeyKind::Closed:
      break;
  }
  return "end of input";
}

TerminalSession::TerminalSession() {
  if (sessions++ > 0) return;
  tcgetattr(STDIN_FILENO, &savedMode);
  termios raw = savedMode;
  // Keys arrive one at a time and unechoed; Ctrl+C still stops the program.
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO | IEXTEN));
  raw.c_iflag &= static_cast<tcflag_t>(~(IXON | ICRNL));
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  Write("\033[?1049h\033[?25l");  // the alternate screen, no cursor
}

TerminalSession::~TerminalSession() {
  if (--sessions > 0) return;
  Write("\033[0m\033[?25h\033[?1049l");
  tcsetattr(STDIN_FILENO, TCSANOW, &savedMode);
}

int TerminalSession::Width() const {
  winsize size = {};
  return ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
}

int TerminalSession::Height() const {
  winsize size = {};
  return ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_row > 0 ? size.ws_row : 24;
}

void TerminalSession::Draw(const std::vector<ScreenLine>& lines) {
  std::string out = "\033[H\033[2J";
  const std::size_t width = static_cast<std::size_t>(Width());
  const std::size_t height = static_cast<std::size_t>(Height());
  for (std::size_t row = 0; row < lines.size() && row < height; ++row) {
    const ScreenLine& line = lines[row];
    const std::string text = line.text.substr(0, width);
    out += "\033[" + std::to_string(row + 1) + ";1H";
    const std::size_t start = line.markStart < text.size() ? line.markStart : text.size();
    const std::size_t end = line.markEnd < text.size() ? line.markEnd : text.size();
    if (start < end) {
      out += text.substr(0, start) + "\033[7m" + text.substr(start, end - start) + "\033[0m" + text.substr(end);
    } else {
      out += text;
    }
  }
  Write(out);
}

Key TerminalSession::ReadKey() {
  unsigned char byte = 0;
  if (!ReadByte(byte, -1)) return {KeyKind::Closed, 0};
  switch (byte) {
    case '\t':
      return {KeyKind::Tab, 0};
    case '\r':
    case '\n':
      return {KeyKind::Enter, 0};
    case ' ':
      return {KeyKind::Space, 0};
    case 0x7f:
    case 0x08:
      return {KeyKind::Backspace, 0};
    case 0x1b:
      return EscapeSequence();
    case 0x04:  // Ctrl+D: the person gives up the terminal
      return {KeyKind::Closed, 0};
    default:
      return {KeyKind::Char, static_cast<char>(byte)};
  }
}

}  // namespace emu
