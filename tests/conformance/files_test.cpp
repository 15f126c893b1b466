// Deleting, moving and copying files: attributes, existing targets and
// files in use.
#include <cstdint>

#include "fixture.h"

namespace conformance {
namespace {

using platform::LastError;

enum class Op { Delete, Move, Copy, CopyFailIfExists };

bool RunOp(Op op, const std::string& from, const std::string& to) {
  switch (op) {
    case Op::Delete: return platform::DeleteFileAt(from);
    case Op::Move: return platform::MoveFileTo(from, to);
    case Op::Copy: return platform::CopyFileTo(from, to, false);
    case Op::CopyFailIfExists: return platform::CopyFileTo(from, to, true);
  }
  return false;
}

constexpr std::uint32_t kNoFile = 0;  // the file is not created
constexpr std::uint32_t kRo = platform::kAttrReadOnly;
constexpr std::uint32_t kHid = platform::kAttrHidden;
constexpr std::uint32_t kArc = platform::kAttrArchive;
constexpr std::uint32_t kNormal = platform::kAttrNormal;

// "source" holds "new", "target" holds "old"; each is created with the given
// attributes unless kNoFile.
struct FileOpCase {
  const char* name;
  std::uint32_t source;
  std::uint32_t target;
  Op op;
  bool succeeds;
  std::uint32_t error;
  const char* targetAfter;  // content of "target" afterwards; nullptr: missing
  bool sourceRemains;
  bool needsReadOnlyRefusingWrites = false;
};

const FileOpCase kFileOpCases[] = {
    {"DeleteReadOnlyFails", kRo, kNoFile, Op::Delete, false, platform::kErrAccessDenied, nullptr,
     true},
    {"DeleteMissing", kNoFile, kNoFile, Op::Delete, false, platform::kErrFileNotFound, nullptr,
     false},
    {"MoveRenames", kNormal, kNoFile, Op::Move, true, 0, "new", false},
    {"MoveReadOnlyFile", kRo, kNoFile, Op::Move, true, 0, "new", false},
    {"MoveOntoExistingFails", kNormal, kNormal, Op::Move, false, platform::kErrAlreadyExists,
     "old", true},
    {"CopyToNewName", kNormal, kNoFile, Op::Copy, true, 0, "new", true},
    {"CopyReplacesNormalTarget", kNormal, kNormal, Op::Copy, true, 0, "new", true},
    // Wine run by root writes through the read-only flag; skipped there.
    {"CopyOverReadOnlyTargetFails", kNormal, kRo, Op::Copy, false, platform::kErrAccessDenied,
     "old", true, true},
    {"CopyFailIfExistsOntoExisting", kNormal, kNormal, Op::CopyFailIfExists, false,
     platform::kErrFileExists, "old", true},
    {"CopyFailIfExistsToNewName", kNormal, kNoFile, Op::CopyFailIfExists, true, 0, "new", true},
    {"CopyMissingSource", kNoFile, kNoFile, Op::Copy, false, platform::kErrFileNotFound, nullptr,
     false},
};

class FileOpTest : public ScratchTestWithParam<FileOpCase> {};

TEST_P(FileOpTest, ResultAndFilesAfterwards) {
  const FileOpCase& c = GetParam();
  if (c.needsReadOnlyRefusingWrites && !ReadOnlyFilesRefuseWrites()) {
    GTEST_SKIP() << "this host lets writes through to read-only files";
  }
  if (c.source != kNoFile) {
    MakeFile("source", "new");
    ASSERT_TRUE(platform::SetAttributes(At("source"), c.source));
  }
  if (c.target != kNoFile) {
    MakeFile("target", "old");
    ASSERT_TRUE(platform::SetAttributes(At("target"), c.target));
  }

  const bool ok = RunOp(c.op, At("source"), At("target"));
  const std::uint32_t error = LastError();

  EXPECT_EQ(ok, c.succeeds);
  if (!c.succeeds) {
    EXPECT_EQ(error, c.error);
  }
  if (c.targetAfter) {
    EXPECT_EQ(Content("target"), c.targetAfter);
  } else {
    EXPECT_FALSE(platform::PathExists(At("target")));
  }
  EXPECT_EQ(platform::PathExists(At("source")), c.sourceRemains);
}

INSTANTIATE_TEST_SUITE_P(Files, FileOpTest, ::testing::ValuesIn(kFileOpCases), CaseName());

// The attributes of a copy.
struct CopyAttributesCase {
  const char* name;
  std::uint32_t source;
  std::uint32_t target;
  std::uint32_t expected;
};

const CopyAttributesCase kCopyAttributesCases[] = {
    // A new file gets the source's attributes.
    {"ReadOnlyHiddenToNewName", kRo | kHid | kArc, kNoFile, kRo | kHid | kArc},
    {"SystemToNewName", platform::kAttrSystem | kArc, kNoFile, platform::kAttrSystem | kArc},
    // A replaced file keeps its own attributes under Wine (here: archive
    // only); Windows gives it the source's (hidden and archive).
    {"HiddenOntoNormal", kHid | kArc, kNormal, kArc},
};

class CopyAttributesTest : public ScratchTestWithParam<CopyAttributesCase> {};

TEST_P(CopyAttributesTest, AttributesOfTheCopy) {
  const CopyAttributesCase& c = GetParam();
  MakeFile("source", "new");
  ASSERT_TRUE(platform::SetAttributes(At("source"), c.source));
  if (c.target != kNoFile) {
    MakeFile("target", "old");
    ASSERT_TRUE(platform::SetAttributes(At("target"), c.target));
  }
  ASSERT_TRUE(platform::CopyFileTo(At("source"), At("target"), false)) << LastError();
  EXPECT_EQ(platform::GetAttributes(At("target")), c.expected);
  EXPECT_EQ(Content("target"), "new");
}

INSTANTIATE_TEST_SUITE_P(Files, CopyAttributesTest, ::testing::ValuesIn(kCopyAttributesCases),
                         CaseName());

// Files in use: a file another program holds open can be neither deleted
// nor moved nor overwritten; a running program's own file can't be deleted
// or overwritten but can be moved (the setup relies on that to replace a
// program that is still running).
struct InUseCase {
  const char* name;
  Use use;
  Op op;
  bool succeeds;
  std::uint32_t error;
  bool alsoOpen = false;  // another program holds the file open as well
};

const InUseCase kInUseCases[] = {
    {"OpenFileDelete", Use::OpenByProgram, Op::Delete, false, platform::kErrSharingViolation},
    {"OpenFileMove", Use::OpenByProgram, Op::Move, false, platform::kErrSharingViolation},
    {"OpenFileCopyOver", Use::OpenByProgram, Op::Copy, false, platform::kErrSharingViolation},
    {"RunningProgramDelete", Use::RunningProgram, Op::Delete, false, platform::kErrAccessDenied},
    {"RunningProgramMove", Use::RunningProgram, Op::Move, true, 0},
    {"RunningProgramCopyOver", Use::RunningProgram, Op::Copy, false,
     platform::kErrSharingViolation},
    // A running program's file that another program also holds open: the
    // stricter hold wins, and even the move fails.
    {"RunningAndOpenDelete", Use::RunningProgram, Op::Delete, false, platform::kErrSharingViolation, true},
    {"RunningAndOpenMove", Use::RunningProgram, Op::Move, false, platform::kErrSharingViolation, true},
    {"RunningAndOpenCopyOver", Use::RunningProgram, Op::Copy, false, platform::kErrSharingViolation, true},
};

class InUseTest : public ScratchTestWithParam<InUseCase> {};

TEST_P(InUseTest, ResultWhileInUse) {
  const InUseCase& c = GetParam();
  MakeFile("program.exe", "in use");
  MakeFile("other", "other");
  auto inUse = PutFileInUse(At("program.exe"), c.use);
  ASSERT_NE(inUse, nullptr) << "could not put the file in use";
  std::unique_ptr<FileInUse> alsoOpen;
  if (c.alsoOpen) {
    alsoOpen = PutFileInUse(At("program.exe"), Use::OpenByProgram);
    ASSERT_NE(alsoOpen, nullptr) << "could not open the running program's file";
  }

  // Copy writes "other" over the file in use; the others act on it.
  const bool ok = c.op == Op::Copy ? RunOp(c.op, At("other"), At("program.exe"))
                                   : RunOp(c.op, At("program.exe"), At("moved.exe"));
  const std::uint32_t error = LastError();

  EXPECT_EQ(ok, c.succeeds);
  if (!c.succeeds) {
    EXPECT_EQ(error, c.error);
  }
  const bool goneFromPlace = c.succeeds && c.op != Op::Copy;
  EXPECT_EQ(platform::PathExists(At("program.exe")), !goneFromPlace);
  if (c.op == Op::Move) {
    EXPECT_EQ(platform::PathExists(At("moved.exe")), c.succeeds);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, InUseTest, ::testing::ValuesIn(kInUseCases), CaseName());

// Whole-file reads and writes.
TEST_F(ScratchTest, WholeFileWriteAppendRead) {
  ASSERT_TRUE(platform::AppendToFile(At("log.txt"), "first\r\n")) << "append creates";
  ASSERT_TRUE(platform::AppendToFile(At("log.txt"), "second\r\n"));
  EXPECT_EQ(Content("log.txt"), "first\r\nsecond\r\n");
  ASSERT_TRUE(platform::WriteWholeFile(At("log.txt"), std::string("a\0b", 3)));
  EXPECT_EQ(Content("log.txt"), std::string("a\0b", 3)) << "write truncates, bytes kept";

  std::string content = "stale";
  EXPECT_FALSE(platform::ReadWholeFile(At("missing.txt"), content));
  EXPECT_EQ(LastError(), platform::kErrFileNotFound);
  EXPECT_FALSE(platform::WriteWholeFile(At("missing\\x.txt"), "x"));
  EXPECT_EQ(LastError(), platform::kErrPathNotFound);
}

}  // namespace
}  // namespace conformance
