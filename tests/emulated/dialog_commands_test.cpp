// The operator's dialog commands as written in its queue.
#include <gtest/gtest.h>

#include <string>

#include "platform/emulated/machine/dialog_commands.h"

namespace {

using emu::DialogAction;

struct Case {
  const char* line;
  bool parses;
  DialogAction action;
  const char* control;
  const char* text;
};

const Case kCases[] = {
    {"press 1", true, DialogAction::Press, "1", ""},
    {"PRESS Next >", true, DialogAction::Press, "Next >", ""},
    {"  tick 1012  ", true, DialogAction::Tick, "1012", ""},
    {"untick 1009", true, DialogAction::Untick, "1009", ""},
    {"choose 1002", true, DialogAction::Choose, "1002", ""},
    {"type 1000 My Tools", true, DialogAction::Type, "1000", "My Tools"},
    {"type 1000 \"  ab  \"", true, DialogAction::Type, "1000", "  ab  "},
    {"type 1000 \"\\x82\\xa0x\"", true, DialogAction::Type, "1000", "\x82\xa0x"},
    {"type 1000 \"say \\\"hi\\\" \\\\ \\t\"", true, DialogAction::Type, "1000", "say \"hi\" \\ \t"},
    {"type 1000", true, DialogAction::Type, "1000", ""},
    {"enter", true, DialogAction::Enter, "", ""},
    {"Esc", true, DialogAction::Esc, "", ""},
    {"close", true, DialogAction::Close, "", ""},
    {"backtab", true, DialogAction::BackTab, "", ""},
    {"browse choose C:\\Program Files", true, DialogAction::BrowseChoose, "", "C:\\Program Files"},
    {"browse new \"New Folder\"", true, DialogAction::BrowseNew, "", "New Folder"},
    {"browse type Tools", true, DialogAction::BrowseType, "", "Tools"},
    {"browse cancel", true, DialogAction::BrowseCancel, "", ""},
    {"yes", false, DialogAction::Enter, "", ""},
    {"press", false, DialogAction::Enter, "", ""},
    {"enter now", false, DialogAction::Enter, "", ""},
    {"type 1000 \"open", false, DialogAction::Enter, "", ""},
    {"type 1000 \"\\xZ1\"", false, DialogAction::Enter, "", ""},
    {"type 1000 \"a\" b", false, DialogAction::Enter, "", ""},
    {"browse", false, DialogAction::Enter, "", ""},
    {"browse select", false, DialogAction::Enter, "", ""},
};

TEST(DialogCommands, ParseAsWritten) {
  for (const Case& c : kCases) {
    emu::DialogCommand command;
    std::string error;
    const bool parsed = emu::ParseDialogCommand(c.line, command, error);
    EXPECT_EQ(parsed, c.parses) << c.line << ": " << error;
    if (!c.parses) {
      EXPECT_FALSE(error.empty()) << c.line << " is refused without a reason";
      continue;
    }
    if (!parsed) continue;
    EXPECT_EQ(command.action, c.action) << c.line;
    EXPECT_EQ(command.control, c.control) << c.line;
    EXPECT_EQ(command.text, c.text) << c.line;
  }
}

}  // namespace
