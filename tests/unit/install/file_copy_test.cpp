// Copying product files: targets that exist, are protected or are in use,
// copies beside their source, and patterns with the folders they need.
#include <memory>
#include <string>
#include <vector>

#include "install/file_copy.h"
#include "install_fixture.h"
#include "platform/files.h"

namespace install_tests {
namespace {

enum class Target { None, Normal, ReadOnlyHidden, Open, Running, RunningWithOldLocked };

struct CopyCase {
  const char* name;
  Target target;
  // Copy "a.dll" from this folder (relative to the scratch folder) ...
  const char* sourceFolder;
  // ... into this one, under this name ("" for the same name).
  const char* destinationFolder;
  const char* destinationName;
  int result;
  bool targetIsNew;                        // the target holds the new content afterwards
  std::vector<std::string> sideFiles;      // beside the target afterwards
  std::vector<Operation> scheduled;        // relative names; "" deletes
};

const CopyCase kCopyCases[] = {
    {"NewTarget", Target::None, "pkg", "inst", "", 1, true, {}, {}},
    {"ReplacesATarget", Target::Normal, "pkg", "inst", "", 1, true, {}, {}},
    {"ReplacesAReadOnlyHiddenTarget", Target::ReadOnlyHidden, "pkg", "inst", "", 1, true, {}, {}},
    {"MovesARunningProgramAside", Target::Running, "pkg", "inst", "", 1, true, {"a.dll.old"},
     {{"inst\\a.dll.old", ""}}},
    {"MovesItToOld2WhileOldIsPending", Target::RunningWithOldLocked, "pkg", "inst", "", 1, true,
     {"a.dll.old", "a.dll.old2"}, {{"inst\\a.dll.old", ""}, {"inst\\a.dll.old2", ""}}},
    // The copy waits beside the open file; the old one goes first at restart.
    {"ReplacesAnOpenFileAtRestart", Target::Open, "pkg", "inst", "", 0, false, {"a.dll.new"},
     {{"inst\\a.dll", ""}, {"inst\\a.dll.new", "inst\\a.dll"}}},
    {"CopyUnderANewNameBesideItsSource", Target::None, "pkg", "pkg", "b.dll", 1, true, {}, {}},
    // A target beside the source that can't be deleted stays, and so the
    // copy has not been made.
    {"NewNameBesideItsSourceHeldOpen", Target::Open, "pkg", "pkg", "b.dll", 0, false, {}, {}},
};

class CopyOneFileTest : public InstallTest, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(CopyOneFileTest, ResultFilesAndRestartOperations) {
  const CopyCase& c = GetParam();
  const std::string sourceFolder = At(c.sourceFolder);
  const std::string destinationFolder = At(c.destinationFolder);
  const std::string targetName = std::string(c.destinationFolder) + "\\" + (*c.destinationName ? c.destinationName : "a.dll");
  if (std::string(c.destinationFolder) != c.sourceFolder) MakeFolder(c.destinationFolder);
  MakeFile(std::string(c.sourceFolder) + "\\a.dll", "new");
  std::vector<std::unique_ptr<conformance::FileInUse>> held;
  if (c.target != Target::None) {
    MakeFile(targetName, "old");
    if (c.target == Target::ReadOnlyHidden) {
      ASSERT_TRUE(platform::SetAttributes(At(targetName), platform::kAttrReadOnly | platform::kAttrHidden));
    }
    if (c.target == Target::RunningWithOldLocked) {
      MakeFile(targetName + ".old", "older");
      held.push_back(conformance::PutFileInUse(At(targetName + ".old"), conformance::Use::OpenByProgram));
    }
    if (c.target == Target::Open) held.push_back(conformance::PutFileInUse(At(targetName), conformance::Use::OpenByProgram));
    if (c.target == Target::Running || c.target == Target::RunningWithOldLocked) {
      held.push_back(conformance::PutFileInUse(At(targetName), conformance::Use::RunningProgram));
    }
    for (const auto& hold : held) ASSERT_NE(hold, nullptr) << "could not put a file in use";
  }

  EXPECT_EQ(CopyOneFile("a.dll", sourceFolder, destinationFolder, c.destinationName), c.result);

  EXPECT_EQ(Content(targetName) == "new", c.targetIsNew) << Content(targetName);
  if (c.target == Target::ReadOnlyHidden) {
    EXPECT_EQ(platform::GetAttributes(At(targetName)) & (platform::kAttrReadOnly | platform::kAttrHidden), 0u);
  }
  for (const std::string& side : c.sideFiles) EXPECT_TRUE(Exists(std::string(c.destinationFolder) + "\\" + side)) << side;
  if (c.target == Target::Open && !c.sideFiles.empty()) {
    EXPECT_EQ(Content(targetName + ".new"), "new");
  }
  std::vector<Operation> expected;
  for (const Operation& operation : c.scheduled) {
    expected.push_back({At(operation.first), operation.second.empty() ? "" : At(operation.second)});
  }
  EXPECT_EQ(PendingOperationsIn(scratch_.folder()), expected);
  EXPECT_EQ(Content(std::string(c.sourceFolder) + "\\a.dll"), "new");
}

INSTANTIATE_TEST_SUITE_P(FileCopy, CopyOneFileTest, ::testing::ValuesIn(kCopyCases), conformance::CaseName());

class FileCopyTest : public InstallTest {};

TEST_F(FileCopyTest, ACopyOntoItselfDoesNothing) {
  MakeFile("pkg\\a.dll", "same");
  // The same folder in other letter case, with a trailing separator.
  std::string upper = At("PKG");
  EXPECT_EQ(CopyOneFile("a.dll", At("pkg"), upper + "\\", ""), 1);
  EXPECT_EQ(CopyOneFile("missing.dll", At("pkg"), upper, ""), 1);
  EXPECT_EQ(Content("pkg\\a.dll"), "same");
}

TEST_F(FileCopyTest, AMissingSourceCopiesNothing) {
  MakeFolder("inst");
  EXPECT_EQ(CopyOneFile("missing.dll", At("pkg"), At("inst"), ""), 0);
  EXPECT_EQ(CopyOneFile("missing.dll", At("pkg"), At("inst"), "other.dll"), 0);
  EXPECT_FALSE(Exists("inst\\missing.dll"));
}

TEST_F(FileCopyTest, MatchesMakeTheMissingFoldersFromTheTopDown) {
  MakeFile("pkg\\a.txt", "a");
  MakeFile("pkg\\b.txt", "b");
  MakeFile("pkg\\c.ini", "c");
  EXPECT_EQ(CopyMatchingFiles("*.txt", At("Apps\\Pictavo 6"), At("pkg")), 2);
  EXPECT_EQ(Content("Apps\\Pictavo 6\\a.txt"), "a");
  EXPECT_EQ(Content("Apps\\Pictavo 6\\b.txt"), "b");
  EXPECT_FALSE(Exists("Apps\\Pictavo 6\\c.ini"));
  // Written with slashes and a trailing blank, the folder is made all the same.
  EXPECT_EQ(CopyMatchingFiles("c.ini", At("Tools/Capture/Pictavo 6"), At("pkg")), 1);
  EXPECT_EQ(Content("Tools\\Capture\\Pictavo 6\\c.ini"), "c");
}

TEST_F(FileCopyTest, APatternWithoutMatchMakesNoFolder) {
  EXPECT_EQ(CopyMatchingFiles("*.hlp", At("inst"), At("pkg")), 0);
  EXPECT_FALSE(Exists("inst"));
}

TEST_F(FileCopyTest, ASubFolderPatternNeedsItsFolderInTheDestination) {
  MakeFolder("pkg\\help");
  MakeFile("pkg\\help\\index.htm", "i");
  MakeFile("pkg\\help\\topics.htm", "t");
  MakeFile("pkg\\other.htm", "o");
  MakeFolder("inst");
  // No help folder there yet: the first copy fails and ends the loop.
  EXPECT_EQ(CopyMatchingFiles("help\\*.htm", At("inst"), At("pkg")), 0);
  MakeFolder("inst\\help");
  EXPECT_EQ(CopyMatchingFiles("help\\*.htm", At("inst"), At("pkg")), 2);
  EXPECT_EQ(Content("inst\\help\\index.htm"), "i");
  EXPECT_EQ(Content("inst\\help\\topics.htm"), "t");
  EXPECT_FALSE(Exists("inst\\other.htm"));
  EXPECT_FALSE(Exists("inst\\help\\other.htm"));
}

TEST_F(FileCopyTest, TheFirstFileThatTakesItsPlaceOnlyAtRestartEndsTheMatches) {
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) MakeFile(std::string("pkg\\") + name, "new");
  MakeFolder("inst");
  MakeFile("inst\\b.txt", "old");
  auto held = conformance::PutFileInUse(At("inst\\b.txt"), conformance::Use::OpenByProgram);
  ASSERT_NE(held, nullptr);
  const int copied = CopyMatchingFiles("*.txt", At("inst"), At("pkg"));
  int inPlace = 0;
  for (const char* name : {"a.txt", "c.txt"}) inPlace += Content(std::string("inst\\") + name) == "new" ? 1 : 0;
  EXPECT_LT(copied, 3);
  EXPECT_EQ(copied, inPlace);
  EXPECT_EQ(Content("inst\\b.txt.new"), "new");
}

}  // namespace
}  // namespace install_tests
