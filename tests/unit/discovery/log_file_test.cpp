// Appending lines to the uninstall log.
#include <gtest/gtest.h>

#include <string>

#include "discovery/log_file.h"
#include "platform/files.h"
#include "scratch_machine.h"

namespace discovery_tests {
namespace {

constexpr char kLog[] = "C:\\Apps\\PtvUnInst.log";
constexpr char kMissing[] = "-missing-";  // the file is not there before the append

struct AppendCase {
  const char* name;
  std::string before;
  std::string line;
  std::string after;
};

TEST(AppendLogLine, AddsTheLineAndACrLf) {
  const AppendCase cases[] = {
      {"missing_file_is_created", kMissing, "Made Dir: C:\\Menu\\Pictavo 6", "Made Dir: C:\\Menu\\Pictavo 6\r\n"},
      {"appended_after_last_line", "File Copy: a.dll\r\n", "Shell Link: C:\\Menu\\P.lnk",
       "File Copy: a.dll\r\nShell Link: C:\\Menu\\P.lnk\r\n"},
      {"empty_file", "", "Made Dir: C:\\M", "Made Dir: C:\\M\r\n"},
      // Nothing is put in front of the text: an empty line ends an open last line.
      {"empty_line_ends_open_line", "File Copy: a.dll", "", "File Copy: a.dll\r\n"},
      {"text_joins_open_line", "File Copy: a", ".dll", "File Copy: a.dll\r\n"},
  };
  for (const AppendCase& c : cases) {
    ScratchMachine machine;
    ASSERT_TRUE(machine.Ready());
    if (c.before == kMissing) {
      ASSERT_TRUE(MakeFolders("C:\\Apps"));
    } else {
      ASSERT_TRUE(PutFile(kLog, c.before));
    }
    AppendLogLine(kLog, c.line);
    std::string content;
    EXPECT_TRUE(platform::ReadWholeFile(kLog, content)) << c.name;
    EXPECT_EQ(content, c.after) << c.name;
  }
}

TEST(AppendLogLine, PassesOverALogThatCantBeWritten) {
  ScratchMachine machine;
  ASSERT_TRUE(machine.Ready());
  AppendLogLine("C:\\No Such Folder\\PtvUnInst.log", "Made Dir: C:\\M");
  EXPECT_FALSE(platform::PathExists("C:\\No Such Folder"));
}

}  // namespace
}  // namespace discovery_tests
