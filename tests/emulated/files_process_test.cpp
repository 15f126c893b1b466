// The running process as a program of the machine sees itself.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "files_fixture.h"
#include "platform/process.h"

namespace {

using namespace platform;

class ProcessTest : public BareMachineTest {
 protected:
  void TearDown() override {
    unsetenv("PTV_PROGRAM");
    unsetenv("PTV_COMMAND_LINE");
    unsetenv("PtvTestVariable");
    BareMachineTest::TearDown();
  }
};

TEST_F(ProcessTest, ProgramAndCommandLineComeFromTheEnvironmentOrTheHost) {
  unsetenv("PTV_PROGRAM");
  unsetenv("PTV_COMMAND_LINE");
  char exe[4096];
  ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  ASSERT_GT(n, 0);
  EXPECT_EQ(emu::ToWindowsPath(std::string(exe, n)), ProgramPath());
  EXPECT_EQ(0u, ProgramPath().find("Z:\\"));
  EXPECT_FALSE(CommandLine().empty());

  setenv("PTV_PROGRAM", "C:\\Program Files\\Lumetra\\Setup.exe", 1);
  setenv("PTV_COMMAND_LINE", "\"C:\\Program Files\\Lumetra\\Setup.exe\" -s", 1);
  EXPECT_EQ("C:\\Program Files\\Lumetra\\Setup.exe", ProgramPath());
  EXPECT_EQ("\"C:\\Program Files\\Lumetra\\Setup.exe\" -s", CommandLine());
}

TEST_F(ProcessTest, VariablesAreFoundWithoutRegardToCase) {
  setenv("PtvTestVariable", "", 1);
  bool found = false;
  EXPECT_EQ("", EnvironmentVariable("PTVTESTVARIABLE", &found));
  EXPECT_TRUE(found);
  setenv("PtvTestVariable", "value", 1);
  EXPECT_EQ("value", EnvironmentVariable("ptvtestvariable", &found));
  EXPECT_TRUE(found);
  EXPECT_EQ("", EnvironmentVariable("PtvNoSuchVariable", &found));
  EXPECT_FALSE(found);
}

}  // namespace
