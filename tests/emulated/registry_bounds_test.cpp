// What the registry refuses: key names that would name host files, users
// that the machine does not have, and keys, names and nesting beyond
// Windows' limits.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "machine_created_fixture.h"
#include "platform/emulated/machine/registry.h"
#include "platform/errors.h"
#include "platform/registry.h"

namespace {

using platform::RegKey;
using platform::RegRoot;
using platform::RootKey;
using std::string;

class RegistryBoundsTest : public CreatedMachineTest {
 protected:
  void SetUp() override {
    CreatedMachineTest::SetUp();
    Create();
  }

  // Every file below the test's own folder, the machine included.
  std::set<string> FilesBelowRoot() const {
    std::set<string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root_)) {
      const string path = entry.path().string();
      // Lock files come and go with every write; they name no key.
      if (entry.is_regular_file() && path.compare(path.size() - 5, 5, ".lock") != 0) files.insert(path);
    }
    return files;
  }
};

// HKEY_USERS holds the machine's users and nothing else: a subkey that
// names no user is neither opened nor created, and no name, whatever it
// holds, reaches a host path.
TEST_F(RegistryBoundsTest, UsersHoldOnlyTheMachinesUsers) {
  const std::set<string> before = FilesBelowRoot();
  const char* const kNames[] = {
      "../../../escaped", "..\\..\\escaped", "NoSuchUser\\Software", "NoSuchUser", "a/b\\Software",
      "C:\\Software",     ".\\Software",      "User/..\\Software",   "..",
  };
  for (const char* name : kNames) {
    RegKey key = nullptr;
    EXPECT_FALSE(platform::CreateRegKey(RootKey(RegRoot::Users), name, key)) << name;
    EXPECT_EQ(platform::LastError(), platform::kErrAccessDenied) << name;
    EXPECT_FALSE(platform::OpenRegKey(RootKey(RegRoot::Users), name, false, key)) << name;
    EXPECT_EQ(platform::LastError(), platform::kErrFileNotFound) << name;
    EXPECT_EQ(key, nullptr) << name;
  }
  EXPECT_EQ(FilesBelowRoot(), before);

  // The machine's own user is there, in any case of its name.
  RegKey key = nullptr;
  ASSERT_TRUE(platform::CreateRegKey(RootKey(RegRoot::Users), "USER\\Software\\Made", key)) << platform::LastError();
  platform::CloseRegKey(key);
  EXPECT_TRUE(platform::OpenRegKey(RootKey(RegRoot::CurrentUser), "Software\\Made", false, key));
  platform::CloseRegKey(key);
}

// The user named in machine.ini is checked like the one given at creation:
// a name that would reach outside the machine leaves it without a current
// user, and HKEY_CURRENT_USER can't be used.
TEST_F(RegistryBoundsTest, AnUnusableUserInTheSettingsGetsNoHive) {
  std::ofstream(machine_ + "/machine.ini") << "user=../../escaped\ncodepage=1252\nadministrator=1\nwindows64=0\n";
  emu::UseMachine(machine_);
  const std::set<string> before = FilesBelowRoot();
  RegKey key = nullptr;
  EXPECT_FALSE(platform::CreateRegKey(RootKey(RegRoot::CurrentUser), "Software\\X", key));
  EXPECT_FALSE(platform::OpenRegKey(RootKey(RegRoot::CurrentUser), "Software", false, key));
  EXPECT_FALSE(platform::CreateRegKey(RootKey(RegRoot::Users), "..\\..\\escaped\\Software", key));
  EXPECT_EQ(FilesBelowRoot(), before);
  EXPECT_EQ(emu::Settings().userName, "");
}

// Windows' limits: a key name of 255 characters, 512 levels of nesting
// counted from the top of the registry (HKEY_CURRENT_USER stands for
// three: \REGISTRY\USER\<user>), a value name of 16,383 characters.
TEST_F(RegistryBoundsTest, NamesAndNestingStopAtWindowsLimits) {
  struct Case {
    const char* name;
    string subkey;
    bool created;
  };
  auto levels = [](std::size_t count) {
    string path = "Software";
    for (std::size_t i = 1; i < count; ++i) path += "\\k";
    return path;
  };
  const Case kCases[] = {
      {"name of 255 characters", "Software\\" + string(255, 'n'), true},
      {"name of 256 characters", "Software\\" + string(256, 'n'), false},
      {"509 levels below the user", levels(509), true},
      {"510 levels below the user", levels(510), false},
  };
  for (const Case& c : kCases) {
    RegKey key = nullptr;
    EXPECT_EQ(platform::CreateRegKey(RootKey(RegRoot::CurrentUser), c.subkey, key), c.created) << c.name;
    if (!c.created) {
      EXPECT_EQ(platform::LastError(), platform::kErrInvalidParameter) << c.name;
    }
    platform::CloseRegKey(key);
  }
  RegKey key = nullptr;
  EXPECT_FALSE(platform::OpenRegKey(RootKey(RegRoot::CurrentUser), "Software\\" + string(300, 'n'), false, key));
  EXPECT_EQ(platform::LastError(), platform::kErrInvalidParameter);

  ASSERT_TRUE(platform::CreateRegKey(RootKey(RegRoot::CurrentUser), "Software\\Names", key));
  const std::uint32_t dword = 1;
  EXPECT_TRUE(platform::SetRegValue(key, string(16383, 'v'), platform::kRegDword, &dword, 4));
  EXPECT_FALSE(platform::SetRegValue(key, string(16384, 'v'), platform::kRegDword, &dword, 4));
  EXPECT_EQ(platform::LastError(), platform::kErrInvalidParameter);
  platform::CloseRegKey(key);
}

string DeepKeyText(std::size_t depth) {
  string text = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE";
  for (std::size_t i = 1; i < depth; ++i) text += "\\d";
  return text + "]\n\"v\"=\"x\"\n";
}

// Text from outside (an import, or a hive file edited by hand) is held to
// the same limits, and a refused text changes nothing.
TEST_F(RegistryBoundsTest, TextBeyondTheLimitsIsRefusedWithoutHarm) {
  emu::RegistryStore store = emu::RegistryStore::OfMachineInUse();
  const string hive = machine_ + "/registry/HKEY_LOCAL_MACHINE.reg";
  const string hiveBefore = FileText(hive);
  std::string error;
  EXPECT_FALSE(store.Import(DeepKeyText(100000), error));
  EXPECT_NE(error.find("line 3"), string::npos) << error;
  EXPECT_FALSE(store.Import("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\" + string(256, 'n') + "]\n", error));
  EXPECT_FALSE(store.SetValue("HKEY_LOCAL_MACHINE\\SOFTWARE", string(16384, 'v'), platform::kRegSz, string("x\0", 2),
                              error));
  EXPECT_EQ(FileText(hive), hiveBefore);
  // 510 levels below HKEY_LOCAL_MACHINE (which stands for two) is the deepest key.
  EXPECT_TRUE(store.Import(DeepKeyText(510), error)) << error;
  EXPECT_FALSE(store.Import(DeepKeyText(511), error));

  // A hive edited to hold a key too deep is refused when read, and writes
  // of that hive fail instead of writing it on.
  std::ofstream(hive, std::ios::trunc) << DeepKeyText(100000);
  RegKey key = nullptr;
  EXPECT_FALSE(platform::OpenRegKey(RootKey(RegRoot::LocalMachine), "SOFTWARE", false, key));
  EXPECT_FALSE(store.SetValue("HKEY_LOCAL_MACHINE\\SOFTWARE", "w", platform::kRegSz, string("x\0", 2), error));
  EXPECT_NE(error.find("line 3"), string::npos) << error;
}

}  // namespace
