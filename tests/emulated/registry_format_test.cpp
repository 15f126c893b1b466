// The REGEDIT4 text of the hive files: every type keeps its type and exact
// bytes, and the reader takes what the registry editor and people write.
#include <string>
#include <vector>

#include "platform/emulated/machine/regedit4.h"
#include "registry_fixture.h"

namespace {

using std::string;

struct FormatCase {
  const char* label;
  std::uint32_t type;
  string data;
  string line;  // how the value "v" is written
};

string Bytes(std::initializer_list<int> values) {
  string bytes;
  for (int value : values) bytes += static_cast<char>(value);
  return bytes;
}

const FormatCase kFormatCases[] = {
    {"string with its terminator", platform::kRegSz, string("C:\\Pictavo \"6\"\0", 15),
     "\"v\"=\"C:\\\\Pictavo \\\"6\\\"\""},
    {"empty string with its terminator", platform::kRegSz, string("\0", 1), "\"v\"=\"\""},
    {"8-bit text", platform::kRegSz, string("caf\xe9\0", 5), "\"v\"=\"caf\xe9\""},
    {"string without terminator", platform::kRegSz, "abc", "\"v\"=hex(1):61,62,63"},
    {"string of no bytes", platform::kRegSz, "", "\"v\"=hex(1):"},
    {"string with a line break", platform::kRegSz, string("a\nb\0", 4), "\"v\"=hex(1):61,0a,62,00"},
    {"string with an inner zero", platform::kRegSz, string("a\0b\0", 4), "\"v\"=hex(1):61,00,62,00"},
    {"dword", platform::kRegDword, Bytes({0x2a, 0, 0, 0}), "\"v\"=dword:0000002a"},
    {"dword high bit", platform::kRegDword, Bytes({0x78, 0x56, 0x34, 0xf2}), "\"v\"=dword:f2345678"},
    {"dword of three bytes", platform::kRegDword, Bytes({1, 2, 3}), "\"v\"=hex(4):01,02,03"},
    {"binary", platform::kRegBinary, Bytes({0, 0xff, 0x10}), "\"v\"=hex:00,ff,10"},
    {"empty binary", platform::kRegBinary, "", "\"v\"=hex:"},
    {"expandable string", platform::kRegExpandSz, string("%T%\0", 4), "\"v\"=hex(2):25,54,25,00"},
    {"multi-string", platform::kRegMultiSz, string("a\0b\0\0", 5), "\"v\"=hex(7):61,00,62,00,00"},
    {"qword", platform::kRegQword, Bytes({1, 0, 0, 0, 0, 0, 0, 0x80}), "\"v\"=hex(b):01,00,00,00,00,00,00,80"},
    {"none", platform::kRegNone, "", "\"v\"=hex(0):"},
    {"unknown type", 0x20000, Bytes({7}), "\"v\"=hex(20000):07"},
};

TEST(RegistryFormat, EveryTypeIsWrittenAsExpectedAndReadBackExactly) {
  for (const FormatCase& c : kFormatCases) {
    SCOPED_TRACE(c.label);
    string line;
    emu::AppendRegValueLine(line, "v", c.type, c.data);
    EXPECT_EQ(line, c.line + "\n");

    std::vector<emu::RegTextKey> keys;
    emu::RegTextError error;
    ASSERT_TRUE(emu::ParseRegedit4("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\K]\n" + line, keys, error)) << error.Describe();
    ASSERT_EQ(keys.size(), 1u);
    ASSERT_EQ(keys[0].values.size(), 1u);
    EXPECT_EQ(keys[0].values[0].type, c.type);
    EXPECT_EQ(keys[0].values[0].data, c.data);
  }
}

TEST(RegistryFormat, NamesAndDefaultValueAreQuotedAndEscaped) {
  string text;
  emu::AppendRegValueLine(text, "", platform::kRegSz, string("d\0", 2));
  emu::AppendRegValueLine(text, "a\\b \"c\"", platform::kRegSz, string("x\0", 2));
  EXPECT_EQ(text, "@=\"d\"\n\"a\\\\b \\\"c\\\"\"=\"x\"\n");

  std::vector<emu::RegTextKey> keys;
  emu::RegTextError error;
  ASSERT_TRUE(emu::ParseRegedit4("REGEDIT4\n[HKEY_USERS\\U]\n" + text, keys, error)) << error.Describe();
  ASSERT_EQ(keys[0].values.size(), 2u);
  EXPECT_EQ(keys[0].values[0].name, "");
  EXPECT_EQ(keys[0].values[1].name, "a\\b \"c\"");
}

TEST(RegistryFormat, LongHexIsWrappedAsTheRegistryEditorWritesIt) {
  string data;
  for (int i = 0; i < 300; ++i) data += static_cast<char>(i);
  string text;
  emu::AppendRegValueLine(text, "Long value name", platform::kRegBinary, data);

  std::vector<string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  ASSERT_GT(lines.size(), 10u);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(lines[i]);
    EXPECT_LE(lines[i].size(), 80u);
    if (i > 0) {
      EXPECT_EQ(lines[i].compare(0, 2, "  "), 0);
    }
    if (i + 1 < lines.size()) {
      EXPECT_EQ(lines[i].substr(lines[i].size() - 2), ",\\");
      EXPECT_GE(lines[i].size(), 76u);  // lines are filled, not broken early
    }
  }

  std::vector<emu::RegTextKey> keys;
  emu::RegTextError error;
  ASSERT_TRUE(emu::ParseRegedit4("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\K]\n" + text, keys, error)) << error.Describe();
  EXPECT_EQ(keys[0].values[0].data, data);
}

TEST(RegistryFormat, ReaderTakesCrLfCommentsBlankLinesAndContinuations) {
  const string text =
      "REGEDIT4\r\n"
      "\r\n"
      "; a comment line\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra]\r\n"
      "\"Bytes\"=hex:01,02,\\\r\n"
      "    03,04\r\n"
      "\r\n"
      "  ; an indented comment\n"
      "\"Number\" = DWORD:2A\n"
      "@=\"default\"\n"
      "\"Multi\"=HEX(7):61,00,\\\n"
      "  00\n"
      "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Old]\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra]\n"
      "\"Number\"=-\n";
  std::vector<emu::RegTextKey> keys;
  emu::RegTextError error;
  ASSERT_TRUE(emu::ParseRegedit4(text, keys, error)) << error.Describe();
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].path, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra");
  ASSERT_EQ(keys[0].values.size(), 4u);
  EXPECT_EQ(keys[0].values[0].data, Bytes({1, 2, 3, 4}));
  EXPECT_EQ(keys[0].values[1].type, platform::kRegDword);
  EXPECT_EQ(keys[0].values[1].data, Bytes({0x2a, 0, 0, 0}));
  EXPECT_EQ(keys[0].values[2].name, "");
  EXPECT_EQ(keys[0].values[3].type, platform::kRegMultiSz);
  EXPECT_EQ(keys[0].values[3].data, string("a\0\0", 3));
  EXPECT_TRUE(keys[1].remove);
  EXPECT_EQ(keys[1].path, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Old");
  EXPECT_TRUE(keys[2].values[0].remove);
}

struct BadText {
  const char* text;
  int line;
  const char* message;  // a part of the message
};

const BadText kBadTexts[] = {
    {"Windows Registry Editor\n", 1, "REGEDIT4"},
    {"", 1, "REGEDIT4"},
    {"REGEDIT4\n\"a\"=\"b\"\n", 2, "before the first key"},
    {"REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=hex:01,zz\n", 4, "zz"},
    {"REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=hex:01,\\\n  02,,03\n", 4, "empty item"},
    {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\n\"a\"=\"open\n", 4, "closing quote"},
    {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=\"C:\\Windows\"\n", 3, "backslash"},
    {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=dword:123456789\n", 3, "dword"},
    {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=word:1\n", 3, "a value must be"},
    {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\K\n", 2, "']'"},
    {"REGEDIT4\n[-HKEY_LOCAL_MACHINE\\K]\n\"a\"=\"b\"\n", 3, "being removed"},
    {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\nstray words\n", 3, "stray words"},
};

TEST(RegistryFormat, BadTextIsRefusedWithItsLine) {
  for (const BadText& bad : kBadTexts) {
    SCOPED_TRACE(bad.text);
    std::vector<emu::RegTextKey> keys;
    emu::RegTextError error;
    ASSERT_FALSE(emu::ParseRegedit4(bad.text, keys, error));
    EXPECT_EQ(error.line, bad.line) << error.message;
    EXPECT_NE(error.message.find(bad.message), string::npos) << error.message;
  }
}

// Through the registry calls and the hive file: what is stored is what is read.
TEST_F(RegistryTest, EveryTypeSurvivesTheHiveFile) {
  platform::RegKey key = Create(platform::RegRoot::LocalMachine, "SOFTWARE\\Types");
  for (const FormatCase& c : kFormatCases) {
    SCOPED_TRACE(c.label);
    string name = c.label;
    ASSERT_TRUE(platform::SetRegValue(key, name, c.type, c.data.data(), static_cast<std::uint32_t>(c.data.size())));
  }
  platform::CloseRegKey(key);

  emu::RegNode root = ParseFile(MachineHivePath(), "HKEY_LOCAL_MACHINE");
  const emu::RegNode* stored = emu::FindRegKey(root, {"SOFTWARE", "Types"});
  ASSERT_NE(stored, nullptr);
  ASSERT_TRUE(platform::OpenRegKey(platform::RootKey(platform::RegRoot::LocalMachine), "SOFTWARE\\Types", false, key));
  for (const FormatCase& c : kFormatCases) {
    SCOPED_TRACE(c.label);
    const emu::RegValue* value = stored->FindValue(c.label);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->type, c.type);
    EXPECT_EQ(value->data, c.data);
    std::uint32_t type = 99;
    EXPECT_EQ(Query(key, c.label, &type), c.data);
    EXPECT_EQ(type, c.type);
  }
  platform::CloseRegKey(key);

  const string text = FileText(MachineHivePath());
  EXPECT_EQ(text.compare(0, 10, "REGEDIT4\n\n"), 0);
  EXPECT_NE(text.find("\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Types]\n"), string::npos);
}

}  // namespace
