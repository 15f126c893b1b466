// A machine's state as lines: what changes between two snapshots is what
// was done to the machine in between, and nothing else.
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "machine_created_fixture.h"
#include "platform/files.h"

namespace {

std::vector<std::string> Snapshot() {
  std::vector<std::string> lines;
  std::string error;
  EXPECT_TRUE(emu::SnapshotMachine(lines, error)) << error;
  return lines;
}

std::vector<std::string> Added(std::vector<std::string> before, std::vector<std::string> after) {
  std::sort(before.begin(), before.end());
  std::sort(after.begin(), after.end());
  std::vector<std::string> added;
  std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
  return added;
}

TEST_F(CreatedMachineTest, SnapshotsDifferByWhatWasDone) {
  emu::MachineSettings settings;
  settings.userName = "Ann";
  settings.otherUsers = {"Ben"};
  Create(settings);
  const std::vector<std::string> before = Snapshot();
  EXPECT_TRUE(Snapshot() == before);

  ASSERT_TRUE(platform::CreateFolder("C:\\Apps"));
  ASSERT_TRUE(platform::WriteWholeFile("C:\\Apps\\a.txt", "abc"));
  emu::RegistryStore store = emu::RegistryStore::OfMachineInUse();
  std::string error;
  ASSERT_TRUE(store.Import("REGEDIT4\n\n[HKEY_USERS\\Ben\\Software\\T]\n\"Name\"=\"x\"\n\"N\"=dword:00000010\n", error))
      << error;
  ASSERT_TRUE(platform::MoveFileAtRestart("C:\\Apps\\a.txt", ""));

  const std::vector<std::string> added = Added(before, Snapshot());
  // The pending operation also brings its value in the Session Manager's key.
  EXPECT_EQ(added.size(), 7u);
  for (const std::string line :
       {"folder C:\\Apps", "key HKEY_USERS\\Ben\\Software\\T", "value HKEY_USERS\\Ben\\Software\\T \"Name\" = sz \"x\"",
        "value HKEY_USERS\\Ben\\Software\\T \"N\" = dword 16", "restart delete C:\\Apps\\a.txt"}) {
    EXPECT_NE(std::find(added.begin(), added.end(), line), added.end()) << line;
  }
  // The file names its size and content; the pending operations' value is there too.
  const auto file = std::find_if(added.begin(), added.end(), [](const std::string& line) {
    return line.rfind("file C:\\Apps\\a.txt (3 bytes, content ", 0) == 0;
  });
  EXPECT_NE(file, added.end());
  ASSERT_NE(file, added.end());
  const std::string firstContent = *file;
  ASSERT_TRUE(platform::WriteWholeFile("C:\\Apps\\a.txt", "abd"));
  const std::vector<std::string> changed = Added(before, Snapshot());
  EXPECT_EQ(std::find(changed.begin(), changed.end(), firstContent), changed.end());
  EXPECT_EQ(changed.size(), 7u);
}

}  // namespace
