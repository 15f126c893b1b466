// Splitting a command line as the C runtime fills argv.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ansi_code_page.h"
#include "platform/command_line.h"

namespace platform_tests {
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
      {"p  one\ttwo   ", {"p", "one", "two"}},
      {"  setup.exe\t -install   /s  ", {"", "setup.exe", "-install", "/s"}},  // a leading blank ends the name
      {"\"C:\\Program Files\\Pictavo 6\\PtvUnInst.exe\" -s",
       {"C:\\Program Files\\Pictavo 6\\PtvUnInst.exe", "-s"}},
      {"x -delself \"C:\\Program Files\\Pictavo 6\\PtvUnInst.exe\" -s",
       {"x", "-delself", "C:\\Program Files\\Pictavo 6\\PtvUnInst.exe", "-s"}},
      // The program name only knows quotes: they group wherever they stand.
      {"\"C:\\a b\\setup.exe\"x y", {"C:\\a b\\setup.exex", "y"}},
      {"C:\\dir\\\"setup.exe -s", {"C:\\dir\\setup.exe -s"}},
      {"C:\\dir\\ -s", {"C:\\dir\\", "-s"}},
      {"\"\" -s", {"", "-s"}},
      // The arguments.
      {"x a\"b c\"d e", {"x", "ab cd", "e"}},  // quotes group inside a word
      {"x \"\" y", {"x", "", "y"}},            // an empty quoted argument
      {"x \"unterminated arg", {"x", "unterminated arg"}},
      {"x C:\\dir\\ y", {"x", "C:\\dir\\", "y"}},        // plain backslashes stay
      {"x a\\\\b", {"x", "a\\\\b"}},
      {"x \"C:\\dir\\\\\" y", {"x", "C:\\dir\\", "y"}},  // 2n backslashes + quote
      {"x a\\\"b", {"x", "a\"b"}},                       // 2n+1 backslashes + quote
      {"x \\\\\\\"c", {"x", "\\\"c"}},
      {"x \"a\"\"b\"", {"x", "a\"b"}},  // "" inside quotes
      {"x \"say \"\"hi\"\"\"", {"x", "say \"hi\""}},
      {"", {""}},
  };
  for (const SplitCase& c : cases) EXPECT_EQ(platform::SplitCommandLine(c.line), c.args) << c.line;
}

struct CodePageCase {
  unsigned codePage;
  std::string line;
  Args args;
};

// 0x95 0x5C is one Shift-JIS character whose trail byte is a backslash; in
// code page 1252 the same bytes are two characters.
TEST(SplitCommandLine, TrailByteIsNeverABackslash) {
  const std::string folder = "C:\\\x95\x5c";
  const CodePageCase cases[] = {
      {932, "x \"" + folder + "\" -s", {"x", folder, "-s"}},
      {932, "x " + folder + "\\\"a b\"", {"x", folder + "\"a", "b"}},
      {932, "\"" + folder + "\" -s", {folder, "-s"}},
      {932, "x \x95", {"x", "\x95"}},  // a lead byte at the end stays alone
      {1252, "x \"" + folder + "\" -s", {"x", "C:\\\x95\" -s"}},
  };
  for (const CodePageCase& c : cases) {
    AnsiCodePage codePage(c.codePage);
    if (!codePage.Active()) {
      std::printf("skipped for code page %u: %s\n", c.codePage, c.line.c_str());
      continue;
    }
    EXPECT_EQ(platform::SplitCommandLine(c.line), c.args) << c.codePage << ": " << c.line;
  }
}

}  // namespace
}  // namespace platform_tests
