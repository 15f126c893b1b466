// Whole sections of settings files: "key=value\0...\0\0".
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "fixture.h"
#include "platform/profile.h"

namespace conformance {
namespace {

// The bytes of a literal, its zeros included (not the one the compiler adds).
template <std::size_t N>
std::string S(const char (&bytes)[N]) {
  return std::string(bytes, N - 1);
}

struct ProfileCase {
  const char* name;
  const char* initialFile;  // nullptr: no file
  const char* section;      // written; nullptr: nothing written
  std::string entries;      // ends with the double zero
  // Sections read afterwards and the bytes expected, final zero included.
  std::vector<std::pair<const char*, std::string>> reads;
};

const ProfileCase kProfileCases[] = {
    {"WrittenThenReadBack", nullptr, "Files", S("a=1\0b=two words\0\0"),
     {{"Files", S("a=1\0b=two words\0\0")}}},
    {"DuplicateKeysKeptInOrder", nullptr, "Dup", S("k=1\0k=2\0j=3\0k=1\0\0"),
     {{"Dup", S("k=1\0k=2\0j=3\0k=1\0\0")}}},
    {"ReplacesWholeSection", "[S]\r\na=1\r\nb=2\r\n", "S", S("c=3\0\0"),
     {{"S", S("c=3\0\0")}}},
    {"OtherSectionsUntouched", "[A]\r\nx=1\r\n[B]\r\ny=2\r\ny=3\r\n[C]\r\nz=4\r\n", "B",
     S("w=9\0\0"),
     {{"A", S("x=1\0\0")}, {"B", S("w=9\0\0")}, {"C", S("z=4\0\0")}}},
    {"SectionNameIgnoresCase", "[Setup]\r\nk=v\r\n", nullptr, "",
     {{"SETUP", S("k=v\0\0")}}},
    {"MissingSection", "[Other]\r\nk=v\r\n", nullptr, "", {{"Missing", S("\0\0")}}},
    {"MissingFile", nullptr, nullptr, "", {{"Any", S("\0\0")}}},
};

class ProfileTest : public ScratchTestWithParam<ProfileCase> {};

TEST_P(ProfileTest, SectionsAfterwards) {
  const ProfileCase& c = GetParam();
  const std::string file = At("settings.ini");
  if (c.initialFile) MakeFile("settings.ini", c.initialFile);
  if (c.section) {
    ASSERT_TRUE(platform::WriteSettingsSection(c.section, c.entries.data(), file))
        << platform::LastError();
  }
  for (const auto& read : c.reads) {
    SCOPED_TRACE(read.first);
    char buffer[256];
    std::memset(buffer, '#', sizeof buffer);
    const std::uint32_t copied =
        platform::ReadSettingsSection(read.first, buffer, sizeof buffer, file);
    // The count leaves out the list's final zero; an empty section counts 0.
    const std::size_t expectedCopied = read.second.size() == 2 ? 0 : read.second.size() - 1;
    EXPECT_EQ(copied, expectedCopied);
    EXPECT_EQ(std::string(buffer, read.second.size()), read.second);
  }
}

INSTANTIATE_TEST_SUITE_P(Profile, ProfileTest, ::testing::ValuesIn(kProfileCases), CaseName());

}  // namespace
}  // namespace conformance
