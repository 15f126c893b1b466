// Where a removal may reach: below the installation folder and the shell
// folders only.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uninstall/log_removal/removal_bounds.h"

namespace {

TEST(LiesBelow, OnlyNamesInsideTheFolderWithoutClimbingOut) {
  const std::string folder = "C:\\Program Files\\Pictavo 6";
  const struct {
    std::string path;
    bool below;
  } cases[] = {
      {"C:\\Program Files\\Pictavo 6\\Ptav6.exe", true},
      {"c:\\program files\\PICTAVO 6\\help\\a.htm", true},
      {"C:\\Program Files\\Pictavo 6/help/a.htm", true},
      {"C:\\Program Files\\Pictavo 6\\..\\Other\\x.exe", false},
      {"C:\\Program Files\\Pictavo 6\\help\\..\\..\\x", false},
      {"C:\\Program Files\\Pictavo 6\\.\\x", true},
      {"C:\\Program Files\\Pictavo 6\\. .\\x", false},
      {"C:\\Program Files\\Pictavo 6\\a\\C:\\x", false},
      {"C:\\Program Files\\Pictavo 6\\..", false},
      {"C:\\Program Files\\Pictavo 6", false},
      {"C:\\Program Files\\Pictavo 6\\", false},
      {"C:\\Program Files\\Pictavo 6\\\\x", false},
      {"C:\\Program Files\\Pictavo 60\\x", false},
      {"C:\\Program Files\\Pictavo", false},
      {"C:\\windows\\win.ini", false},
      {"", false},
      // A component that only begins with dots is a name like any other.
      {"C:\\Program Files\\Pictavo 6\\..data", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LiesBelow(c.path, folder), c.below) << c.path;
    EXPECT_EQ(LiesBelow(c.path, folder + "\\"), c.below) << c.path << " (folder with its backslash)";
  }
  EXPECT_FALSE(LiesBelow("C:\\x", ""));
  EXPECT_TRUE(LiesBelow("C:\\x", "C:\\"));
}

TEST(LiesBelowAny, AnyOfTheFoldersWillDo) {
  const std::vector<std::string> folders = {"C:\\users\\A\\Desktop", "C:\\Apps\\Pictavo 6\\"};
  EXPECT_TRUE(LiesBelowAny("C:\\users\\A\\Desktop\\Pictavo 6.lnk", folders));
  EXPECT_TRUE(LiesBelowAny("C:\\Apps\\Pictavo 6\\PtvUnInst.log", folders));
  EXPECT_FALSE(LiesBelowAny("C:\\users\\B\\Desktop\\Pictavo 6.lnk", folders));
  EXPECT_FALSE(LiesBelowAny("C:\\users\\A\\Desktop\\Pictavo 6.lnk", {}));
}

}  // namespace
