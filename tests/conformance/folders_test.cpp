// Folders, existence, attributes and temporary file names.
#include <cstdint>
#include <regex>

#include "fixture.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace conformance {
namespace {

using platform::LastError;

enum class FolderOp { Create, Remove };

// The scratch folder holds "Existing\" (empty), "Full\" (with a file) and "file.txt".
struct FolderCase {
  const char* name;
  FolderOp op;
  const char* path;
  bool succeeds;
  std::uint32_t error;
};

const FolderCase kFolderCases[] = {
    {"CreateNew", FolderOp::Create, "New", true, 0},
    {"CreateExisting", FolderOp::Create, "Existing", false, platform::kErrAlreadyExists},
    {"CreateExistingOtherCase", FolderOp::Create, "EXISTING", false, platform::kErrAlreadyExists},
    {"CreateOverFile", FolderOp::Create, "file.txt", false, platform::kErrAlreadyExists},
    {"CreateWithMissingParent", FolderOp::Create, "Missing\\New", false,
     platform::kErrPathNotFound},
    {"CreateWithTrailingBackslash", FolderOp::Create, "New\\", true, 0},
    {"RemoveEmpty", FolderOp::Remove, "Existing", true, 0},
    {"RemoveNonEmpty", FolderOp::Remove, "Full", false, platform::kErrDirNotEmpty},
    {"RemoveMissing", FolderOp::Remove, "Missing", false, platform::kErrFileNotFound},
    {"RemoveFile", FolderOp::Remove, "file.txt", false, platform::kErrDirectory},
};

class FolderTest : public ScratchTestWithParam<FolderCase> {
 protected:
  void SetUp() override {
    ScratchTestWithParam<FolderCase>::SetUp();
    MakeFolder("Existing");
    MakeFolder("Full");
    MakeFile("Full\\inside.txt", "x");
    MakeFile("file.txt", "x");
  }
};

TEST_P(FolderTest, Result) {
  const FolderCase& c = GetParam();
  const std::string path = At(c.path);
  const bool ok = c.op == FolderOp::Create ? platform::CreateFolder(path)
                                           : platform::RemoveFolder(path);
  const std::uint32_t error = LastError();
  EXPECT_EQ(ok, c.succeeds);
  if (!c.succeeds) {
    EXPECT_EQ(error, c.error);
  }
  if (c.succeeds) {
    const bool shouldExist = c.op == FolderOp::Create;
    EXPECT_EQ(platform::PathExists(path), shouldExist);
  }
}

INSTANTIATE_TEST_SUITE_P(Folders, FolderTest, ::testing::ValuesIn(kFolderCases), CaseName());

// Attributes as set and read back; kInvalidAttributes for a missing path.
// The scratch folder holds "file.txt" and "Folder\".
struct AttributeCase {
  const char* name;
  const char* path;
  std::uint32_t set;       // 0: not set, read as created
  std::uint32_t expected;  // what GetAttributes returns afterwards
  std::uint32_t error;     // when expected is kInvalidAttributes
};

// Wine reports every file as archive, whatever was set; Windows gives back
// exactly what was set (kAttrReadOnly | kAttrHidden, and kAttrNormal alone).
const AttributeCase kAttributeCases[] = {
    {"NewFileIsArchive", "file.txt", 0, platform::kAttrArchive, 0},
    {"NewFolderIsDirectory", "Folder", 0, platform::kAttrDirectory, 0},
    {"ReadOnlyHidden", "file.txt", platform::kAttrReadOnly | platform::kAttrHidden,
     platform::kAttrReadOnly | platform::kAttrHidden | platform::kAttrArchive, 0},
    {"SystemArchive", "file.txt", platform::kAttrSystem | platform::kAttrArchive,
     platform::kAttrSystem | platform::kAttrArchive, 0},
    {"NormalFileIsArchive", "file.txt", platform::kAttrNormal, platform::kAttrArchive, 0},
    {"FolderKeepsDirectoryFlag", "Folder", platform::kAttrHidden,
     platform::kAttrHidden | platform::kAttrDirectory, 0},
    {"MissingFile", "missing.txt", 0, platform::kInvalidAttributes, platform::kErrFileNotFound},
    {"MissingParent", "missing\\file.txt", 0, platform::kInvalidAttributes,
     platform::kErrPathNotFound},
};

class AttributeTest : public ScratchTestWithParam<AttributeCase> {
 protected:
  void SetUp() override {
    ScratchTestWithParam<AttributeCase>::SetUp();
    MakeFile("file.txt", "x");
    MakeFolder("Folder");
  }
};

TEST_P(AttributeTest, ReadBack) {
  const AttributeCase& c = GetParam();
  const std::string path = At(c.path);
  if (c.set) {
    ASSERT_TRUE(platform::SetAttributes(path, c.set)) << LastError();
  }
  const std::uint32_t attributes = platform::GetAttributes(path);
  const std::uint32_t error = LastError();
  EXPECT_EQ(attributes, c.expected);
  const bool exists = c.expected != platform::kInvalidAttributes;
  EXPECT_EQ(platform::PathExists(path), exists);
  if (!exists) {
    EXPECT_EQ(error, c.error);
    EXPECT_FALSE(platform::SetAttributes(path, platform::kAttrReadOnly));
    EXPECT_EQ(LastError(), c.error);
  }
}

INSTANTIATE_TEST_SUITE_P(Attributes, AttributeTest, ::testing::ValuesIn(kAttributeCases),
                         CaseName());

// <prefix, at most 3 characters><1 to 4 hex digits>.tmp, created empty.
struct TempNameCase {
  const char* name;
  const char* prefix;
  const char* expectedPrefix;
};

const TempNameCase kTempNameCases[] = {
    {"ThreeCharacters", "ptv", "ptv"},
    {"LongPrefixCut", "abcdef", "abc"},
    {"ShortPrefix", "x", "x"},
    {"NoPrefix", "", ""},
};

class TempNameTest : public ScratchTestWithParam<TempNameCase> {};

TEST_P(TempNameTest, FormAndFileCreated) {
  const TempNameCase& c = GetParam();
  const std::string first = platform::MakeTempFileName(scratch_.folder(), c.prefix);
  const std::string second = platform::MakeTempFileName(scratch_.folder(), c.prefix);
  ASSERT_FALSE(first.empty()) << LastError();
  EXPECT_NE(first, second);
  const std::string start = scratch_.folder() + "\\";
  ASSERT_EQ(first.compare(0, start.size(), start), 0) << first;
  // Windows writes the digits in upper case, Wine in lower case.
  const std::regex form(std::string(c.expectedPrefix) + "[0-9A-Fa-f]{1,4}\\.tmp");
  EXPECT_TRUE(std::regex_match(first.substr(start.size()), form)) << first;
  std::string content = "stale";
  EXPECT_TRUE(platform::ReadWholeFile(first, content)) << "the file is created";
  EXPECT_EQ(content, "");
}

INSTANTIATE_TEST_SUITE_P(TempNames, TempNameTest, ::testing::ValuesIn(kTempNameCases),
                         CaseName());

TEST_F(ScratchTest, TempNameInMissingFolderFails) {
  EXPECT_EQ(platform::MakeTempFileName(At("missing"), "ptv"), "");
}

TEST_F(ScratchTest, SystemFoldersExist) {
  const std::string temp = platform::TempFolder();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\') << temp;
  EXPECT_NE(platform::GetAttributes(temp) & platform::kAttrDirectory, 0u) << temp;
  const std::string windows = platform::WindowsFolder();
  EXPECT_NE(platform::GetAttributes(windows) & platform::kAttrDirectory, 0u) << windows;
}

// Relative paths start at the current folder, whatever case it was set in.
TEST_F(ScratchTest, RelativePathsFollowTheCurrentFolder) {
  const std::string before = platform::CurrentFolder();
  MakeFolder("Work");
  ASSERT_TRUE(platform::SetCurrentFolder(At("WORK"))) << LastError();
  EXPECT_TRUE(platform::EqualsIgnoreCaseAscii(platform::CurrentFolder(), At("Work")))
      << platform::CurrentFolder();
  EXPECT_TRUE(platform::WriteWholeFile("relative.txt", "x"));
  EXPECT_TRUE(platform::PathExists(At("Work\\relative.txt")));
  EXPECT_TRUE(platform::PathExists("..\\Work\\relative.txt"));
  EXPECT_FALSE(platform::SetCurrentFolder(At("missing")));
  EXPECT_EQ(LastError(), platform::kErrFileNotFound);
  platform::SetCurrentFolder(before);
}

// Folders that belong to every user: only an administrator writes in them.
// The emulated machine runs these cases as a standard user of 64-bit
// Windows; Wine runs them as an administrator.
struct SharedFolderCase {
  const char* name;
  const char* folder;     // a path, or "" to read it from the registry
  const char* shellName;  // the all-users value of the Shell Folders key
};

const SharedFolderCase kSharedFolderCases[] = {
    {"ProgramFilesX86", "C:\\Program Files (x86)", ""},
    {"CommonDesktop", "", "Common Desktop"},
};

class SharedFolderTest
    : public WithScratch<::testing::TestWithParam<SharedFolderCase>, Account::StandardUserOn64Bit> {};

TEST_P(SharedFolderTest, OnlyAnAdministratorWritesThere) {
  const SharedFolderCase& c = GetParam();
  std::string folder = c.folder;
  if (folder.empty()) {
    platform::RegKey key = nullptr;
    ASSERT_TRUE(platform::OpenRegKey(platform::RootKey(platform::RegRoot::LocalMachine),
                                     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                     false, key));
    char buffer[260] = {};
    std::uint32_t size = sizeof buffer - 1;
    EXPECT_TRUE(platform::QueryRegValue(key, c.shellName, nullptr, buffer, &size)) << LastError();
    platform::CloseRegKey(key);
    folder = buffer;
  }
  ASSERT_NE(platform::GetAttributes(folder) & platform::kAttrDirectory, 0u) << folder;
  const bool administrator = RunsAsAdministrator();
  const std::string file = folder + "\\ptvconf-rights.txt";
  const std::string subfolder = folder + "\\ptvconf-rights";
  EXPECT_EQ(platform::WriteWholeFile(file, "x"), administrator) << file;
  if (!administrator) {
    EXPECT_EQ(LastError(), platform::kErrAccessDenied);
  }
  EXPECT_EQ(platform::CreateFolder(subfolder), administrator) << subfolder;
  if (!administrator) {
    EXPECT_EQ(LastError(), platform::kErrAccessDenied);
  }
  platform::DeleteFileAt(file);
  platform::RemoveFolder(subfolder);
  EXPECT_FALSE(platform::PathExists(file));
}

INSTANTIATE_TEST_SUITE_P(Folders, SharedFolderTest, ::testing::ValuesIn(kSharedFolderCases), CaseName());

}  // namespace
}  // namespace conformance
