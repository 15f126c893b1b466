// Temporary names, the machine's folders, and operations put off to the next restart.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "files_fixture.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace {

using namespace platform;

class TempTest : public BareMachineTest {};

TEST_F(TempTest, TemporaryNamesAreNewEmptyFiles) {
  EXPECT_EQ("C:\\users\\Tester\\Temp\\", TempFolder());
  EXPECT_EQ("C:\\windows", WindowsFolder());
  std::set<std::string> names;
  for (int i = 0; i < 3; ++i) {
    std::string name = MakeTempFileName(TempFolder(), "uninstall");
    EXPECT_TRUE(std::regex_match(name, std::regex(R"(C:\\users\\Tester\\Temp\\uni[0-9a-fA-F]{1,4}\.tmp)"))) << name;
    names.insert(name);
    std::string content = "not empty";
    ASSERT_TRUE(ReadWholeFile(name, content));
    EXPECT_EQ("", content);
  }
  EXPECT_EQ(3u, names.size());
  std::string plain = MakeTempFileName("C:\\users\\Tester\\Temp", "x");
  EXPECT_TRUE(std::regex_match(plain, std::regex(R"(C:\\users\\Tester\\Temp\\x[0-9a-fA-F]{1,4}\.tmp)"))) << plain;

  EXPECT_EQ("", MakeTempFileName("C:\\none", "abc"));
  EXPECT_EQ(kErrDirectory, LastError());
}

std::string PendingOperations() {
  RegKey key = nullptr;
  if (!OpenRegKey(RootKey(RegRoot::LocalMachine), "SYSTEM\\CurrentControlSet\\Control\\Session Manager", false,
                  key)) {
    return "<no key>";
  }
  std::uint32_t type = 0;
  std::uint32_t size = 4096;
  std::string data(size, '\0');
  bool ok = QueryRegValue(key, "PendingFileRenameOperations", &type, &data[0], &size);
  CloseRegKey(key);
  if (!ok || type != kRegMultiSz) return "<no value>";
  return data.substr(0, size);
}

TEST_F(TempTest, RestartOperationsGoToThePendingList) {
  MakeHostFile("users/Tester/a.txt");
  ASSERT_TRUE(MoveFileAtRestart("C:\\users\\Tester\\a.txt", "")) << LastError();
  ASSERT_TRUE(MoveFileAtRestart("c:/users/Tester/b.txt", "C:\\users\\Tester\\c.txt")) << LastError();
  // Source and target in pairs; an empty target deletes; an empty string ends the list.
  const char expected[] =
      "\\??\\C:\\users\\Tester\\a.txt\0\0"
      "\\??\\C:\\users\\Tester\\b.txt\0\\??\\C:\\users\\Tester\\c.txt\0";
  EXPECT_EQ(std::string(expected, sizeof expected), PendingOperations());

  ChangeSettings("user=Tester\nadministrator=0\n");
  EXPECT_FALSE(MoveFileAtRestart("C:\\users\\Tester\\a.txt", ""));
  EXPECT_EQ(kErrAccessDenied, LastError());
}

}  // namespace
