// The decisions of the setup flow on plain values: the options of a new
// installation, the version number, the query of HomePage.url, the page
// opened afterwards and how the product is started.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/install_options.h"
#include "app/post_installation.h"

namespace {

using Args = std::vector<std::string>;

struct OptionsCase {
  const char* name;
  Args args;  // the program first
  std::string parentFolder;
  bool runAfter, allUsers, autoStart, noDesktopIcon;
};

TEST(NewInstallOptions, FolderAndSwitches) {
  // The folders that exist for these cases.
  const std::set<std::string> existing = {"D:\\Tools\\", "D:\\Tools", "E:/Apps/", "-allusers"};
  const auto exists = [&](const std::string& path) { return existing.count(path) != 0; };
  const OptionsCase cases[] = {
      {"trailing backslash dropped", {"setup.exe", "-instdir", "D:\\Tools\\"}, "D:\\Tools", false, false, false, false},
      {"trailing slash dropped", {"setup.exe", "-instdir", "E:/Apps/"}, "E:/Apps", false, false, false, false},
      {"missing folder dropped", {"setup.exe", "-instdir", "D:\\Nowhere"}, "", false, false, false, false},
      {"last argument has no folder", {"setup.exe", "-runafter", "-instdir"}, "", true, false, false, false},
      {"other case is no option", {"setup.exe", "-INSTDIR", "D:\\Tools"}, "", false, false, false, false},
      // "-runafter" is no folder, so the default stays, and it counts as an option.
      {"folder that is an option", {"setup.exe", "-instdir", "-runafter"}, "", true, false, false, false},
      // A folder named like an option exists here: taken, and read as the option too.
      {"folder argument is looked at again", {"setup.exe", "-instdir", "-allusers"}, "-allusers", false, true, false,
       false},
      {"switches in any case", {"setup.exe", "-RunAfter", "-ALLUSERS", "-autoStart", "-NoDeskIco"}, "", true, true,
       true, true},
      {"the program itself is no option", {"-runafter"}, "", false, false, false, false},
      {"later folder wins", {"setup.exe", "-instdir", "D:\\Tools", "-instdir", "E:/Apps/"}, "E:/Apps", false, false,
       false, false},
      {"unknown arguments passed over", {"setup.exe", "-s", "/allusers", "x"}, "", false, false, false, false},
  };
  for (const OptionsCase& c : cases) {
    SCOPED_TRACE(c.name);
    const NewInstallOptions options = ReadNewInstallOptions(c.args, exists);
    EXPECT_EQ(options.parentFolder, c.parentFolder);
    EXPECT_EQ(options.runAfter, c.runAfter);
    EXPECT_EQ(options.allUsers, c.allUsers);
    EXPECT_EQ(options.autoStart, c.autoStart);
    EXPECT_EQ(options.noDesktopIcon, c.noDesktopIcon);
  }
}

TEST(VersionNumber, WeighsThePartsAndComparesUnsigned) {
  EXPECT_EQ(VersionNumber({6, 0, 2, 1}), 6000201u);
  EXPECT_LT(VersionNumber({6, 0, 2, 1}), VersionNumber({6, 0, 3, 0}));
  EXPECT_LT(VersionNumber({5, 99, 99, 99}), VersionNumber({6, 0, 0, 0}));
  // A part of 100 or more carries into the next one up, as the sum has it.
  EXPECT_EQ(VersionNumber({6, 0, 1, 100}), VersionNumber({6, 0, 2, 0}));
  // 32-bit arithmetic: a large major wraps around, and the comparison is unsigned.
  EXPECT_EQ(VersionNumber({5000, 0, 0, 0}), 5000000000u & 0xFFFFFFFFu);
  EXPECT_LT(VersionNumber({0, 0, 0, 0}), VersionNumber({4000, 0, 0, 0}));
}

TEST(HomePageQuery, TheUrlLineWithItsQuery) {
  const struct {
    const char* content;
    const char* query;
  } cases[] = {
      {"[InternetShortcut]\r\nURL=http://www.lumetra.com/pvst/index.asp?id=7\r\n", "?id=7"},
      {"[InternetShortcut]\nURL=http://www.lumetra.com/?a=1?b=2\n", "?a=1?b=2"},
      {"[InternetShortcut]\r\nURL=http://www.lumetra.com/pvst/index.asp\r\n", ""},
      // Only the first line that begins so counts, with or without a query.
      {"URL=http://x/\r\nURL=http://y/?late=1\r\n", ""},
      {"URL=https://x/?no=1\r\nURL=http://y/?yes=1", "?yes=1"},
      {" URL=http://x/?indented=1\r\n", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(HomePageQuery(c.content), c.query) << c.content;
  // A line longer than the 260-byte buffer: its query ends with the first piece.
  const std::string longLine = "URL=http://x/?" + std::string(300, 'q') + "\r\n";
  EXPECT_EQ(HomePageQuery(longLine), "?" + std::string(259 - 14, 'q'));
}

TEST(PostInstallationPage, UpgradeNewWithAndWithoutQuery) {
  EXPECT_EQ(PostInstallationPage(true, "?id=7"), "http://www.lumetra.com/pvst/installed.asp");
  EXPECT_EQ(PostInstallationPage(false, "?id=7"), "http://www.lumetra.com/pvst/InstScript.asp?id=7");
  EXPECT_EQ(PostInstallationPage(false, ""), "http://www.lumetra.com/pvst/installed.asp");
}

TEST(ProductCommandLine, QuotesTheProgramPath) {
  EXPECT_EQ(ProductCommandLine("C:\\Program Files\\Pictavo 6"), "\"C:\\Program Files\\Pictavo 6\\Ptav6.exe\"");
}

}  // namespace
