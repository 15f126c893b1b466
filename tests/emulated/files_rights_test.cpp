// A standard user (administrator=0) can't write the Windows, Program Files or
// all-users Start-menu folders, nor schedule operations for the next restart.
#include <gtest/gtest.h>

#include <functional>

#include "files_fixture.h"
#include "platform/errors.h"
#include "platform/files.h"

namespace {

using namespace platform;

class RightsTest : public BareMachineTest {
 protected:
  void SetUp() override {
    BareMachineTest::SetUp();
    MakeHostFolder("Program Files/Lumetra");
    MakeHostFile("Program Files/Lumetra/old.dll", "old");
    MakeHostFolder("ProgramData/Microsoft/Windows/Start Menu/Programs/Empty");
    MakeHostFile("windows/system.ini", "sys");
    MakeHostFile("Program Files/Lumetra/delete.me");
    MakeHostFile("users/Tester/file.txt", "mine");
  }

  struct Case {
    const char* what;
    std::function<bool()> call;
  };
  static std::vector<Case> WritesToProtectedFolders() {
    return {
        {"create folder", [] { return CreateFolder("C:\\program files\\Pictavo"); }},
        {"create a Start-menu group",
         [] { return CreateFolder("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Pictavo 6"); }},
        {"copy into", [] { return CopyFileTo("C:\\users\\Tester\\file.txt", "C:\\Program Files\\x.txt", false); }},
        {"copy onto", [] { return CopyFileTo("C:\\users\\Tester\\file.txt", "C:\\Program Files\\Lumetra\\old.dll", false); }},
        {"write", [] { return WriteWholeFile("C:\\WINDOWS\\wininit.ini", "[rename]\r\n"); }},
        {"append", [] { return AppendToFile("C:\\windows\\system.ini", "x"); }},
        {"set attributes", [] { return SetAttributes("C:\\Program Files\\Lumetra\\old.dll", kAttrHidden); }},
        {"move out of", [] { return MoveFileTo("C:\\Program Files\\Lumetra\\old.dll", "C:\\users\\Tester\\old.dll"); }},
        {"move into", [] { return MoveFileTo("C:\\users\\Tester\\file.txt", "C:\\Program Files\\old.dll"); }},
        {"delete", [] { return DeleteFileAt("C:\\Program Files\\Lumetra\\delete.me"); }},
        {"remove folder", [] { return RemoveFolder("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Empty"); }},
        {"temporary file", [] { return !MakeTempFileName("C:\\windows", "abc").empty(); }},
        {"through drive Z:", [] { return false; }},  // replaced in the test with the host path
        {"schedule at restart", [] { return MoveFileAtRestart("C:\\users\\Tester\\file.txt", ""); }},
    };
  }
};

TEST_F(RightsTest, StandardUserIsDeniedAndAdministratorIsNot) {
  ChangeSettings("user=Tester\nadministrator=0\n");
  std::string viaZ = "Z:" + Host("Program Files/viaZ");
  for (Case& c : WritesToProtectedFolders()) {
    if (std::string(c.what) == "through drive Z:") c.call = [viaZ] { return CreateFolder(viaZ); };
    SetLastError(kErrNone);
    EXPECT_FALSE(c.call()) << c.what;
    EXPECT_EQ(kErrAccessDenied, LastError()) << c.what;
  }
  EXPECT_EQ("old", HostContent(Host("Program Files/Lumetra/old.dll")));
  EXPECT_TRUE(HostExists(Host("ProgramData/Microsoft/Windows/Start Menu/Programs/Empty")));

  // Reading is allowed, and so is everything in the user's own folders.
  std::string content;
  EXPECT_TRUE(ReadWholeFile("C:\\Program Files\\Lumetra\\old.dll", content));
  EXPECT_NE(kInvalidAttributes, GetAttributes("C:\\windows\\system.ini"));
  EXPECT_TRUE(CreateFolder("C:\\users\\Tester\\Pictavo"));
  EXPECT_TRUE(CopyFileTo("C:\\users\\Tester\\file.txt", "C:\\users\\Tester\\Pictavo\\f.txt", true));
  EXPECT_TRUE(CreateFolder("C:\\Program Files Extra"));  // a name that only starts the same

  ChangeSettings("user=Tester\nadministrator=1\n");
  for (Case& c : WritesToProtectedFolders()) {
    if (std::string(c.what) == "schedule at restart" || std::string(c.what) == "through drive Z:") continue;
    EXPECT_TRUE(c.call()) << c.what << " error " << LastError();
  }
}

}  // namespace
