#pragma once
// The splitter behind SplitCommandLine, over a given way of stepping from one
// character to the next, so that the emulated machine's launcher splits with
// its own code page the way the started program will (NextCharIndex there).
#include <cstddef>
#include <string>
#include <vector>

namespace platform {

class CommandLineSplitter {
 public:
  using NextChar = std::size_t (*)(const std::string& s, std::size_t index);
  CommandLineSplitter(const std::string& text, NextChar nextChar) : text_(text), nextChar_(nextChar) {}

  std::vector<std::string> Split() {
    std::vector<std::string> args;
    args.push_back(ProgramName());
    while (true) {
      while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
      if (AtEnd()) break;
      args.push_back(Argument());
    }
    return args;
  }

 private:
  static bool IsBlank(char c) { return c == ' ' || c == '\t'; }
  bool AtEnd() const { return pos_ >= text_.size(); }

  // Appends the character at the position, both bytes of a double-byte one.
  void TakeCharacter(std::string& out) {
    const std::size_t next = nextChar_(text_, pos_);
    out.append(text_, pos_, next - pos_);
    pos_ = next;
  }

  std::string ProgramName() {
    std::string name;
    bool quoted = false;
    while (!AtEnd() && (quoted || !IsBlank(text_[pos_]))) {
      if (text_[pos_] == '"') {
        quoted = !quoted;
        ++pos_;
      } else {
        TakeCharacter(name);
      }
    }
    return name;
  }

  std::string Argument() {
    std::string arg;
    bool quoted = false;
    while (true) {
      std::size_t backslashes = 0;
      while (!AtEnd() && text_[pos_] == '\\') {
        ++backslashes;
        ++pos_;
      }
      bool literal = true;
      if (!AtEnd() && text_[pos_] == '"') {
        if (backslashes % 2 == 0) {
          if (quoted && pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
            ++pos_;  // "" inside quotes: one literal quote
          } else {
            literal = false;
            quoted = !quoted;
          }
        }
        backslashes /= 2;
      }
      arg.append(backslashes, '\\');
      if (AtEnd() || (!quoted && IsBlank(text_[pos_]))) break;
      if (literal) {
        TakeCharacter(arg);
      } else {
        ++pos_;
      }
    }
    return arg;
  }

  const std::string& text_;
  NextChar nextChar_;
  std::size_t pos_ = 0;
};

}  // namespace platform
