// The machine's restart reads WININIT.INI as the settings-file calls read
// it, so that what a program scheduled there is what the restart does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files_fixture.h"
#include "platform/emulated/machine/restart.h"
#include "platform/profile.h"

namespace {

class RestartTest : public BareMachineTest {};

std::vector<std::string> RenameEntries() {
  char buffer[1024];
  const std::uint32_t size = platform::ReadSettingsSection("rename", buffer, sizeof buffer, "WININIT.INI");
  std::vector<std::string> entries;
  for (std::uint32_t at = 0; at < size; at += static_cast<std::uint32_t>(entries.back().size()) + 1) {
    entries.emplace_back(buffer + at);
  }
  return entries;
}

TEST_F(RestartTest, WininitIsReadAsTheSettingsCallsReadIt) {
  for (const char* name : {"app/gone.txt", "app/a.txt", "app/second.txt"}) MakeHostFile(name);
  MakeHostFile("windows/WININIT.INI",
               "[rename]\r\n; a comment\r\n NUL = C:\\app\\gone.txt \r\nnot an entry\r\n"
               "C:\\app\\moved.txt=C:\\app\\a.txt\r\n[Other]\r\nx=y\r\n[RENAME]\r\nNUL=C:\\app\\second.txt\r\n");
  // Only the first section of a name counts.
  const std::vector<std::string> scheduled = {"NUL=C:\\app\\gone.txt", "not an entry",
                                              "C:\\app\\moved.txt=C:\\app\\a.txt"};
  ASSERT_EQ(RenameEntries(), scheduled);

  std::vector<std::string> done;
  std::string error;
  ASSERT_TRUE(emu::CarryOutRestartOperations(done, error)) << error;
  EXPECT_EQ(done, (std::vector<std::string>{"deleted C:\\app\\gone.txt",
                                            "renamed C:\\app\\a.txt to C:\\app\\moved.txt"}));
  EXPECT_FALSE(HostExists(Host("app/gone.txt")));
  EXPECT_EQ(HostContent(Host("app/moved.txt")), "x");
  EXPECT_TRUE(HostExists(Host("app/second.txt")));
  // The section carried out goes, as a program removing it would take it away.
  EXPECT_EQ(HostContent(Host("windows/WININIT.INI")), "[Other]\r\nx=y\r\n[RENAME]\r\nNUL=C:\\app\\second.txt\r\n");
}

}  // namespace
