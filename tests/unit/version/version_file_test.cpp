// Reading a file's version words through the platform layer: the emulated
// reader on Linux, the system's version functions on Windows.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fixture_folder.h"
#include "pe_image.h"
#include "platform/version.h"

namespace version_tests {
namespace {

std::string Pe(bool x64, bool withVersion, bool withStringTable,
               fixtures::FourPartVersion fileVersion = {6, 0, 2, 1}) {
  fixtures::PeImageOptions options;
  options.x64 = x64;
  options.withVersion = withVersion;
  options.withStringTable = withStringTable;
  options.fileVersion = fileVersion;
  return fixtures::MakePeImage(options);
}

// The image cut in the middle of its version block.
std::string PeCutInVersionBlock() {
  const std::string image = Pe(false, true, true);
  const std::string key("V\0S\0_\0V\0E\0R\0S\0I\0O\0N\0_\0I\0N\0F\0O\0", 30);
  return image.substr(0, image.find(key) + 40);
}

struct FileCase {
  const char* name;
  std::string (*bytes)();
  bool found;
  std::uint32_t mostSignificant;
  std::uint32_t leastSignificant;
};

const FileCase kFileCases[] = {
    {"pe32", [] { return Pe(false, true, true); }, true, 0x00060000, 0x00020001},
    {"pe32plus", [] { return Pe(true, true, true); }, true, 0x00060000, 0x00020001},
    {"only_version_high_halves",
     [] { return Pe(false, true, false, {0xFFFF, 0x8000, 0x0102, 0xFFFE}); }, true, 0xFFFF8000,
     0x0102FFFE},
    {"string_table_only", [] { return Pe(false, false, true); }, false, 0, 0},
    {"no_resources", [] { return Pe(true, false, false); }, false, 0, 0},
    {"cut_in_version_block", PeCutInVersionBlock, false, 0, 0},
    {"text", [] { return std::string("File Copy: Ptav6.exe\r\nMZ is not at the start\r\n"); }, false, 0, 0},
    {"empty", [] { return std::string(); }, false, 0, 0},
};

void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }

class VersionFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(VersionFileTest, ReadsTheFileVersionOrNothing) {
  const FileCase& c = GetParam();
  FixtureFolder folder;
  ASSERT_TRUE(folder.Ready());
  const std::string path = folder.Put(std::string(c.name) + ".exe", c.bytes());
  ASSERT_FALSE(path.empty());
  std::uint32_t ms = 0;
  std::uint32_t ls = 0;
  ASSERT_EQ(platform::ReadFileVersionWords(path, ms, ls), c.found);
  if (c.found) {
    EXPECT_EQ(ms, c.mostSignificant);
    EXPECT_EQ(ls, c.leastSignificant);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, VersionFileTest, ::testing::ValuesIn(kFileCases),
                         [](const ::testing::TestParamInfo<FileCase>& info) { return info.param.name; });

TEST(VersionFile, MissingFileHasNoVersion) {
  FixtureFolder folder;
  ASSERT_TRUE(folder.Ready());
  std::uint32_t ms = 0;
  std::uint32_t ls = 0;
  EXPECT_FALSE(platform::ReadFileVersionWords(folder.PathOf("Ptav6.exe"), ms, ls));
  EXPECT_FALSE(platform::ReadFileVersionWords(folder.PathOf("no such folder\\Ptav6.exe"), ms, ls));
}

// Programs built from resource scripts by the resource compiler: the file
// version is taken, not the product version.
TEST(VersionFile, ProgramBuiltWithAResourceScript) {
  FixtureFolder folder;  // the machine that resolves the path
  ASSERT_TRUE(folder.Ready());
  const std::string program = MingwVersionedProgram();
  if (program.empty()) GTEST_SKIP() << "no MinGW resource compiler in this build";
  std::uint32_t ms = 0;
  std::uint32_t ls = 0;
  ASSERT_TRUE(platform::ReadFileVersionWords(program, ms, ls)) << program;
  EXPECT_EQ(ms, 0x00060000u);
  EXPECT_EQ(ls, 0x00020001u);
}

TEST(VersionFile, StandInProductCarriesItsVersion) {
  FixtureFolder folder;
  ASSERT_TRUE(folder.Ready());
  std::uint32_t ms = 0;
  std::uint32_t ls = 0;
  ASSERT_TRUE(platform::ReadFileVersionWords(StandInProduct(), ms, ls)) << StandInProduct();
  EXPECT_EQ(ms, 0x00060000u);
  EXPECT_EQ(ls, 0x00020001u);
}

}  // namespace
}  // namespace version_tests
