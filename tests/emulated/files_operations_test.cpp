// Copy, move, delete and folders: results and error codes of the Windows calls.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <functional>

#include "files_fixture.h"
#include "platform/errors.h"
#include "platform/files.h"

namespace {

using namespace platform;

class FileOperationTest : public BareMachineTest {
 protected:
  void SetUp() override {
    BareMachineTest::SetUp();
    MakeHostFile("src/File.txt", "source");
    MakeHostFile("src/Other.txt", "other");
    MakeHostFile("src/ReadOnly.txt", "ro");
    ASSERT_TRUE(SetAttributes("C:\\src\\ReadOnly.txt", kAttrReadOnly));
    MakeHostFolder("src/Sub");
    MakeHostFile("full/inside.txt");
  }
};

TEST_F(FileOperationTest, FailuresGiveTheWindowsErrors) {
  struct Case {
    const char* what;
    std::function<bool()> call;
    std::uint32_t error;
  } cases[] = {
      {"copy, fail if exists", [] { return CopyFileTo("C:\\src\\File.txt", "C:\\src\\other.TXT", true); }, kErrFileExists},
      {"copy onto itself", [] { return CopyFileTo("C:\\src\\File.txt", "c:\\SRC\\file.txt", false); }, kErrSharingViolation},
      {"copy onto read-only", [] { return CopyFileTo("C:\\src\\File.txt", "C:\\src\\ReadOnly.txt", false); }, kErrAccessDenied},
      {"copy a folder", [] { return CopyFileTo("C:\\src\\Sub", "C:\\src\\Sub2", false); }, kErrAccessDenied},
      {"copy onto a folder", [] { return CopyFileTo("C:\\src\\File.txt", "C:\\src\\Sub", false); }, kErrAccessDenied},
      {"copy a missing file", [] { return CopyFileTo("C:\\src\\none", "C:\\src\\x", false); }, kErrFileNotFound},
      {"copy into a missing folder", [] { return CopyFileTo("C:\\src\\File.txt", "C:\\none\\x", false); }, kErrPathNotFound},
      {"move onto an existing file", [] { return MoveFileTo("C:\\src\\File.txt", "C:\\src\\Other.txt"); }, kErrAlreadyExists},
      {"move a missing file", [] { return MoveFileTo("C:\\src\\none", "C:\\src\\x"); }, kErrFileNotFound},
      {"move into a missing folder", [] { return MoveFileTo("C:\\src\\File.txt", "C:\\none\\x"); }, kErrPathNotFound},
      {"delete read-only", [] { return DeleteFileAt("C:\\src\\ReadOnly.txt"); }, kErrAccessDenied},
      {"delete a folder", [] { return DeleteFileAt("C:\\src\\Sub"); }, kErrAccessDenied},
      {"delete a missing file", [] { return DeleteFileAt("C:\\src\\none"); }, kErrFileNotFound},
      {"delete in a missing folder", [] { return DeleteFileAt("C:\\none\\x"); }, kErrPathNotFound},
      {"create an existing folder", [] { return CreateFolder("C:\\SRC\\sub"); }, kErrAlreadyExists},
      {"create a folder over a file", [] { return CreateFolder("C:\\src\\File.txt"); }, kErrAlreadyExists},
      {"create two levels", [] { return CreateFolder("C:\\none\\x"); }, kErrPathNotFound},
      {"create a bad name", [] { return CreateFolder("C:\\src\\a<b"); }, kErrInvalidName},
      {"remove a full folder", [] { return RemoveFolder("C:\\full"); }, kErrDirNotEmpty},
      {"remove a file", [] { return RemoveFolder("C:\\src\\File.txt"); }, kErrDirectory},
      {"remove a missing folder", [] { return RemoveFolder("C:\\none"); }, kErrFileNotFound},
      {"attributes under a file", [] { return GetAttributes("C:\\src\\File.txt\\x") != kInvalidAttributes; }, kErrPathNotFound},
      {"attributes with a wildcard", [] { return GetAttributes("C:\\src\\*") != kInvalidAttributes; }, kErrInvalidName},
      {"attributes of nothing", [] { return GetAttributes("") != kInvalidAttributes; }, kErrPathNotFound},
      {"current folder on a file", [] { return SetCurrentFolder("C:\\src\\File.txt"); }, kErrDirectory},
  };
  for (const Case& c : cases) {
    SetLastError(kErrNone);
    EXPECT_FALSE(c.call()) << c.what;
    EXPECT_EQ(c.error, LastError()) << c.what;
  }
  EXPECT_EQ("source", HostContent(Host("src/File.txt")));
  EXPECT_EQ("other", HostContent(Host("src/Other.txt")));
  EXPECT_EQ("ro", HostContent(Host("src/ReadOnly.txt")));
}

TEST_F(FileOperationTest, CopyKeepsTimesAndTheExecutableBit) {
  ASSERT_EQ(0, chmod(Host("src/File.txt").c_str(), 0755));
  struct timespec times[2] = {{1000000000, 0}, {1200000000, 0}};
  ASSERT_EQ(0, utimensat(AT_FDCWD, Host("src/File.txt").c_str(), times, 0));
  ASSERT_TRUE(SetAttributes("C:\\src\\File.txt", kAttrHidden));

  // A new file takes the source's attributes; a replaced one keeps its own.
  ASSERT_TRUE(CopyFileTo("c:\\src\\file.txt", "C:\\src\\New.txt", true));
  EXPECT_EQ(kAttrHidden | kAttrArchive, GetAttributes("C:\\src\\new.txt"));
  ASSERT_TRUE(CopyFileTo("c:\\src\\file.txt", "C:\\src\\Other.txt", false));
  EXPECT_EQ("source", HostContent(Host("src/Other.txt")));
  EXPECT_EQ(kAttrArchive, GetAttributes("C:\\src\\Other.txt"));
  for (const char* copy : {"src/New.txt", "src/Other.txt"}) {
    struct stat st;
    ASSERT_EQ(0, stat(Host(copy).c_str(), &st));
    EXPECT_EQ(1200000000, st.st_mtim.tv_sec) << copy;
    EXPECT_TRUE(st.st_mode & S_IXUSR) << copy;
  }
  ASSERT_TRUE(CopyFileTo("C:\\src\\ReadOnly.txt", "C:\\src\\New2.txt", true));
  EXPECT_EQ(kAttrReadOnly | kAttrArchive, GetAttributes("C:\\src\\new2.txt"));
}

TEST_F(FileOperationTest, MovesFilesAndFoldersAndKeepsTheGivenCase) {
  MakeHostFile("src/Sub/deep.txt", "deep");
  ASSERT_TRUE(CreateFolder("C:\\Dest"));
  ASSERT_TRUE(MoveFileTo("C:\\src\\sub", "c:\\dest\\Moved"));
  EXPECT_EQ("deep", HostContent(Host("Dest/Moved/deep.txt")));
  // A read-only file may be moved; its attribute goes with it.
  ASSERT_TRUE(MoveFileTo("C:\\src\\readonly.txt", "C:\\dest\\ro.txt"));
  EXPECT_EQ(kAttrReadOnly | kAttrArchive, GetAttributes("C:\\DEST\\RO.TXT"));
  // Only the case changes.
  ASSERT_TRUE(MoveFileTo("C:\\src\\File.txt", "C:\\src\\FILE.TXT"));
  EXPECT_TRUE(HostExists(Host("src/FILE.TXT")));
  EXPECT_FALSE(HostExists(Host("src/File.txt")));
}

TEST_F(FileOperationTest, FoldersAndAttributes) {
  ASSERT_TRUE(CreateFolder("C:\\src\\New Folder"));
  EXPECT_EQ(kAttrDirectory, GetAttributes("C:\\SRC\\new folder"));
  ASSERT_TRUE(RemoveFolder("C:\\src\\NEW FOLDER"));
  EXPECT_FALSE(PathExists("C:\\src\\New Folder"));
  EXPECT_EQ(kErrFileNotFound, LastError());

  // Each attribute is read back as set; files always carry the archive mark.
  const std::uint32_t sets[] = {kAttrNormal, kAttrReadOnly, kAttrHidden, kAttrSystem,
                                kAttrReadOnly | kAttrHidden | kAttrSystem, kAttrArchive};
  for (std::uint32_t set : sets) {
    ASSERT_TRUE(SetAttributes("C:\\src\\File.txt", set)) << set;
    std::uint32_t expected = (set & (kAttrReadOnly | kAttrHidden | kAttrSystem)) | kAttrArchive;
    EXPECT_EQ(expected, GetAttributes("c:/src/file.txt")) << set;
  }
  ASSERT_TRUE(SetAttributes("C:\\src\\Sub", kAttrHidden));
  EXPECT_EQ(kAttrDirectory | kAttrHidden, GetAttributes("C:\\src\\Sub"));
  // A folder made inside a system folder does not take on its attribute.
  ASSERT_TRUE(SetAttributes("C:\\src\\Sub", kAttrSystem));
  ASSERT_TRUE(CreateFolder("C:\\src\\Sub\\Child"));
  EXPECT_EQ(kAttrDirectory, GetAttributes("C:\\src\\Sub\\Child"));
}

TEST_F(FileOperationTest, RemovingTheCurrentFolderIsASharingViolation) {
  MakeHostFolder("cwd");
  ASSERT_TRUE(SetCurrentFolder("C:\\cwd"));
  EXPECT_FALSE(RemoveFolder("C:\\CWD"));
  EXPECT_EQ(kErrSharingViolation, LastError());
  SetLastError(kErrNone);
  EXPECT_FALSE(MoveFileTo("C:\\cwd", "C:\\moved"));
  EXPECT_EQ(kErrSharingViolation, LastError());
  ASSERT_TRUE(SetCurrentFolder("C:\\"));
  EXPECT_TRUE(RemoveFolder("C:\\cwd"));
}

TEST_F(FileOperationTest, WholeFiles) {
  std::string content;
  ASSERT_TRUE(WriteWholeFile("C:\\src\\new.txt", "one"));
  ASSERT_TRUE(AppendToFile("C:\\SRC\\NEW.TXT", "+two"));
  ASSERT_TRUE(AppendToFile("C:\\src\\fresh.txt", "made"));
  ASSERT_TRUE(ReadWholeFile("c:\\src\\new.txt", content));
  EXPECT_EQ("one+two", content);
  ASSERT_TRUE(ReadWholeFile("C:\\src\\fresh.txt", content));
  EXPECT_EQ("made", content);
  ASSERT_TRUE(WriteWholeFile("C:\\src\\new.txt", ""));
  ASSERT_TRUE(ReadWholeFile("C:\\src\\new.txt", content));
  EXPECT_EQ("", content);

  EXPECT_FALSE(WriteWholeFile("C:\\src\\ReadOnly.txt", "x"));
  EXPECT_EQ(kErrAccessDenied, LastError());
  EXPECT_FALSE(AppendToFile("C:\\src\\ReadOnly.txt", "x"));
  EXPECT_EQ(kErrAccessDenied, LastError());
  EXPECT_FALSE(WriteWholeFile("C:\\none\\x.txt", "x"));
  EXPECT_EQ(kErrPathNotFound, LastError());
  // A failed read leaves nothing behind in `content`, as on Windows.
  const struct {
    const char* path;
    std::uint32_t error;
  } unreadable[] = {{"C:\\src\\none.txt", kErrFileNotFound}, {"C:\\src\\Sub", kErrAccessDenied},
                    {"C:\\none\\x.txt", kErrPathNotFound}, {"C:\\src\\a<b", kErrInvalidName}};
  for (const auto& c : unreadable) {
    content = "earlier text";
    EXPECT_FALSE(ReadWholeFile(c.path, content)) << c.path;
    EXPECT_EQ(c.error, LastError()) << c.path;
    EXPECT_EQ("", content) << c.path;
  }
}

}  // namespace
