// The checks of the program group's name, with the rules of a single-byte
// and of a double-byte code page.
#include <gtest/gtest.h>

#include <string>

#include "wizard/pages/group_name.h"

namespace {

// Code page 932: lead bytes 0x81-0x9F and 0xE0-0xFC; only ASCII letters have a case.
AnsiTextRules Rules932() {
  return {[](const std::string& s, std::size_t i) {
            const unsigned char c = static_cast<unsigned char>(s[i]);
            const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
            return lead && i + 1 < s.size() ? i + 2 : i + 1;
          },
          [](std::string& s) {
            for (std::size_t i = 0; i < s.size(); ++i) {
              const unsigned char c = static_cast<unsigned char>(s[i]);
              if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
                ++i;
              } else if (c >= 'A' && c <= 'Z') {
                s[i] = static_cast<char>(c - 'A' + 'a');
              }
            }
          }};
}

const char kUserStartup[] = "C:\\Users\\Ann\\Start Menu\\Programs\\Startup";
const char kCommonStartup[] = "C:\\ProgramData\\Start Menu\\Programs\\Autostart";

struct Case {
  const char* name;
  const char* typed;
  const char* trimmed;
  GroupNameCheck check;
};

const Case kCases[] = {
    {"two_letters_with_blanks", "  ab  ", "ab", GroupNameCheck::TooShort},
    {"three_letters", "abc", "abc", GroupNameCheck::Accepted},
    {"only_white_space", " \t\r\n ", "", GroupNameCheck::TooShort},
    {"tabs_and_line_ends_around", "\tMy Tools\r\n", "My Tools", GroupNameCheck::Accepted},
    {"blanks_inside_stay", " Pictavo  6 ", "Pictavo  6", GroupNameCheck::Accepted},
    {"double_byte_and_one_byte_make_three", "\x93\xfa" "a", "\x93\xfa" "a", GroupNameCheck::Accepted},
    {"one_double_byte_character_is_two", " \x93\xfa ", "\x93\xfa", GroupNameCheck::TooShort},
    // 0x81 0x20 is one character whose trail byte is no blank.
    {"trail_byte_like_a_blank_stays", "ab\x81\x20", "ab\x81\x20", GroupNameCheck::Accepted},
    {"startup", "Startup", "Startup", GroupNameCheck::StartupFolder},
    {"startup_in_capitals", "STARTUP", "STARTUP", GroupNameCheck::StartupFolder},
    {"startup_with_blanks", "  startup ", "startup", GroupNameCheck::StartupFolder},
    {"all_users_startup_folder", "autoSTART", "autoSTART", GroupNameCheck::StartupFolder},
    {"containing_the_name", "My Startup", "My Startup", GroupNameCheck::Accepted},
    {"as_a_deeper_folder", "Tools\\Startup", "Tools\\Startup", GroupNameCheck::Accepted},
    {"the_whole_path", kUserStartup, kUserStartup, GroupNameCheck::Accepted},
};

TEST(GroupName, TrimsAndChecks) {
  const AnsiTextRules rules = Rules932();
  for (const Case& c : kCases) {
    const std::string trimmed = TrimGroupName(c.typed, rules);
    EXPECT_EQ(trimmed, c.trimmed) << c.name;
    EXPECT_EQ(CheckGroupName(trimmed, kUserStartup, kCommonStartup, rules), c.check) << c.name;
  }
}

TEST(GroupName, MissingStartupFoldersRefuseNothing) {
  const AnsiTextRules rules = Rules932();
  EXPECT_EQ(CheckGroupName("Startup", "", "", rules), GroupNameCheck::Accepted);
  EXPECT_EQ(CheckGroupName("abc", "", "", rules), GroupNameCheck::Accepted);
}

TEST(GroupName, TheLastFolderNameIsAfterTheLastBackslash) {
  const AnsiTextRules rules = Rules932();
  EXPECT_EQ(LastFolderName("C:\\a\\Startup", rules), "Startup");
  EXPECT_EQ(LastFolderName("Startup", rules), "Startup");
  EXPECT_EQ(LastFolderName("C:\\a\\", rules), "");
  // 0x95 0x5C is one character whose trail byte is a backslash.
  EXPECT_EQ(LastFolderName("C:\\\x95\x5c" "x", rules), "\x95\x5c" "x");
}

}  // namespace
