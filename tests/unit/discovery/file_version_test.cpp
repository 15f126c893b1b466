// The setup state's version from a product file.
#include <gtest/gtest.h>

#include <string>

#include "discovery/file_version.h"
#include "pe_image.h"
#include "platform/emulated/machine/machine.h"
#include "scratch_machine.h"
#include "state/setup_state.h"

namespace discovery_tests {
namespace {

std::string Pe(bool withVersion, fixtures::FourPartVersion version = {6, 0, 2, 1}) {
  fixtures::PeImageOptions options;
  options.withVersion = withVersion;
  options.fileVersion = version;
  return fixtures::MakePeImage(options);
}

struct VersionCase {
  const char* name;
  std::string content;  // "" with `present` false: no file at all
  bool present;
  ProductVersion expected;
};

const VersionCase kVersionCases[] = {
    {"version_6_0_2_1", Pe(true), true, {6, 0, 2, 1}},
    {"every_half_apart", Pe(true, {0xFFFF, 0x8001, 0x7FFF, 0x0102}), true, {0xFFFF, 0x8001, 0x7FFF, 0x0102}},
    {"without_version_resource", Pe(false), true, {0, 0, 0, 0}},
    {"truncated", Pe(true).substr(0, Pe(true).size() - 256), true, {0, 0, 0, 0}},
    {"text_file", "File Copy: Ptav6.exe\r\n", true, {0, 0, 0, 0}},
    {"missing", "", false, {0, 0, 0, 0}},
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.name; }

class ReadFileVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(ReadFileVersionTest, SetsTheVersionOrZero) {
  const VersionCase& c = GetParam();
  ScratchMachine machine;
  ASSERT_TRUE(machine.Ready());
  const std::string path = "C:\\Package\\Ptav6.exe";
  ASSERT_TRUE(MakeFolders("C:\\Package"));
  if (c.present) {
    ASSERT_TRUE(PutFile(path, c.content));
  }
  // A version read before is never left behind.
  TheSetupState().m_ver = ProductVersion{9, 9, 9, 9};
  ReadFileVersion(path);
  const ProductVersion& v = TheSetupState().m_ver;
  EXPECT_EQ(v.major, c.expected.major);
  EXPECT_EQ(v.minor, c.expected.minor);
  EXPECT_EQ(v.release, c.expected.release);
  EXPECT_EQ(v.beta, c.expected.beta);
}

INSTANTIATE_TEST_SUITE_P(Files, ReadFileVersionTest, ::testing::ValuesIn(kVersionCases),
                         [](const ::testing::TestParamInfo<VersionCase>& info) { return info.param.name; });

TEST(ReadFileVersion, StandInProduct) {
  ScratchMachine machine;
  ASSERT_TRUE(machine.Ready());
  ReadFileVersion(emu::ToWindowsPath(PTV_STAND_IN_PRODUCT));
  const ProductVersion& v = TheSetupState().m_ver;
  EXPECT_EQ(v.major, 6);
  EXPECT_EQ(v.minor, 0);
  EXPECT_EQ(v.release, 2);
  EXPECT_EQ(v.beta, 1);
}

}  // namespace
}  // namespace discovery_tests
