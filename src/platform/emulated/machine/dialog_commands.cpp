#include "platform/emulated/machine/dialog_commands.h"

#include <cstdlib>

#include "platform/emulated/machine/internal/basics.h"

namespace emu {

namespace {

struct Word {
  const char* word;
  DialogAction action;
  enum { None, Control, ControlAndText, Text } takes;
};

const Word kWords[] = {
    {"press", DialogAction::Press, Word::Control},   {"type", DialogAction::Type, Word::ControlAndText},
    {"tick", DialogAction::Tick, Word::Control},     {"untick", DialogAction::Untick, Word::Control},
    {"choose", DialogAction::Choose, Word::Control}, {"enter", DialogAction::Enter, Word::None},
    {"esc", DialogAction::Esc, Word::None},          {"space", DialogAction::Space, Word::None},
    {"tab", DialogAction::Tab, Word::None},          {"backtab", DialogAction::BackTab, Word::None},
    {"close", DialogAction::Close, Word::None},
};

const Word kBrowseWords[] = {
    {"select", DialogAction::BrowseSelect, Word::Text}, {"type", DialogAction::BrowseType, Word::Text},
    {"new", DialogAction::BrowseNew, Word::Text},       {"ok", DialogAction::BrowseOk, Word::None},
    {"cancel", DialogAction::BrowseCancel, Word::None}, {"choose", DialogAction::BrowseChoose, Word::Text},
};

std::string Lower(std::string text) {
  for (char& c : text) c = internal::AsciiLower(c);
  return text;
}

// The first blank-separated word of `text` and what follows it, trimmed.
void SplitWord(const std::string& text, std::string& word, std::string& rest) {
  const std::string trimmed = internal::Trimmed(text);
  const std::size_t blank = trimmed.find_first_of(" \t");
  word = trimmed.substr(0, blank);
  rest = blank == std::string::npos ? "" : internal::Trimmed(trimmed.substr(blank));
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = internal::AsciiLower(c);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// A text as written: the rest of the line, or a quoted string.
bool DecodeText(const std::string& written, std::string& text, std::string& error) {
  if (written.empty() || written.front() != '"') {
    text = written;
    return true;
  }
  text.clear();
  for (std::size_t i = 1; i < written.size(); ++i) {
    const char c = written[i];
    if (c == '"') {
      if (i + 1 != written.size()) {
        error = "text after the closing quote";
        return false;
      }
      return true;
    }
    if (c != '\\') {
      text.push_back(c);
      continue;
    }
    if (++i == written.size()) break;
    switch (written[i]) {
      case 'n': text.push_back('\n'); break;
      case 'r': text.push_back('\r'); break;
      case 't': text.push_back('\t'); break;
      case 'x': {
        const int high = i + 1 < written.size() ? HexValue(written[i + 1]) : -1;
        const int low = i + 2 < written.size() ? HexValue(written[i + 2]) : -1;
        if (high < 0 || low < 0) {
          error = "\\x needs two hex digits";
          return false;
        }
        text.push_back(static_cast<char>(high * 16 + low));
        i += 2;
        break;
      }
      default:
        text.push_back(written[i]);
    }
  }
  error = "no closing quote";
  return false;
}

bool Fill(const Word& word, const std::string& rest, DialogCommand& command, std::string& error) {
  command.action = word.action;
  switch (word.takes) {
    case Word::None:
      if (!rest.empty()) {
        error = std::string("\"") + word.word + "\" takes nothing after it";
        return false;
      }
      return true;
    case Word::Control:
      if (rest.empty()) {
        error = std::string("\"") + word.word + "\" needs a control";
        return false;
      }
      command.control = rest;
      return true;
    case Word::ControlAndText: {
      std::string written;
      SplitWord(rest, command.control, written);
      if (command.control.empty()) {
        error = std::string("\"") + word.word + "\" needs a control and a text";
        return false;
      }
      return DecodeText(written, command.text, error);
    }
    case Word::Text:
      if (rest.empty()) {
        error = std::string("\"browse ") + word.word + "\" needs a text";
        return false;
      }
      return DecodeText(rest, command.text, error);
  }
  return false;
}

}  // namespace

bool ParseDialogCommand(const std::string& line, DialogCommand& command, std::string& error) {
  std::string word, rest;
  SplitWord(line, word, rest);
  word = Lower(word);
  command = DialogCommand();
  if (word == "browse") {
    std::string what, after;
    SplitWord(rest, what, after);
    what = Lower(what);
    for (const Word& w : kBrowseWords) {
      if (what == w.word) return Fill(w, after, command, error);
    }
    error = "\"browse " + what + "\" is not a command of the folder chooser";
    return false;
  }
  for (const Word& w : kWords) {
    if (word == w.word) return Fill(w, rest, command, error);
  }
  error = "\"" + internal::Trimmed(line) + "\" is not a dialog command";
  return false;
}

bool IsBrowseAction(DialogAction action) {
  switch (action) {
    case DialogAction::BrowseSelect:
    case DialogAction::BrowseType:
    case DialogAction::BrowseNew:
    case DialogAction::BrowseOk:
    case DialogAction::BrowseCancel:
    case DialogAction::BrowseChoose:
      return true;
    default:
      return false;
  }
}

bool ControlIdOf(const std::string& name, int& id) {
  if (name.empty()) return false;
  char* end = nullptr;
  const long value = std::strtol(name.c_str(), &end, 10);
  if (*end != '\0') return false;
  id = static_cast<int>(value);
  return true;
}

}  // namespace emu
