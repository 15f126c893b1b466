#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"

namespace {

using Args = std::vector<std::string>;

struct SplitCase {
  const char* line;
  Args args;
};

TEST(SplitCommandLine, FollowsTheRuntimeRules) {
  const SplitCase cases[] = {
      {"setup.exe", {"setup.exe"}},
      {"setup.exe -s", {"setup.exe", "-s"}},
      {"  setup.exe\t -install   /s  ", {"", "setup.exe", "-install", "/s"}},
      {"\"C:\\Program Files\\Pictavo 6\\PtvUnInst.exe\" -s",
       {"C:\\Program Files\\Pictavo 6\\PtvUnInst.exe", "-s"}},
      {"x -delself \"C:\\Program Files\\Pictavo 6\\PtvUnInst.exe\" -s",
       {"x", "-delself", "C:\\Program Files\\Pictavo 6\\PtvUnInst.exe", "-s"}},
      {"x a\"b c\"d e", {"x", "ab cd", "e"}},               // quotes group inside a word
      {"x \"\" y", {"x", "", "y"}},                           // an empty quoted argument
      {"x \"unterminated arg", {"x", "unterminated arg"}},
      {"x C:\\dir\\ y", {"x", "C:\\dir\\", "y"}},             // plain backslashes stay
      {"x \"C:\\dir\\\\\" y", {"x", "C:\\dir\\", "y"}},       // 2n backslashes + quote
      {"x a\\\"b", {"x", "a\"b"}},                            // 2n+1 backslashes + quote
      {"x \"a\"\"b\"", {"x", "a\"b"}},                        // "" inside quotes
      {"\"C:\\a b\\setup.exe\"x y", {"C:\\a b\\setup.exex", "y"}},
      {"C:\\dir\\\"setup.exe -s", {"C:\\dir\\setup.exe -s"}},  // the program name only knows quotes
      {"", {""}},
  };
  for (const SplitCase& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.args) << c.line;
}

bool ShiftJisLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc); }

TEST(SplitCommandLine, TrailByteIsNeverABackslash) {
  // 0x95 0x5C is one double-byte character whose trail byte is a backslash.
  const std::string folder = "C:\\\x95\x5c";
  EXPECT_EQ(SplitCommandLine("x \"" + folder + "\" -s", ShiftJisLeadByte), (Args{"x", folder, "-s"}));
  // Read byte by byte the same bytes escape the quote.
  EXPECT_EQ(SplitCommandLine("x \"" + folder + "\" -s"), (Args{"x", "C:\\\x95\" -s"}));
}

}  // namespace
