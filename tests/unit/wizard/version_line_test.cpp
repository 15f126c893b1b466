// The welcome page's version line.
#include <gtest/gtest.h>

#include "wizard/pages/version_line.h"

namespace {

const char kTemplate[] = "Pictavo ver. %d.%02d.%02d %s\nCopyright (c) Lumetra.\nA notice.";

struct Case {
  const char* name;
  ProductVersion version;
  const char* pattern;
  const char* line;
};

const Case kCases[] = {
    {"release_build", {6, 2, 1, 0}, kTemplate, "Pictavo ver. 6.02.01 \nCopyright (c) Lumetra.\nA notice."},
    {"beta_build", {6, 2, 1, 3}, kTemplate, "Pictavo ver. 6.02.01 Beta 3\nCopyright (c) Lumetra.\nA notice."},
    {"two_digits_stay", {6, 12, 34, 0}, kTemplate, "Pictavo ver. 6.12.34 \nCopyright (c) Lumetra.\nA notice."},
    {"no_version_read", {0, 0, 0, 0}, "%d.%02d.%02d %s", "0.00.00 "},
    {"percent_sign_and_stray_percent", {6, 0, 0, 1}, "100%% %d %q %s", "100% 6 %q 0"},
    {"fields_beyond_the_values_print_nothing", {6, 0, 1, 2}, "%d.%02d.%02d %s %d", "6.00.01 Beta 2 "},
    {"a_text_field_first", {6, 1, 2, 0}, "%s/%d", "6/1"},
};

TEST(VersionLine, FormatsTheTemplate) {
  for (const Case& c : kCases) EXPECT_EQ(FormatVersionLine(c.pattern, c.version), c.line) << c.name;
}

}  // namespace
