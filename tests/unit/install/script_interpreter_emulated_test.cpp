// The install script on emulated machines of other kinds: 64-bit Windows,
// and libraries in each folder of the library search.
#include <gtest/gtest.h>

#include <string>

#include "install/script_interpreter.h"
#include "install/wow64.h"
#include "platform/emulated/machine/machine.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "state/setup_state.h"
#include "temporary_machine.h"

namespace install_tests {
namespace {

std::string Content(const std::string& path) {
  std::string content;
  return platform::ReadWholeFile(path, content) ? content : "<missing>";
}

class EmulatedScriptTest : public ::testing::Test {
 protected:
  void Start(bool windows64) {
    emu::MachineSettings settings;
    settings.windows64 = windows64;
    machine_ = std::make_unique<test_support::TemporaryMachine>(settings);
    ASSERT_TRUE(machine_->Ready());
    TheSetupState() = SetupState();
    TheSetupState().m_strSrcDir = "C:\\pkg";
    TheSetupState().m_strInstDir = "C:\\inst";
    ASSERT_TRUE(platform::CreateFolder("C:\\pkg"));
  }
  void TearDown() override { TheSetupState() = SetupState(); }
  void Put(const std::string& path, const std::string& content) {
    ASSERT_TRUE(platform::WriteWholeFile(path, content)) << path;
  }
  std::unique_ptr<test_support::TemporaryMachine> machine_;
};

TEST_F(EmulatedScriptTest, A64BitLineReplacesThe32BitFileUnderWow64) {
  for (bool windows64 : {false, true}) {
    SCOPED_TRACE(windows64 ? "64-bit Windows" : "32-bit Windows");
    Start(windows64);
    EXPECT_EQ(IsRunningUnderWow64(), windows64);
    Put("C:\\pkg\\hook.dll", "32-bit");
    Put("C:\\pkg\\hook64.dll", "64-bit");
    Put("C:\\pkg\\PtvUnInst.log", "File Copy: hook.dll\r\nFile Copy x64: hook64.dll > hook.dll\r\nFile Copy x64: hook64.dll\r\n");
    RunInstallScript("C:\\pkg\\PtvUnInst.log");
    EXPECT_EQ(Content("C:\\inst\\hook.dll"), windows64 ? "64-bit" : "32-bit");
    EXPECT_EQ(platform::PathExists("C:\\inst\\hook64.dll"), windows64);
  }
}

TEST_F(EmulatedScriptTest, ALibraryInAnyFolderOfTheSearchIsFound) {
  Start(false);
  ASSERT_TRUE(platform::CreateFolder("C:\\tools") && platform::CreateFolder("C:\\work"));
  Put("C:\\windows\\inwindows.dll", "");
  Put("C:\\work\\incurrent.dll", "");
  Put("C:\\tools\\inpath.dll", "");
  // The system's PATH names C:\tools as well.
  platform::RegKey key = nullptr;
  ASSERT_TRUE(platform::CreateRegKey(platform::RootKey(platform::RegRoot::LocalMachine),
                                     "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment", key));
  const std::string path = "C:\\windows\\system32;C:\\windows;C:\\tools";
  ASSERT_TRUE(platform::SetRegValue(key, "Path", platform::kRegExpandSz, path.c_str(),
                                    static_cast<std::uint32_t>(path.size() + 1)));
  platform::CloseRegKey(key);
  ASSERT_TRUE(platform::SetCurrentFolder("C:\\work"));
  std::string script;
  for (const char* name : {"kernel32.dll", "inwindows.dll", "incurrent.dll", "inpath.dll", "innone.dll"}) {
    Put(std::string("C:\\pkg\\") + name, "shipped");
    script += std::string("File Copy ind: ") + name + "\r\n";
  }
  Put("C:\\pkg\\PtvUnInst.log", script);
  RunInstallScript("C:\\pkg\\PtvUnInst.log");
  for (const char* name : {"kernel32.dll", "inwindows.dll", "incurrent.dll", "inpath.dll"}) {
    EXPECT_FALSE(platform::PathExists(std::string("C:\\inst\\") + name)) << name;
  }
  EXPECT_EQ(Content("C:\\inst\\innone.dll"), "shipped");
}

}  // namespace
}  // namespace install_tests
