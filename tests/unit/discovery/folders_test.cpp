// The installed folder, the default folder, the running program's folder and
// the parent folder of a path.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "discovery/folder_of_path.h"
#include "discovery/installed_folders.h"
#include "discovery/registry_access.h"
#include "discovery/registry_keys.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "scratch_machine.h"

namespace discovery_tests {
namespace {

using platform::RegRoot;

void RemoveValue(const char* keyPath, const char* valueName) {
  platform::RegKey key = nullptr;
  if (!platform::OpenRegKey(platform::RootKey(RegRoot::LocalMachine), keyPath, true, key)) return;
  platform::DeleteRegValue(key, valueName);
  platform::CloseRegKey(key);
}

// nullptr: the value is not there.
struct InstalledCase {
  const char* name;
  const char* path;
  const char* appPath;
  std::string expected;
};

const InstalledCase kInstalledCases[] = {
    {"path", "D:\\Apps\\Pictavo 6", nullptr, "D:\\Apps\\Pictavo 6"},
    {"path_trailing_backslash", "D:\\Apps\\Pictavo 6\\", nullptr, "D:\\Apps\\Pictavo 6"},
    {"path_drive_root", "D:\\", nullptr, "D:"},
    {"path_before_app_path", "D:\\Apps\\Pictavo 6", "C:\\Program Files\\Pictavo 6\\Ptav6.exe",
     "D:\\Apps\\Pictavo 6"},
    {"app_path", nullptr, "C:\\Program Files\\Pictavo 6\\Ptav6.exe", "C:\\Program Files\\Pictavo 6"},
    {"empty_path_then_app_path", "", "C:\\Program Files\\Pictavo 6\\Ptav6.exe", "C:\\Program Files\\Pictavo 6"},
    {"app_path_short_name_in_capitals", nullptr, "C:\\PROGRA~1\\PICTAV~1\\PTAV6.EXE", ""},
    {"app_path_other_program", nullptr, "C:\\Program Files\\Pictavo 6\\Ptav5.exe", ""},
    {"app_path_at_drive_root", nullptr, "C:\\Ptav6.exe", "C:"},
    {"nothing_registered", nullptr, nullptr, ""},
};

void PrintTo(const InstalledCase& c, std::ostream* os) { *os << c.name; }

class FindInstalledFolderTest : public ::testing::TestWithParam<InstalledCase> {};

TEST_P(FindInstalledFolderTest, PathValueThenAppPath) {
  const InstalledCase& c = GetParam();
  ScratchMachine machine;
  ASSERT_TRUE(machine.Ready());
  if (c.path) {
    ASSERT_TRUE(WriteRegistryString(RegRoot::LocalMachine, kProductKey, "Path", c.path));
  }
  if (c.appPath) {
    ASSERT_TRUE(WriteRegistryString(RegRoot::LocalMachine, kProductAppPathKey, "", c.appPath));
  }
  EXPECT_EQ(FindInstalledFolder(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Registry, FindInstalledFolderTest, ::testing::ValuesIn(kInstalledCases),
                         [](const ::testing::TestParamInfo<InstalledCase>& info) { return info.param.name; });

TEST(DefaultProgramFilesFolder, TakesTheRegisteredFolder) {
  ScratchMachine machine;
  ASSERT_TRUE(machine.Ready());
  ASSERT_TRUE(WriteRegistryString(RegRoot::LocalMachine, kCurrentVersionKey, "ProgramFilesDir", "D:\\Programs\\"));
  EXPECT_EQ(DefaultProgramFilesFolder(), "D:\\Programs");
}

TEST(DefaultProgramFilesFolder, WithoutTheValueUsesTheWindowsDrive) {
  ScratchMachine machine;
  ASSERT_TRUE(machine.Ready());
  RemoveValue(kCurrentVersionKey, "ProgramFilesDir");
  ASSERT_EQ(platform::WindowsFolder().substr(0, 3), "C:\\");
  EXPECT_EQ(DefaultProgramFilesFolder(), "C:\\Program Files");
}

// Double-byte test text in code page 932: 0x95 0x5C is one character whose
// second byte has the code of a backslash.
const std::string kHyo = "\x95\x5C";

struct ProgramCase {
  const char* name;
  unsigned codePage;
  std::string program;
  std::string expected;
};

const ProgramCase kProgramCases[] = {
    {"package_folder", 1252, "C:\\Package\\setup.exe", "C:\\Package"},
    {"drive_root", 1252, "D:\\setup.exe", "D:"},
    {"double_byte_name", 932, "C:\\Package\\" + kHyo + ".exe", "C:\\Package"},
    {"double_byte_folder", 932, "C:\\Package\\" + kHyo + "\\setup.exe", "C:\\Package\\" + kHyo},
    // In a single-byte code page the same bytes hold a real backslash.
    {"same_bytes_single_byte", 1252, "C:\\Package\\" + kHyo + ".exe", "C:\\Package\\\x95"},
    // The program path comes cut to 259 bytes, here inside "Package".
    {"path_past_max_path", 1252, "C:\\" + std::string(250, 'f') + "\\Package\\setup.exe",
     "C:\\" + std::string(250, 'f')},
};

void PrintTo(const ProgramCase& c, std::ostream* os) { *os << c.name; }

class SourceFolderTest : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(SourceFolderTest, FolderBeforeTheLastBackslash) {
  const ProgramCase& c = GetParam();
  ScratchMachine machine(c.codePage);
  ASSERT_TRUE(machine.Ready());
  // The emulated process learns its own program path from the environment.
  ASSERT_EQ(setenv("PTV_PROGRAM", c.program.c_str(), 1), 0);
  EXPECT_EQ(SourceFolder(), c.expected);
  unsetenv("PTV_PROGRAM");
}

INSTANTIATE_TEST_SUITE_P(Programs, SourceFolderTest, ::testing::ValuesIn(kProgramCases),
                         [](const ::testing::TestParamInfo<ProgramCase>& info) { return info.param.name; });

struct PathCase {
  unsigned codePage;
  std::string path;
  std::string expected;
};

const PathCase kPathCases[] = {
    {1252, "C:\\A\\B\\x.lnk", "C:\\A\\B"},
    {1252, "C:\\A\\B\\", "C:\\A"},
    {1252, "C:\\A", "C:"},
    {1252, "C:\\", ""},
    {1252, "C:", ""},
    {1252, "\\A", ""},
    {1252, "\\A\\B", "\\A"},
    {1252, "", ""},
    {1252, "Tools\\Pictavo 6\\Pictavo 6.lnk", "Tools\\Pictavo 6"},
    {1252, "Pictavo 6.lnk", ""},
    // A trail byte that looks like a backslash is neither the last backslash
    // nor a trailing one.
    {932, "C:\\A\\" + kHyo, "C:\\A"},
    {932, "C:\\A\\" + kHyo + "\\x.lnk", "C:\\A\\" + kHyo},
    {932, "C:\\" + kHyo + "\\", "C:"},
    {932, kHyo + "\\x.lnk", kHyo},
    {932, "C:" + kHyo, ""},
    {1252, "C:\\A\\" + kHyo, "C:\\A"},
    {1252, "C:\\A\\" + kHyo + "\\x.lnk", "C:\\A\\" + kHyo},
    {932, "C:\\" + kHyo + "x", "C:"},
    {1252, "C:\\" + kHyo + "x", "C:\\\x95"},
};

void PrintTo(const PathCase& c, std::ostream* os) {
  *os << "code page " << c.codePage << ", path " << ::testing::PrintToString(c.path);
}

class FolderOfPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(FolderOfPathTest, ParentFolder) {
  const PathCase& c = GetParam();
  ScratchMachine machine(c.codePage);
  ASSERT_TRUE(machine.Ready());
  EXPECT_EQ(FolderOfPath(c.path), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, FolderOfPathTest, ::testing::ValuesIn(kPathCases));

}  // namespace
}  // namespace discovery_tests
