// Long paths: the ANSI file calls take a path of at most 259 characters
// (MAX_PATH with its terminating zero) and refuse a longer one with
// ERROR_FILENAME_EXCED_RANGE before they look at anything. Wine takes a
// path of exactly 260 characters that Windows refuses; the cases keep off
// that one length.
#include <functional>
#include <string>

#include "fixture.h"

namespace conformance {
namespace {

using platform::LastError;

class LongPathTest : public ScratchTest {
 protected:
  // A path inside the scratch folder that is `length` characters long.
  std::string PathOfLength(std::size_t length) const {
    std::string path = At("");
    path.resize(length, 'n');
    return path;
  }
};

TEST_F(LongPathTest, PathsUpTo259CharactersWork) {
  const std::string path = PathOfLength(259);
  ASSERT_TRUE(platform::WriteWholeFile(path, "content")) << LastError();
  std::string content;
  EXPECT_TRUE(platform::ReadWholeFile(path, content));
  EXPECT_EQ(content, "content");
  EXPECT_NE(platform::GetAttributes(path), platform::kInvalidAttributes);
  EXPECT_TRUE(platform::DeleteFileAt(path)) << LastError();
}

TEST_F(LongPathTest, LongerPathsAreRefusedByEveryCall) {
  MakeFile("short", "x");
  const std::string shortPath = At("short");
  const std::string longPath = PathOfLength(261);
  const struct {
    const char* call;
    std::function<bool()> run;
  } kCalls[] = {
      {"WriteWholeFile", [&] { return platform::WriteWholeFile(longPath, "x"); }},
      {"AppendToFile", [&] { return platform::AppendToFile(longPath, "x"); }},
      {"ReadWholeFile", [&] { std::string c; return platform::ReadWholeFile(longPath, c); }},
      {"CreateFolder", [&] { return platform::CreateFolder(longPath); }},
      {"RemoveFolder", [&] { return platform::RemoveFolder(longPath); }},
      {"DeleteFileAt", [&] { return platform::DeleteFileAt(longPath); }},
      {"GetAttributes", [&] { return platform::GetAttributes(longPath) != platform::kInvalidAttributes; }},
      {"SetAttributes", [&] { return platform::SetAttributes(longPath, platform::kAttrNormal); }},
      {"PathExists", [&] { return platform::PathExists(longPath); }},
      {"SetCurrentFolder", [&] { return platform::SetCurrentFolder(longPath); }},
      {"MakeTempFileName", [&] { return !platform::MakeTempFileName(longPath, "ptv").empty(); }},
      {"FindFirst", [&] {
         platform::FindData found;
         platform::FindHandle find = platform::FindFirst(longPath + "*", found);
         if (find) platform::FindClose(find);
         return find != nullptr;
       }},
      {"CopyFileTo, source", [&] { return platform::CopyFileTo(longPath, shortPath + "2", false); }},
      {"MoveFileTo, source", [&] { return platform::MoveFileTo(longPath, shortPath + "2"); }},
      {"MoveFileAtRestart, source", [&] { return platform::MoveFileAtRestart(longPath, ""); }},
  };
  for (const auto& c : kCalls) {
    platform::SetLastError(0);
    EXPECT_FALSE(c.run()) << c.call;
    EXPECT_EQ(LastError(), platform::kErrFilenameExcedRange) << c.call;
  }
  EXPECT_EQ(Content("short"), "x");
}

}  // namespace
}  // namespace conformance
