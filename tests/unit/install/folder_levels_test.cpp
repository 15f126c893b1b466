// Folder text taken apart into its levels: the group and destination
// folders, written with blanks, slashes and double-byte characters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ansi_code_page.h"
#include "discovery/join_path.h"
#include "install/folder_levels.h"

namespace {

using Parts = std::vector<std::string>;

TEST(FolderLevels, TrimmedAtBothEnds) {
  EXPECT_EQ(TrimFolderText("\\ Tools\\Pictavo 6 \t\r\n"), "Tools\\Pictavo 6");
  EXPECT_EQ(TrimFolderText("\\\\server\\share\\"), "server\\share");
  EXPECT_EQ(TrimFolderText(" \\ "), "");
  EXPECT_EQ(PartsBeforeBackslashes("Tools\\Capture\\Pictavo 6"), (Parts{"Tools", "Tools\\Capture"}));
  EXPECT_EQ(PartsBeforeBackslashes("C:\\Apps\\Pictavo 6"), (Parts{"C:", "C:\\Apps"}));
  EXPECT_EQ(PartsBeforeBackslashes("Pictavo 6"), Parts{});
  // A backslash at the very start is no level.
  EXPECT_EQ(PartsBeforeBackslashes("\\a\\b"), Parts{"\\a"});
}

TEST(FolderLevels, ATrailByteIsNoBackslash) {
  platform_tests::AnsiCodePage japanese(932);
  if (!japanese.Active()) GTEST_SKIP() << "the system does not run in code page 932";
  // 0x95 0x5C is one character whose second byte equals a backslash.
  const std::string hyo = "\x95\x5C";
  EXPECT_EQ(TrimFolderText("Tools\\" + hyo + " \\"), "Tools\\" + hyo);
  EXPECT_EQ(PartsBeforeBackslashes(hyo + "\\x\\" + hyo), (Parts{hyo, hyo + "\\x"}));
  EXPECT_EQ(JoinFolderAndName("C:\\" + hyo, "a.dll"), "C:\\" + hyo + "\\a.dll");
  EXPECT_EQ(JoinFolderAndName("C:\\" + hyo + "\\", "a.dll"), "C:\\" + hyo + "\\a.dll");
}

TEST(JoinFolderAndName, OneSeparatorBetweenThem) {
  EXPECT_EQ(JoinFolderAndName("C:\\pkg", "a.dll"), "C:\\pkg\\a.dll");
  EXPECT_EQ(JoinFolderAndName("C:\\pkg\\", "a.dll"), "C:\\pkg\\a.dll");
  EXPECT_EQ(JoinFolderAndName("C:/pkg/", "a.dll"), "C:/pkg/a.dll");
  EXPECT_EQ(JoinFolderAndName("", "a.dll"), "\\a.dll");
}

}  // namespace
