// Temporary names, the machine's folders, and operations put off to the next restart.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

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

  // A system without the facility, like the 9x family: only WININIT.INI is left.
  ChangeSettings("user=Tester\nadministrator=1\npending_renames=0\n");
  EXPECT_FALSE(MoveFileAtRestart("C:\\users\\Tester\\a.txt", ""));
  EXPECT_EQ(kErrCallNotImplemented, LastError());
  EXPECT_EQ(std::string(expected, sizeof expected), PendingOperations());
}

// Programs that schedule operations at the same time lose none of them.
TEST_F(TempTest, RestartOperationsFromProcessesAtOnceAreAllKept) {
  constexpr int kEach = 40;
  const char series[2] = {'a', 'b'};
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) {
      for (int i = 0; i < kEach; ++i) {
        if (!MoveFileAtRestart("C:\\" + std::string(1, series[c]) + std::to_string(i), "")) _exit(1);
      }
      _exit(0);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  // Each source is followed by its empty target; each process's entries keep their order.
  std::string pending = PendingOperations();
  int next[2] = {0, 0};
  std::size_t at = 0;
  while (at < pending.size() && pending[at] != '\0') {
    std::size_t end = pending.find('\0', at);
    ASSERT_NE(std::string::npos, end);
    const std::string source = pending.substr(at, end - at);
    ASSERT_TRUE(source.size() > 7 && (source[7] == 'a' || source[7] == 'b')) << source;
    const int c = source[7] - 'a';
    EXPECT_EQ("\\??\\C:\\" + std::string(1, series[c]) + std::to_string(next[c]), source);
    ++next[c];
    ASSERT_EQ('\0', pending[end + 1]) << source;
    at = end + 2;
  }
  EXPECT_EQ(kEach, next[0]);
  EXPECT_EQ(kEach, next[1]);
}

}  // namespace
