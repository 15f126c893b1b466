// Whole sections of settings files, in the zero-separated layout.
#include <gtest/gtest.h>

#include <string>

#include "at_once.h"
#include "files_fixture.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/profile.h"

namespace {

using namespace platform;

class ProfileTest : public BareMachineTest {
 protected:
  // The section as the call fills it: the entries and the zero byte that ends the list.
  static std::string Section(const std::string& name, const std::string& file, std::uint32_t size = 512) {
    std::string buffer(size, '#');
    std::uint32_t n = ReadSettingsSection(name, &buffer[0], size, file);
    return buffer.substr(0, std::min<std::size_t>(n + 1, size));
  }
};

TEST_F(ProfileTest, ReadsSectionsWithRepeatedKeys) {
  MakeHostFile("windows/WININIT.INI",
               "[Other]\r\nx=1\r\n[rename]\r\n k = v \r\nNUL=C:\\a.tmp\r\n;note\r\n\r\nNUL=C:\\b.tmp\r\nplain\r\n"
               "[next]\r\ny=2\r\n");
  std::string expected("k=v\0NUL=C:\\a.tmp\0NUL=C:\\b.tmp\0plain\0\0", 37);
  EXPECT_EQ(expected, Section("RENAME", "wininit.ini"));
  EXPECT_EQ(expected, Section("rename", "C:\\Windows\\WININIT.INI"));

  struct Case {
    const char* section;
    const char* file;
    std::uint32_t size;
    std::string expected;
  } cases[] = {
      {"missing", "wininit.ini", 8, std::string("\0\0", 2)},
      {"rename", "nofile.ini", 8, std::string("\0\0", 2)},
      {"rename", "wininit.ini", 8, std::string("k=v\0NU\0\0", 8)},  // cut off: returns size - 2
      {"rename", "wininit.ini", 2, std::string("\0\0", 2)},
  };
  for (const Case& c : cases) {
    std::string buffer(c.size, '#');
    std::uint32_t n = ReadSettingsSection(c.section, &buffer[0], c.size, c.file);
    EXPECT_EQ(c.expected.size() - 2, n) << c.section << " " << c.size;
    EXPECT_EQ(c.expected, buffer.substr(0, c.expected.size())) << c.section << " " << c.size;
  }
}

TEST_F(ProfileTest, WritingReplacesTheSectionAndKeepsTheRest) {
  MakeHostFile("windows/wininit.ini", "[Rename]\r\nold=1\r\n[keep]\r\nz=9\r\n");
  const char entries[] = "NUL=C:\\x.tmp\0NUL=C:\\y.tmp\0";
  ASSERT_TRUE(WriteSettingsSection("rename", entries, "WININIT.INI"));
  EXPECT_EQ(std::string("NUL=C:\\x.tmp\0NUL=C:\\y.tmp\0\0", 27), Section("rename", "wininit.ini"));
  EXPECT_EQ(std::string("z=9\0\0", 5), Section("keep", "wininit.ini"));

  // A new file and a new section.
  ASSERT_TRUE(WriteSettingsSection("first", "a=1\0", "C:\\users\\Tester\\new.ini"));
  ASSERT_TRUE(WriteSettingsSection("second", "b=2\0", "C:\\users\\Tester\\new.ini"));
  EXPECT_EQ(std::string("a=1\0\0", 5), Section("first", "C:\\users\\Tester\\new.ini"));
  EXPECT_EQ(std::string("b=2\0\0", 5), Section("second", "C:\\users\\Tester\\new.ini"));

  EXPECT_FALSE(WriteSettingsSection("s", "a=1\0", "C:\\none\\x.ini"));
  EXPECT_EQ(kErrPathNotFound, LastError());
}

// Eight processes each write a section of their own into one file at the
// same moment, as programs scheduling restart-time renames in WININIT.INI
// do: every section is there afterwards.
TEST_F(ProfileTest, SectionsWrittenAtOnceAreAllKept) {
  constexpr int kRounds = 20;
  constexpr int kProcesses = 8;
  int roundsWithAll = 0;
  for (int round = 0; round < kRounds; ++round) {
    MakeHostFile("windows/WININIT.INI", "[existing]\r\nkept=1\r\n");
    std::vector<std::function<Outcome()>> jobs;
    for (int i = 0; i < kProcesses; ++i) {
      jobs.push_back([i] {
        const std::string entry = "NUL=C:\\file" + std::to_string(i) + std::string(1, '\0');
        return Result(WriteSettingsSection("section" + std::to_string(i), entry.c_str(), "WININIT.INI"));
      });
    }
    bool all = true;
    for (const Outcome& outcome : RunAtOnce(jobs)) all = all && outcome.ok;
    for (int i = 0; i < kProcesses; ++i) {
      all = all && Section("section" + std::to_string(i), "WININIT.INI") ==
                       "NUL=C:\\file" + std::to_string(i) + std::string(2, '\0');
    }
    all = all && Section("existing", "WININIT.INI") == std::string("kept=1\0\0", 8);
    if (all) ++roundsWithAll;
  }
  EXPECT_EQ(roundsWithAll, kRounds);
}

}  // namespace
