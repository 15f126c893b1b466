// Hive files shared by processes: a writer killed at any moment leaves a
// whole hive, and writers at the same time lose nothing.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <thread>

#include "registry_fixture.h"

namespace {

using platform::RegKey;
using platform::RegRoot;

std::string ValueName(char series, int index) {
  char name[16];
  std::snprintf(name, sizeof name, "%c%05d", series, index);
  return name;
}

// In a child process: writes values `series`first.. to the key, as REG_DWORD
// holding their index, until `last` (or for ever when last < 0).
[[noreturn]] void WriteValues(const std::string& keyPath, char series, int first, int last) {
  RegKey key = nullptr;
  if (!platform::CreateRegKey(platform::RootKey(RegRoot::LocalMachine), keyPath, key)) _exit(2);
  for (int i = first; last < 0 || i <= last; ++i) {
    std::uint32_t data = static_cast<std::uint32_t>(i);
    if (!platform::SetRegValue(key, ValueName(series, i), platform::kRegDword, &data, sizeof data)) _exit(3);
  }
  _exit(0);
}

std::string Dword(int value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xff);
  return bytes;
}

TEST_F(RegistryTest, WriterKilledMidWriteLeavesAWholeHive) {
  std::mt19937 random(12345);
  int written = 0;  // values v00000.. that the hive holds so far
  for (int round = 0; round < 8; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) WriteValues("SOFTWARE\\Killed", 'v', written, -1);
    std::this_thread::sleep_for(std::chrono::microseconds(2000 + random() % 30000));
    ASSERT_EQ(kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself with " << status;

    // The file parses and holds v00000..v(n-1), each with its own number.
    SCOPED_TRACE("round " + std::to_string(round));
    if (!std::filesystem::exists(MachineHivePath())) {
      ASSERT_EQ(written, 0);  // killed before its first write
      continue;
    }
    emu::RegNode root = ParseFile(MachineHivePath(), "HKEY_LOCAL_MACHINE");
    const emu::RegNode* key = emu::FindRegKey(root, {"SOFTWARE", "Killed"});
    if (key == nullptr) {
      ASSERT_EQ(written, 0);
      continue;
    }
    ASSERT_GE(static_cast<int>(key->values.size()), written);
    for (std::size_t i = 0; i < key->values.size(); ++i) {
      ASSERT_EQ(key->values[i].name, ValueName('v', static_cast<int>(i)));
      ASSERT_EQ(key->values[i].data, Dword(static_cast<int>(i)));
    }
    written = static_cast<int>(key->values.size());
  }
  EXPECT_GT(written, 0);
}

TEST_F(RegistryTest, WritersAtTheSameTimeLoseNothing) {
  constexpr int kEach = 60;
  RegKey key = Create(RegRoot::LocalMachine, "SOFTWARE\\Both");
  EXPECT_EQ(Query(key, ValueName('a', 0)), "<error 2>");  // this process now holds the hive parsed

  pid_t children[2];
  const char series[2] = {'a', 'b'};
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) WriteValues("SOFTWARE\\Both", series[c], 0, kEach - 1);
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }

  for (char s : series) {
    for (int i = 0; i < kEach; ++i) EXPECT_EQ(Query(key, ValueName(s, i)), Dword(i)) << ValueName(s, i);
  }
  platform::CloseRegKey(key);
}

}  // namespace
