// FindFirst / FindNext: the wildcard rules and the entries a search yields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files_fixture.h"
#include "platform/errors.h"
#include "platform/files.h"

namespace {

using namespace platform;

class FindTest : public BareMachineTest {
 protected:
  void SetUp() override {
    BareMachineTest::SetUp();
    for (const char* name : {"a.txt", "AB", "abc", "noext", "a.b.txt", "ax.TXT", "x.txtx"}) {
      MakeHostFile(std::string("pr/") + name);
    }
    MakeHostFolder("pr/Sub");
  }

  // The names a search yields, in order; empty with LastError() when it finds nothing.
  static std::vector<std::string> Names(const std::string& pattern) {
    std::vector<std::string> names;
    FindData data;
    FindHandle handle = FindFirst(pattern, data);
    if (!handle) return names;
    do {
      names.push_back(data.name);
    } while (FindNext(handle, data));
    EXPECT_EQ(kErrNoMoreFiles, LastError());
    FindClose(handle);
    return names;
  }
};

TEST_F(FindTest, PatternRules) {
  using Names_ = std::vector<std::string>;
  const Names_ all = {".", "..", "a.b.txt", "a.txt", "AB", "abc", "ax.TXT", "noext", "Sub", "x.txtx"};
  struct Case {
    const char* pattern;
    Names_ expected;
  } cases[] = {
      {"C:\\pr\\*", all},
      {"C:\\pr\\*.*", all},  // names without a dot too
      {"C:\\pr\\*.", all},   // a trailing dot is dropped
      // "x.txtx" answers to its short name too, whose extension is "TXT".
      {"C:\\pr\\*.txt", {"a.b.txt", "a.txt", "ax.TXT", "x.txtx"}},
      {"C:\\pr\\A*", {"a.b.txt", "a.txt", "AB", "abc", "ax.TXT"}},
      {"c:/PR/a?.txt", {"ax.TXT"}},  // '?' is one character, never the dot
      {"C:\\pr\\a?", {"AB"}},
      {"C:\\pr\\?", {"."}},
      {"C:\\pr\\ab??", {}},  // trailing '?'s still need characters
      {"C:\\pr\\*.txt?", {"x.txtx"}},
      {"C:\\pr\\*.txtx", {"x.txtx"}},
      {"C:\\pr\\noext.*", {"noext"}},
      {"C:\\pr\\ABC.", {"abc"}},
      {"C:\\pr\\sub", {"Sub"}},
      {"C:\\pr", {"pr"}},
      {"C:\\*", {"pr", "users", "windows"}},  // a drive's root has no "." and ".."
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, Names(c.pattern)) << c.pattern;
  }
}

TEST_F(FindTest, EntriesAndFailures) {
  FindData data;
  FindHandle handle = FindFirst("C:\\pr\\sub", data);
  ASSERT_NE(nullptr, handle);
  EXPECT_EQ(kAttrDirectory, data.attributes);
  FindClose(handle);
  MakeHostFile("pr/sized.bin", "12345");
  handle = FindFirst("C:\\pr\\SIZED.BIN", data);
  ASSERT_NE(nullptr, handle);
  EXPECT_EQ(5u, data.size);
  EXPECT_EQ(kAttrArchive, data.attributes);
  FindClose(handle);

  struct Case {
    const char* pattern;
    std::uint32_t error;
  } cases[] = {
      {"C:\\pr\\zz*", kErrFileNotFound},
      {"C:\\pr\\", kErrFileNotFound},
      {"C:\\none\\*", kErrPathNotFound},
      {"C:\\pr\\a<*", kErrInvalidName},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(nullptr, FindFirst(c.pattern, data)) << c.pattern;
    EXPECT_EQ(c.error, LastError()) << c.pattern;
  }
  EXPECT_FALSE(FindNext(nullptr, data));
  EXPECT_EQ(kErrInvalidHandle, LastError());
}

TEST_F(FindTest, RelativePatternsSearchTheCurrentFolder) {
  ASSERT_TRUE(SetCurrentFolder("C:\\PR"));
  EXPECT_EQ((std::vector<std::string>{"a.b.txt", "a.txt", "ax.TXT", "x.txtx"}), Names("*.txt"));
  EXPECT_EQ((std::vector<std::string>{"noext"}), Names("..\\pr\\no*"));
}

}  // namespace
