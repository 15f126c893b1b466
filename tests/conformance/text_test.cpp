// Text in the ANSI code page 1252 (the code page of the machines the setup
// is tested on).
#include "fixture.h"
#include "platform/text.h"

namespace conformance {
namespace {

struct CompareCase {
  const char* name;
  std::string a;
  std::string b;
  bool equal;
};

const CompareCase kCompareCases[] = {
    {"AsciiLettersIgnoreCase", "Program Files\\Lumetra", "PROGRAM FILES\\lumetra", true},
    {"Empty", "", "", true},
    {"LengthDiffers", "abc", "ab", false},
    {"AccentedLettersExact", "\xC4rger", "\xE4rger", false},
    {"AccentedSameBytes", "a\xC4", "A\xC4", true},
    {"AtSignIsNotBacktick", "@", "`", false},
    {"BracketIsNotBrace", "[", "{", false},
};

class CompareTest : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareTest, AsciiOnlyIgnoresCase) {
  const CompareCase& c = GetParam();
  EXPECT_EQ(platform::EqualsIgnoreCaseAscii(c.a, c.b), c.equal);
  EXPECT_EQ(platform::EqualsIgnoreCaseAscii(c.b, c.a), c.equal);
}

INSTANTIATE_TEST_SUITE_P(Text, CompareTest, ::testing::ValuesIn(kCompareCases), CaseName());

struct LowerCase {
  const char* name;
  std::string in;
  std::string out;
};

const LowerCase kLowerCases[] = {
    {"Ascii", "ABC xyz 123", "abc xyz 123"},
    {"Umlauts", "\xC4\xD6\xDC", "\xE4\xF6\xFC"},
    {"GraveToThorn", "\xC0\xDE", "\xE0\xFE"},
    {"CaronS", "\x8A\x8E", "\x9A\x9E"},
    {"SharpSAndTimesStay", "\xDF\xD7\xF7", "\xDF\xD7\xF7"},
    {"AlreadyLower", "\xE4x", "\xE4x"},
    {"ZeroByteKept", std::string("A\0B", 3), std::string("a\0b", 3)},
};

// The scratch makes sure a machine (and so its code page) is in use.
class LowerCaseTest : public ScratchTestWithParam<LowerCase> {};

TEST_P(LowerCaseTest, InCodePage1252) {
  if (platform::AnsiCodePage() != 1252) {
    GTEST_SKIP() << "ANSI code page " << platform::AnsiCodePage();
  }
  const LowerCase& c = GetParam();
  std::string s = c.in;
  platform::LowerCaseAnsi(s);
  EXPECT_EQ(s, c.out);
}

INSTANTIATE_TEST_SUITE_P(Text, LowerCaseTest, ::testing::ValuesIn(kLowerCases), CaseName());

TEST_F(ScratchTest, CodePage1252HasNoLeadBytes) {
  if (platform::AnsiCodePage() != 1252) {
    GTEST_SKIP() << "ANSI code page " << platform::AnsiCodePage();
  }
  const std::string s = "\x81\xE4\\";
  for (unsigned b = 0; b < 256; ++b) {
    EXPECT_FALSE(platform::IsLeadByte(static_cast<unsigned char>(b))) << b;
  }
  EXPECT_EQ(platform::NextCharIndex(s, 0), 1u);
  EXPECT_EQ(platform::NextCharIndex(s, 2), 3u);
  EXPECT_EQ(platform::NextCharIndex(s, 3), 3u) << "never past the end";
  EXPECT_EQ(platform::FindLastBackslash(s), 2u);
}

}  // namespace
}  // namespace conformance
