// The registry: names without regard to case, default values, buffer
// sizes, subkeys and every value type, under a scratch key of the current
// user that is deleted afterwards.
#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

#include "fixture.h"
#include "platform/registry.h"

namespace conformance {
namespace {

using platform::LastError;
using platform::RegKey;

const char kScratchParent[] = "Software\\PtvConformance";

RegKey CurrentUser() { return platform::RootKey(platform::RegRoot::CurrentUser); }

// Deletes a key and everything below it, deepest first.
void DeleteTree(RegKey parent, const std::string& name) {
  RegKey key = nullptr;
  if (platform::OpenRegKey(parent, name, true, key)) {
    std::vector<std::string> children;
    std::string child;
    for (std::uint32_t i = 0; platform::EnumRegSubkey(key, i, child); ++i) {
      children.push_back(child);
    }
    for (const std::string& each : children) DeleteTree(key, each);
    platform::CloseRegKey(key);
  }
  platform::DeleteRegKey(parent, name);
}

// The bytes of a literal, its zeros included (not the one the compiler adds).
template <std::size_t N>
std::string S(const char (&bytes)[N]) {
  return std::string(bytes, N - 1);
}

std::string Bytes(const void* data, std::size_t size) {
  return std::string(static_cast<const char*>(data), size);
}

template <typename Base>
class WithRegistryScratch : public WithScratch<Base> {
 protected:
  void SetUp() override {
    WithScratch<Base>::SetUp();
    if (this->HasFatalFailure()) return;
    ASSERT_TRUE(platform::CreateRegKey(CurrentUser(), kScratchParent, key_)) << LastError();
  }
  void TearDown() override {
    platform::CloseRegKey(key_);
    DeleteTree(CurrentUser(), kScratchParent);
  }
  void SetString(RegKey key, const std::string& name, const std::string& value) {
    ASSERT_TRUE(platform::SetRegValue(key, name, platform::kRegSz, value.c_str(),
                                      static_cast<std::uint32_t>(value.size() + 1)))
        << LastError();
  }
  std::string QueryString(RegKey key, const std::string& name) {
    char buffer[256] = {};
    std::uint32_t size = sizeof buffer;
    if (!platform::QueryRegValue(key, name, nullptr, buffer, &size)) return "<error>";
    return buffer;
  }

  RegKey key_ = nullptr;  // HKEY_CURRENT_USER\Software\PtvConformance
};

using RegistryTest = WithRegistryScratch<::testing::Test>;

// Each value type's bytes come back as stored.
struct ValueCase {
  const char* name;
  std::uint32_t type;
  std::string bytes;
};

const ValueCase kValueCases[] = {
    {"String", platform::kRegSz, S("C:\\Program Files\\Lumetra\0")},
    {"EmptyString", platform::kRegSz, S("\0")},
    {"ExpandString", platform::kRegExpandSz, S("%ProgramFiles%\\x\0")},
    {"MultiString", platform::kRegMultiSz, S("one\0two\0\0")},
    {"Binary", platform::kRegBinary, S("\x00\x01\xFF\x7F")},
    {"EmptyBinary", platform::kRegBinary, std::string()},
    {"Dword", platform::kRegDword, S("\x78\x56\x34\x12")},
    {"Qword", platform::kRegQword, S("\x01\x02\x03\x04\x05\x06\x07\x08")},
    {"None", platform::kRegNone, S("\x01\x02")},
};

class ValueTest : public WithRegistryScratch<::testing::TestWithParam<ValueCase>> {};

TEST_P(ValueTest, BytesRoundTrip) {
  const ValueCase& c = GetParam();
  ASSERT_TRUE(platform::SetRegValue(key_, "Value", c.type, c.bytes.data(),
                                    static_cast<std::uint32_t>(c.bytes.size())))
      << LastError();

  char buffer[64];
  std::memset(buffer, '#', sizeof buffer);
  std::uint32_t size = sizeof buffer;
  std::uint32_t type = 0xFFFF;
  ASSERT_TRUE(platform::QueryRegValue(key_, "Value", &type, buffer, &size)) << LastError();
  EXPECT_EQ(type, c.type);
  ASSERT_EQ(size, c.bytes.size());
  EXPECT_EQ(Bytes(buffer, size), c.bytes);

  // Size only: no buffer. Strings are stored as UTF-16 by Windows, and an
  // "A" query for the size alone may answer the larger stored size there;
  // Wine answers the size of the "A" string.
  std::uint32_t needed = 0;
  type = 0xFFFF;
  ASSERT_TRUE(platform::QueryRegValue(key_, "Value", &type, nullptr, &needed)) << LastError();
  EXPECT_EQ(type, c.type);
  EXPECT_EQ(needed, c.bytes.size());
}

INSTANTIATE_TEST_SUITE_P(Registry, ValueTest, ::testing::ValuesIn(kValueCases), CaseName());

// A buffer one byte too small: kErrMoreData and the size needed. What the
// buffer holds then is undefined (Wine leaves it as it was, the emulated
// machine scribbles over it), so nothing here reads it.
class TooSmallTest : public WithRegistryScratch<::testing::TestWithParam<ValueCase>> {};

TEST_P(TooSmallTest, FailsWithMoreDataAndSize) {
  const ValueCase& c = GetParam();
  ASSERT_TRUE(platform::SetRegValue(key_, "Value", c.type, c.bytes.data(),
                                    static_cast<std::uint32_t>(c.bytes.size())));
  std::vector<char> buffer(c.bytes.size() - 1);
  std::uint32_t size = static_cast<std::uint32_t>(buffer.size());
  std::uint32_t type = 0;
  EXPECT_FALSE(platform::QueryRegValue(key_, "Value", &type, buffer.data(), &size));
  EXPECT_EQ(LastError(), platform::kErrMoreData);
  EXPECT_EQ(size, c.bytes.size());
}

const ValueCase kTooSmallCases[] = {
    {"String", platform::kRegSz, S("a longer string\0")},
    {"Binary", platform::kRegBinary, S("0123456789")},
    {"Dword", platform::kRegDword, S("\x01\x00\x00\x00")},
};

INSTANTIATE_TEST_SUITE_P(Registry, TooSmallTest, ::testing::ValuesIn(kTooSmallCases),
                         CaseName());

TEST_F(RegistryTest, KeyAndValueNamesIgnoreCase) {
  RegKey created = nullptr;
  ASSERT_TRUE(platform::CreateRegKey(key_, "MixedCase", created));
  SetString(created, "ValueName", "data");
  platform::CloseRegKey(created);

  RegKey opened = nullptr;
  ASSERT_TRUE(platform::OpenRegKey(key_, "MIXEDCASE", false, opened)) << LastError();
  EXPECT_EQ(QueryString(opened, "valuename"), "data");
  platform::CloseRegKey(opened);
  // Opening through the full path in another case works as well.
  ASSERT_TRUE(platform::OpenRegKey(CurrentUser(), "SOFTWARE\\ptvconformance\\mixedcase", false,
                                   opened));
  platform::CloseRegKey(opened);

  // The key keeps the case it was created with.
  std::string name;
  ASSERT_TRUE(platform::EnumRegSubkey(key_, 0, name));
  EXPECT_EQ(name, "MixedCase");
}

TEST_F(RegistryTest, DefaultValueHasTheEmptyName) {
  std::uint32_t size = 0;
  EXPECT_FALSE(platform::QueryRegValue(key_, "", nullptr, nullptr, &size));
  EXPECT_EQ(LastError(), platform::kErrFileNotFound) << "no default value yet";
  SetString(key_, "", "default");
  SetString(key_, "Named", "named");
  EXPECT_EQ(QueryString(key_, ""), "default");
  EXPECT_EQ(QueryString(key_, "Named"), "named");
}

TEST_F(RegistryTest, DeleteValue) {
  SetString(key_, "Gone", "x");
  ASSERT_TRUE(platform::DeleteRegValue(key_, "GONE")) << LastError();
  std::uint32_t size = 0;
  EXPECT_FALSE(platform::QueryRegValue(key_, "Gone", nullptr, nullptr, &size));
  EXPECT_EQ(LastError(), platform::kErrFileNotFound);
  EXPECT_FALSE(platform::DeleteRegValue(key_, "Gone"));
  EXPECT_EQ(LastError(), platform::kErrFileNotFound);
}

TEST_F(RegistryTest, CreateWithMissingParentsAndDeleteLeafFirst) {
  RegKey deep = nullptr;
  ASSERT_TRUE(platform::CreateRegKey(key_, "A\\B\\C", deep)) << LastError();
  platform::CloseRegKey(deep);
  RegKey middle = nullptr;
  ASSERT_TRUE(platform::OpenRegKey(key_, "A\\B", false, middle)) << LastError();
  platform::CloseRegKey(middle);

  // A key with subkeys stays.
  EXPECT_FALSE(platform::DeleteRegKey(key_, "A"));
  EXPECT_EQ(LastError(), platform::kErrAccessDenied);
  ASSERT_TRUE(platform::OpenRegKey(key_, "A\\B\\C", false, deep));
  platform::CloseRegKey(deep);

  EXPECT_TRUE(platform::DeleteRegKey(key_, "A\\B\\C")) << LastError();
  EXPECT_TRUE(platform::DeleteRegKey(key_, "A\\B")) << LastError();
  EXPECT_TRUE(platform::DeleteRegKey(key_, "A")) << LastError();
  RegKey none = nullptr;
  EXPECT_FALSE(platform::OpenRegKey(key_, "A", false, none));
  EXPECT_EQ(LastError(), platform::kErrFileNotFound);
  EXPECT_FALSE(platform::DeleteRegKey(key_, "A"));
  EXPECT_EQ(LastError(), platform::kErrFileNotFound);
}

TEST_F(RegistryTest, EnumerateSubkeysUntilNoMoreItems) {
  for (const char* name : {"Beta", "alpha", "Gamma"}) {
    RegKey sub = nullptr;
    ASSERT_TRUE(platform::CreateRegKey(key_, name, sub));
    platform::CloseRegKey(sub);
  }
  SetString(key_, "NotAKey", "values aren't enumerated as keys");
  std::set<std::string> names;
  std::string name;
  std::uint32_t index = 0;
  while (platform::EnumRegSubkey(key_, index, name)) {
    names.insert(name);
    ++index;
  }
  EXPECT_EQ(LastError(), platform::kErrNoMoreItems);
  EXPECT_EQ(index, 3u);
  EXPECT_EQ(names, (std::set<std::string>{"alpha", "Beta", "Gamma"}));
}

// The access of the handle a key is created through does not count: a key
// opened for reading makes subkeys, and the new key takes writes; the key
// itself still takes none.
TEST_F(RegistryTest, KeyOpenedForReadingStillMakesSubkeys) {
  RegKey readOnly = nullptr;
  ASSERT_TRUE(platform::OpenRegKey(CurrentUser(), kScratchParent, false, readOnly)) << LastError();
  RegKey made = nullptr;
  ASSERT_TRUE(platform::CreateRegKey(readOnly, "Made\\Deeper", made)) << LastError();
  SetString(made, "Value", "written");
  platform::CloseRegKey(made);
  EXPECT_FALSE(platform::SetRegValue(readOnly, "Value", platform::kRegSz, "x", 2));
  EXPECT_EQ(LastError(), platform::kErrAccessDenied);
  platform::CloseRegKey(readOnly);
  RegKey opened = nullptr;
  ASSERT_TRUE(platform::OpenRegKey(key_, "made\\deeper", false, opened)) << LastError();
  EXPECT_EQ(QueryString(opened, "Value"), "written");
  platform::CloseRegKey(opened);
}

// Names up to Windows' limits work; longer ones are a bad parameter. (Wine
// takes a key name of 256 characters that Windows refuses; the cases keep
// off that one length.)
TEST_F(RegistryTest, NamesUpToTheLimitsWork) {
  struct Case {
    std::size_t length;
    bool fits;
  };
  for (const Case& c : {Case{255, true}, Case{257, false}}) {
    const std::string name(c.length, 'k');
    RegKey key = nullptr;
    EXPECT_EQ(platform::CreateRegKey(key_, name, key), c.fits) << c.length;
    if (!c.fits) {
      EXPECT_EQ(LastError(), platform::kErrInvalidParameter) << c.length;
    }
    platform::CloseRegKey(key);
    EXPECT_EQ(platform::OpenRegKey(key_, name, false, key), c.fits) << c.length;
    EXPECT_EQ(LastError(), c.fits ? platform::kErrNone : platform::kErrInvalidParameter) << c.length;
    platform::CloseRegKey(key);
  }
  const std::uint32_t dword = 7;
  for (const Case& c : {Case{16383, true}, Case{16384, false}}) {
    EXPECT_EQ(platform::SetRegValue(key_, std::string(c.length, 'v'), platform::kRegDword, &dword, 4), c.fits)
        << c.length;
    if (!c.fits) {
      EXPECT_EQ(LastError(), platform::kErrInvalidParameter) << c.length;
    }
  }
}

}  // namespace
}  // namespace conformance
