// Reading and writing single string values, in a scratch key of the
// registry that the build runs against.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "discovery/registry_access.h"
#include "platform/errors.h"
#include "platform/registry.h"
#include "scratch_key.h"

namespace discovery_tests {
namespace {

// Stores raw data as the registry call would, bypassing WriteRegistryString.
void StoreRaw(const ScratchKey& scratch, const std::string& name, std::uint32_t type, const std::string& data) {
  platform::RegKey key = nullptr;
  ASSERT_TRUE(platform::CreateRegKey(platform::RootKey(scratch.root()), scratch.path(), key))
      << "error " << platform::LastError();
  EXPECT_TRUE(platform::SetRegValue(key, name, type, data.data(), static_cast<std::uint32_t>(data.size())))
      << "error " << platform::LastError();
  platform::CloseRegKey(key);
}

struct ReadCase {
  const char* name;
  std::string valueName;
  std::uint32_t type;
  std::string data;  // stored as given
  std::string readName;
  std::string expected;
};

const ReadCase kReadCases[] = {
    {"text", "Path", platform::kRegSz, std::string("C:\\Apps\0", 8), "Path", "C:\\Apps"},
    {"name_ignores_case", "Path", platform::kRegSz, std::string("C:\\Apps\0", 8), "PATH", "C:\\Apps"},
    {"default_value", "", platform::kRegSz, std::string("C:\\Apps\\Ptav6.exe\0", 18), "", "C:\\Apps\\Ptav6.exe"},
    {"default_value_is_not_a_named_one", "Path", platform::kRegSz, std::string("x\0", 2), "", ""},
    {"missing_value", "Other", platform::kRegSz, std::string("x\0", 2), "Path", ""},
    {"259_characters", "Long", platform::kRegSz, std::string(259, 'a') + '\0', "Long", std::string(259, 'a')},
    {"260_characters", "Long", platform::kRegSz, std::string(260, 'a') + '\0', "Long", ""},
    {"300_characters", "Long", platform::kRegSz, std::string(300, 'a') + '\0', "Long", ""},
    // The type is not looked at: any data reads up to its first zero byte.
    {"expandable_text_as_is", "Dir", platform::kRegExpandSz, std::string("%SystemRoot%\0", 13), "Dir",
     "%SystemRoot%"},
    {"number_as_bytes", "N", platform::kRegDword, std::string("ab\0\0", 4), "N", "ab"},
    {"text_stops_at_first_zero", "Two", platform::kRegMultiSz, std::string("one\0two\0\0", 9), "Two", "one"},
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ReadRegistryStringTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadRegistryStringTest, ReadsTextUpTo259Characters) {
  const ReadCase& c = GetParam();
  ScratchKey scratch;
  ASSERT_TRUE(scratch.Ready());
  StoreRaw(scratch, c.valueName, c.type, c.data);
  EXPECT_EQ(ReadRegistryString(scratch.root(), scratch.path(), c.readName), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Values, ReadRegistryStringTest, ::testing::ValuesIn(kReadCases),
                         [](const ::testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(ReadRegistryString, MissingKeyReadsEmpty) {
  ScratchKey scratch;
  ASSERT_TRUE(scratch.Ready());
  EXPECT_EQ(ReadRegistryString(scratch.root(), scratch.path(), "Path"), "");
  EXPECT_EQ(ReadRegistryString(scratch.root(), scratch.path() + "\\No\\Such\\Key", ""), "");
}

TEST(WriteRegistryString, CreatesMissingKeysAndStoresTextWithItsZero) {
  ScratchKey scratch;
  ASSERT_TRUE(scratch.Ready());
  const std::string deep = scratch.path() + "\\New\\Deeper\\Deepest";
  for (const std::string valueName : {"Path", ""}) {
    ASSERT_TRUE(WriteRegistryString(scratch.root(), deep, valueName, "D:\\Apps\\Pictavo 6"))
        << "error " << platform::LastError();
    platform::RegKey key = nullptr;
    ASSERT_TRUE(platform::OpenRegKey(platform::RootKey(scratch.root()), deep, false, key));
    std::uint32_t type = 0;
    char data[64] = {};
    std::uint32_t size = sizeof data;
    EXPECT_TRUE(platform::QueryRegValue(key, valueName, &type, data, &size));
    platform::CloseRegKey(key);
    EXPECT_EQ(type, platform::kRegSz);
    EXPECT_EQ(size, 18u);  // the text and its terminating zero
    EXPECT_EQ(std::string(data, size), std::string("D:\\Apps\\Pictavo 6\0", 18));
    EXPECT_EQ(ReadRegistryString(scratch.root(), deep, valueName), "D:\\Apps\\Pictavo 6");
  }
  // The two writes went to two different values of the one key.
  EXPECT_TRUE(WriteRegistryString(scratch.root(), deep, "", "default"));
  EXPECT_EQ(ReadRegistryString(scratch.root(), deep, "Path"), "D:\\Apps\\Pictavo 6");
  EXPECT_EQ(ReadRegistryString(scratch.root(), deep, ""), "default");
}

}  // namespace
}  // namespace discovery_tests
