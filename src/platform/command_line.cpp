#include "platform/command_line.h"

#include "platform/text.h"

namespace platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

class Splitter {
 public:
  explicit Splitter(const std::string& text) : text_(text) {}

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
  bool AtEnd() const { return pos_ >= text_.size(); }

  // Appends the character at the position, both bytes of a double-byte one.
  void TakeCharacter(std::string& out) {
    const std::size_t next = NextCharIndex(text_, pos_);
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
  std::size_t pos_ = 0;
};

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  return Splitter(commandLine).Split();
}

}  // namespace platform
