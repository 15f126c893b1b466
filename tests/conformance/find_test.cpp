// Finding files by pattern, and names that compare without regard to case.
#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "fixture.h"

namespace conformance {
namespace {

using platform::LastError;

// Everything a pattern finds, in the order found.
std::vector<std::string> FindAll(const std::string& pattern, std::uint32_t& error) {
  std::vector<std::string> names;
  platform::FindData data;
  platform::FindHandle handle = platform::FindFirst(pattern, data);
  if (!handle) {
    error = LastError();
    return names;
  }
  do {
    names.push_back(data.name);
  } while (platform::FindNext(handle, data));
  error = LastError();
  platform::FindClose(handle);
  return names;
}

std::set<std::string> AsSet(const std::vector<std::string>& names) {
  return std::set<std::string>(names.begin(), names.end());
}

// The folder every pattern case searches. "Sub" is an empty folder.
const char* const kFiles[] = {"README", "a.txt", "b.TXT", "ab.txt", "abc.txt", "abc", "abcd",
                              "x.tar.gz", "notes.txtx", "page.html"};

struct PatternCase {
  const char* name;
  const char* pattern;                 // relative to the scratch folder
  std::set<std::string> found;         // names as stored, "." and ".." included
  std::uint32_t errorWhenNone;         // LastError() when nothing is found
};

// A pattern is also matched against the 8.3 short name of a long name, so
// a three-character extension finds a longer one that begins with it:
// "*.txt" finds "notes.txtx" through "NOTES~1.TXT", "*.htm" finds
// "page.html" through "PAGE~1.HTM". Wine does the same.
//
// '?' is exactly one character under Wine. Windows lets a '?' just before a
// dot or at the end of the pattern also match nothing: there "??.txt" finds
// "a.txt" and "b.TXT" too, and "abc?" finds "abc" too.
const PatternCase kPatternCases[] = {
    {"StarFindsAllWithDots", "*",
     {".", "..", "README", "a.txt", "b.TXT", "ab.txt", "abc.txt", "abc", "abcd", "x.tar.gz",
      "notes.txtx", "page.html", "Sub"},
     0},
    {"StarDotStarMatchesNamesWithoutDot", "*.*",
     {".", "..", "README", "a.txt", "b.TXT", "ab.txt", "abc.txt", "abc", "abcd", "x.tar.gz",
      "notes.txtx", "page.html", "Sub"},
     0},
    {"StarDotTxtIgnoresCaseAndDots", "*.txt", {"a.txt", "b.TXT", "ab.txt", "abc.txt", "notes.txtx"}, 0},
    {"UpperCasePattern", "*.TXT", {"a.txt", "b.TXT", "ab.txt", "abc.txt", "notes.txtx"}, 0},
    {"ThreeCharacterExtensionFindsLongerOne", "*.htm", {"page.html"}, 0},
    {"ShorterExtensionFindsNoLongerOne", "*.tx", {}, platform::kErrFileNotFound},
    {"QuestionIsOneCharacter", "?.txt", {"a.txt", "b.TXT"}, 0},
    {"TwoQuestionsBeforeDot", "??.txt", {"ab.txt"}, 0},
    {"TrailingQuestion", "abc?", {"abcd"}, 0},
    {"TrailingQuestionsNeedCharacters", "abcd??", {}, platform::kErrFileNotFound},
    {"QuestionInside", "a?c", {"abc"}, 0},
    {"PrefixStar", "a*", {"a.txt", "ab.txt", "abc.txt", "abc", "abcd"}, 0},
    {"SuffixStar", "*c", {"abc"}, 0},
    {"LastExtensionOnly", "*.gz", {"x.tar.gz"}, 0},
    {"FirstDotThenAnything", "x.*", {"x.tar.gz"}, 0},
    {"ExactNameOtherCase", "readme", {"README"}, 0},
    {"NothingMatches", "nothing*", {}, platform::kErrFileNotFound},
    {"SubfolderStar", "Sub\\*", {".", ".."}, 0},
    {"SubfolderPatternCantMatchDots", "Sub\\*.txt", {}, platform::kErrFileNotFound},
    {"MissingFolder", "missing\\*", {}, platform::kErrPathNotFound},
};

class PatternTest : public ScratchTestWithParam<PatternCase> {
 protected:
  void SetUp() override {
    ScratchTestWithParam<PatternCase>::SetUp();
    for (const char* file : kFiles) MakeFile(file, file);
    MakeFolder("Sub");
  }
};

TEST_P(PatternTest, FindsExactlyTheseNames) {
  const PatternCase& c = GetParam();
  std::uint32_t error = 0;
  const std::vector<std::string> found = FindAll(At(c.pattern), error);
  EXPECT_EQ(AsSet(found), c.found);
  EXPECT_EQ(found.size(), c.found.size()) << "a name was found twice";
  EXPECT_EQ(error, c.found.empty() ? c.errorWhenNone : platform::kErrNoMoreFiles);
}

INSTANTIATE_TEST_SUITE_P(Find, PatternTest, ::testing::ValuesIn(kPatternCases), CaseName());

TEST_F(ScratchTest, FindReportsAttributesAndSizes) {
  MakeFile("five.bin", "12345");
  MakeFolder("Folder");
  platform::FindData data;
  platform::FindHandle handle = platform::FindFirst(At("*"), data);
  ASSERT_NE(handle, nullptr);
  int seen = 0;
  do {
    if (data.name == "five.bin") {
      EXPECT_EQ(data.size, 5u);
      EXPECT_EQ(data.attributes & platform::kAttrDirectory, 0u);
      ++seen;
    } else if (data.name == "Folder") {
      EXPECT_NE(data.attributes & platform::kAttrDirectory, 0u);
      ++seen;
    }
  } while (platform::FindNext(handle, data));
  platform::FindClose(handle);
  EXPECT_EQ(seen, 2);
}

// Opening, reading, deleting: the name's case doesn't matter, and the name
// keeps the case it was created with.
enum class NameOp { Read, Attributes, Delete, Find };

struct CaseInsensitiveCase {
  const char* name;
  NameOp op;
  const char* asked;  // relative to the scratch folder
};

const CaseInsensitiveCase kCaseInsensitiveCases[] = {
    {"ReadLowerCase", NameOp::Read, "Folder\\mixedcase.txt"},
    {"ReadThroughFolderOfOtherCase", NameOp::Read, "FOLDER\\MIXEDCASE.TXT"},
    {"AttributesUpperCase", NameOp::Attributes, "folder\\MIXEDCASE.TXT"},
    {"DeleteOtherCase", NameOp::Delete, "Folder\\mIxEdCaSe.TxT"},
    {"FindOtherCase", NameOp::Find, "fOLDER\\MIXEDCASE.txt"},
};

class CaseInsensitiveTest : public ScratchTestWithParam<CaseInsensitiveCase> {};

TEST_P(CaseInsensitiveTest, NameFoundWhateverItsCase) {
  const CaseInsensitiveCase& c = GetParam();
  MakeFolder("Folder");
  MakeFile("Folder\\MixedCase.Txt", "content");
  const std::string asked = At(c.asked);
  std::string content;
  platform::FindData data;
  switch (c.op) {
    case NameOp::Read:
      ASSERT_TRUE(platform::ReadWholeFile(asked, content)) << LastError();
      EXPECT_EQ(content, "content");
      break;
    case NameOp::Attributes:
      EXPECT_NE(platform::GetAttributes(asked), platform::kInvalidAttributes);
      break;
    case NameOp::Delete:
      ASSERT_TRUE(platform::DeleteFileAt(asked)) << LastError();
      EXPECT_FALSE(platform::PathExists(At("Folder\\MixedCase.Txt")));
      break;
    case NameOp::Find: {
      platform::FindHandle handle = platform::FindFirst(asked, data);
      ASSERT_NE(handle, nullptr) << LastError();
      EXPECT_EQ(data.name, "MixedCase.Txt");
      platform::FindClose(handle);
      break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Names, CaseInsensitiveTest, ::testing::ValuesIn(kCaseInsensitiveCases),
                         CaseName());

}  // namespace
}  // namespace conformance
