// A program that uses a machine in its own process, without a current
// folder given, starts in C:\ of the machine: the uninstaller deletes what
// its log names, and a relative name, a rooted one or one built from an
// empty folder must never reach the host's files.
#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "machine_created_fixture.h"
#include "platform/errors.h"
#include "platform/files.h"

namespace {

class HostSafetyTest : public CreatedMachineTest {
 protected:
  void SetUp() override {
    CreatedMachineTest::SetUp();
    Create();
    // The host folder the test process stands in, with the files an
    // uninstaller would delete.
    hostFolder_ = root_ + "/host";
    std::filesystem::create_directories(hostFolder_ + "/Empty");
    for (const char* name : kSentinels) std::ofstream(hostFolder_ + "/" + name) << "host file";
    char current[PATH_MAX];
    ASSERT_NE(getcwd(current, sizeof current), nullptr);
    previousFolder_ = current;
    ASSERT_EQ(chdir(hostFolder_.c_str()), 0);
    // A process of its own: no current folder from the environment, none set yet.
    unsetenv("PTV_CURRENT_FOLDER");
    emu::UseMachine(machine_);
  }
  void TearDown() override {
    if (!previousFolder_.empty()) {
      EXPECT_EQ(chdir(previousFolder_.c_str()), 0);
    }
    CreatedMachineTest::TearDown();
  }

  static bool HostExists(const std::string& path) { return std::filesystem::exists(path); }

  static constexpr const char* kSentinels[] = {"PtvUnInst.log", "Ptav6.exe", "readme.txt"};
  std::string hostFolder_;
  std::string previousFolder_;
};

TEST_F(HostSafetyTest, RelativeRootedAndEmptyFolderNamesStayInTheMachine) {
  EXPECT_EQ(platform::CurrentFolder(), "C:\\");
  const std::string emptyFolder;
  const std::string names[] = {
      "PtvUnInst.log",                      // relative
      ".\\Ptav6.exe",                       // relative, with a dot
      "..\\host\\readme.txt",                // climbing out of the current folder
      "\\PtvUnInst.log",                    // rooted
      emptyFolder + "\\" + "Ptav6.exe",     // a folder read as "" joined with a name
      emptyFolder + "readme.txt",
  };
  for (const std::string& name : names) platform::DeleteFileAt(name);
  platform::RemoveFolder("Empty");
  platform::RemoveFolder(emptyFolder + "\\Empty");
  platform::FindData found;
  if (platform::FindHandle find = platform::FindFirst("*.*", found)) {
    do {
      platform::DeleteFileAt(found.name);
    } while (platform::FindNext(find, found));
    platform::FindClose(find);
  }

  for (const char* name : kSentinels) EXPECT_TRUE(HostExists(hostFolder_ + "/" + name)) << name;
  EXPECT_TRUE(IsHostFolder(hostFolder_ + "/Empty"));

  // The same names reach the machine's own files.
  std::ofstream(machine_ + "/drives/c/PtvUnInst.log") << "machine file";
  EXPECT_TRUE(platform::DeleteFileAt("\\PtvUnInst.log")) << platform::LastError();
  EXPECT_FALSE(HostExists(machine_ + "/drives/c/PtvUnInst.log"));
  std::string host;
  ASSERT_TRUE(emu::ToHostPath("PtvUnInst.log", host));
  EXPECT_EQ(host, machine_ + "/drives/c/PtvUnInst.log");
}

}  // namespace
