// A machine created with another Windows folder (C:\WINNT, D:\Windows) has
// it everywhere: code that takes C:\windows for granted shows up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "machine_created_fixture.h"
#include "platform/emulated/machine/restart.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/profile.h"

namespace {

class WindowsFolderTest : public CreatedMachineTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    CreatedMachineTest::SetUp();
    emu::MachineSettings settings;
    settings.windowsFolder = GetParam();
    settings.administrator = false;
    Create(settings);
  }
  bool IsFolder(const std::string& windowsPath) {
    std::string host;
    return emu::ToHostPath(windowsPath, host) && IsHostFolder(host);
  }
};

TEST_P(WindowsFolderTest, TheMachineHasItsWindowsFolderEverywhere) {
  const std::string windows = GetParam();
  EXPECT_EQ(platform::WindowsFolder(), windows);
  EXPECT_EQ(emu::SystemFolder(), windows + "\\system32");
  EXPECT_TRUE(IsFolder(emu::SystemFolder()));
  EXPECT_TRUE(IsFolder(windows + "\\Temp"));
  EXPECT_FALSE(IsFolder("C:\\windows"));
  const std::string currentVersion = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  EXPECT_EQ(ReadString(platform::RegRoot::LocalMachine, currentVersion, "SystemRoot"), windows);

  // A standard user can't write there, wherever it is.
  EXPECT_FALSE(platform::WriteWholeFile(windows + "\\setup.log", "x"));
  EXPECT_EQ(platform::LastError(), platform::kErrAccessDenied);
  EXPECT_TRUE(platform::WriteWholeFile("C:\\users\\User\\setup.log", "x"));

  // WININIT.INI named without a folder lives there, and the restart carries it out from there.
  std::ofstream(machine_ + "/machine.ini", std::ios::app) << "administrator=1\n";
  emu::UseMachine(machine_);
  ASSERT_TRUE(platform::WriteWholeFile("C:\\old.txt", "x"));
  const char entries[] = "NUL=C:\\old.txt\0";
  ASSERT_TRUE(platform::WriteSettingsSection("rename", entries, "WININIT.INI")) << platform::LastError();
  EXPECT_TRUE(platform::PathExists(windows + "\\WININIT.INI"));
  std::vector<std::string> done;
  std::string error;
  ASSERT_TRUE(emu::CarryOutRestartOperations(done, error)) << error;
  EXPECT_EQ(done, std::vector<std::string>{"deleted C:\\old.txt"});
}

INSTANTIATE_TEST_SUITE_P(Folders, WindowsFolderTest, ::testing::Values("C:\\WINNT", "D:\\Windows"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param).substr(0, 1) + "_" + std::string(info.param).substr(3);
                         });

}  // namespace
