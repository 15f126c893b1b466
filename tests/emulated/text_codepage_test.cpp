// The machine's code page: lead bytes, character steps and lower-casing.
#include <gtest/gtest.h>

#include <string>

#include "files_fixture.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace {

using namespace platform;

class WesternTextTest : public BareMachineTest {};

class JapaneseTextTest : public BareMachineTest {
 protected:
  void SetUp() override { MakeMachine("user=Tester\ncodepage=932\n"); }
};

TEST_F(WesternTextTest, LowerCasesTheWesternLetters) {
  EXPECT_EQ(1252u, AnsiCodePage());
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  std::string lowered = all;
  LowerCaseAnsi(lowered);
  for (int c = 1; c < 256; ++c) {
    int expected = c;
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) expected = c + 0x20;
    if (c == 0x8A || c == 0x8C || c == 0x8E) expected = c + 0x10;
    if (c == 0x9F) expected = 0xFF;
    EXPECT_EQ(expected, static_cast<unsigned char>(lowered[c - 1])) << "byte " << c;
    EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(c)));
  }
  EXPECT_EQ(1u, NextCharIndex("\x81\x5C", 0));
}

TEST_F(JapaneseTextTest, LeavesDoubleByteCharactersAlone) {
  EXPECT_EQ(932u, AnsiCodePage());
  for (int c = 0; c < 256; ++c) {
    bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    EXPECT_EQ(lead, IsLeadByte(static_cast<unsigned char>(c))) << "byte " << c;
  }
  struct Case {
    std::string in;
    std::string out;
  } cases[] = {
      {"ABC", "abc"},
      {"\xC0\xDE", "\xC0\xDE"},                        // single-byte katakana, not letters
      {"\x95\x5C" "AB", "\x95\x5C" "ab"},              // the trail byte 0x5C is no backslash
      {"\x82\x41Z", "\x82\x41z"},                      // a trail byte that looks like 'A'
      {"X\x83", "x\x83"},                              // a lead byte at the end
  };
  for (const Case& c : cases) {
    std::string s = c.in;
    LowerCaseAnsi(s);
    EXPECT_EQ(c.out, s) << c.in;
  }
  const std::string text = "a\x95\x5C" "b\x81";
  EXPECT_EQ(1u, NextCharIndex(text, 0));
  EXPECT_EQ(3u, NextCharIndex(text, 1));
  EXPECT_EQ(4u, NextCharIndex(text, 3));
  EXPECT_EQ(5u, NextCharIndex(text, 4));  // a lead byte at the end is one character
  EXPECT_EQ(5u, NextCharIndex(text, 5));
  const std::string zeroAfterLead("\x95\0b", 3);  // so is one before a zero byte
  EXPECT_EQ(1u, NextCharIndex(zeroAfterLead, 0));
  EXPECT_EQ(2u, NextCharIndex(zeroAfterLead, 1));
  EXPECT_EQ(std::string::npos, FindLastBackslash("C:\x95\x5C"));
}

TEST_F(JapaneseTextTest, PathsWithATrailByteThatLooksLikeABackslash) {
  const std::string folder = "C:\\\x95\x5C";  // one double-byte character, second byte 0x5C
  ASSERT_TRUE(CreateFolder(folder));
  EXPECT_TRUE(HostExists(Host("\x95\x5C")));
  ASSERT_TRUE(WriteWholeFile(folder + "\\File.txt", "x"));
  EXPECT_EQ("x", HostContent(Host("\x95\x5C/File.txt")));
  std::string host;
  ASSERT_TRUE(emu::ToHostPath(folder + "\\file.TXT", host));
  EXPECT_EQ(Host("\x95\x5C/File.txt"), host);

  // A name whose trail bytes look like letters is matched exactly, not without regard to case.
  ASSERT_TRUE(WriteWholeFile("C:\\\x82\x41.txt", "A"));
  EXPECT_FALSE(PathExists("C:\\\x82\x61.txt"));
  EXPECT_TRUE(PathExists("C:\\\x82\x41.TXT"));

  FindData data;
  FindHandle handle = FindFirst(folder + "\\*.txt", data);
  ASSERT_NE(nullptr, handle);
  EXPECT_EQ("File.txt", data.name);
  FindClose(handle);
  // '?' takes a double-byte character whole.
  handle = FindFirst("C:\\?", data);
  ASSERT_NE(nullptr, handle);
  EXPECT_EQ("\x95\x5C", data.name);
  FindClose(handle);
}

// Names compare without regard to case as the code page has it: in 1252
// the accented letters fold too, in 932 only ASCII letters, and the bytes of
// a double-byte character never. Files, names in a large (indexed) folder,
// searches and registry keys and values all agree.
class NameCaseTest : public BareMachineTest, public ::testing::WithParamInterface<unsigned> {
 protected:
  void SetUp() override { MakeMachine("user=Tester\ncodepage=" + std::to_string(GetParam()) + "\n"); }
};

TEST_P(NameCaseTest, NamesFoldAsTheCodePageHasIt) {
  const struct {
    std::string made;
    std::string asked;
    bool sameIn1252;
    bool sameIn932;
  } cases[] = {
      {"abc", "ABC", true, true},
      {"D\xE9mo", "D\xC9MO", true, false},        // Démo, DÉMO; in 932 0xE9 leads a double-byte character
      {"\x8A\x8C\x8E", "\x9A\x9C\x9E", true, false},  // Š Œ Ž and their small letters
      {"x\xFF", "X\x9F", true, false},             // ÿ and Ÿ
      {"\xD7", "\xF7", false, false},             // × and ÷ are no letters
      {"\x83\x41" "b", "\x83\x41" "B", true, true},  // in 932 a double-byte character, then a letter
      {"\x83\x61", "\x83\x41", true, false},         // in 932 the 'a' and 'A' are trail bytes, never folded
  };
  const bool western = GetParam() == 1252;
  ASSERT_EQ(GetParam(), AnsiCodePage());
  for (int i = 0; i < 70; ++i) MakeHostFile("big/f" + std::to_string(i));
  RegKey fold = nullptr;
  ASSERT_TRUE(CreateRegKey(RootKey(RegRoot::LocalMachine), "SOFTWARE\\Fold", fold));
  for (const auto& c : cases) {
    MakeHostFile("small/" + c.made);
    MakeHostFile("big/" + c.made);
    RegKey made = nullptr;
    ASSERT_TRUE(CreateRegKey(fold, c.made, made));
    CloseRegKey(made);
    ASSERT_TRUE(SetRegValue(fold, c.made, kRegSz, "", 1));
  }
  EXPECT_FALSE(PathExists("C:\\big\\NONE"));  // the large folder is indexed from now on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.made + " ~ " + c.asked);
    const bool same = western ? c.sameIn1252 : c.sameIn932;
    EXPECT_EQ(same, PathExists("C:\\small\\" + c.asked));
    EXPECT_EQ(same, PathExists("C:\\big\\" + c.asked));
    FindData data;
    FindHandle found = FindFirst("C:\\small\\" + c.asked, data);
    EXPECT_EQ(same, found != nullptr);
    if (found != nullptr) {
      EXPECT_EQ(c.made, data.name);
      FindClose(found);
    }
    RegKey opened = nullptr;
    EXPECT_EQ(same, OpenRegKey(fold, c.asked, false, opened));
    if (opened != nullptr) CloseRegKey(opened);
    EXPECT_EQ(same, QueryRegValue(fold, c.asked, nullptr, nullptr, nullptr));
  }
  CloseRegKey(fold);
}

INSTANTIATE_TEST_SUITE_P(CodePages, NameCaseTest, ::testing::Values(1252u, 932u));

}  // namespace
