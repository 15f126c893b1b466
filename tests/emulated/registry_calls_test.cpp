// The registry calls over the machine's hive files, with the results and
// error codes of the Windows calls.
#include <string>
#include <vector>

#include "platform/emulated/machine/registry.h"
#include "registry_fixture.h"

namespace {

using platform::RegKey;
using platform::RegRoot;
using platform::RootKey;
using std::string;

std::vector<string> Subkeys(RegKey key) {
  std::vector<string> names;
  string name;
  for (std::uint32_t i = 0; platform::EnumRegSubkey(key, i, name); ++i) names.push_back(name);
  EXPECT_EQ(platform::LastError(), platform::kErrNoMoreItems);
  return names;
}

TEST_F(RegistryTest, NamesCompareWithoutCaseAndKeepTheirFirstCase) {
  RegKey key = Create(RegRoot::LocalMachine, "SOFTWARE\\Lumetra\\Pictavo 6");
  ASSERT_TRUE(SetString(key, "InstallPath", "C:\\Old"));
  ASSERT_TRUE(SetString(key, "INSTALLPATH", "C:\\New"));
  ASSERT_TRUE(SetString(key, "", "default"));
  platform::CloseRegKey(key);

  ASSERT_TRUE(platform::OpenRegKey(RootKey(RegRoot::LocalMachine), "software\\LUMETRA\\pictavo 6", false, key));
  EXPECT_EQ(Query(key, "installpath"), string("C:\\New\0", 7));
  EXPECT_EQ(Query(key, ""), string("default\0", 8));
  platform::CloseRegKey(key);

  // Creating with another case opens the same key and keeps the first case.
  key = Create(RegRoot::LocalMachine, "SOFTWARE\\LUMETRA");
  EXPECT_EQ(Subkeys(key), std::vector<string>{"Pictavo 6"});
  platform::CloseRegKey(key);
  const string text = FileText(MachineHivePath());
  EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra\\Pictavo 6]\n"
                      "\"InstallPath\"=\"C:\\\\New\"\n@=\"default\"\n"),
            string::npos)
      << text;
  EXPECT_EQ(text.find("INSTALLPATH"), string::npos);
}

TEST_F(RegistryTest, QueryFollowsTheBufferRules) {
  RegKey key = Create(RegRoot::CurrentUser, "Software\\Sizes");
  ASSERT_TRUE(SetString(key, "Text", "abcdef"));  // 7 bytes with the terminator

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  ASSERT_TRUE(platform::QueryRegValue(key, "Text", &type, nullptr, &size));
  EXPECT_EQ(size, 7u);
  EXPECT_EQ(type, platform::kRegSz);

  char small[4] = {'x', 'x', 'x', 'x'};
  size = sizeof small;
  EXPECT_FALSE(platform::QueryRegValue(key, "Text", nullptr, small, &size));
  EXPECT_EQ(platform::LastError(), platform::kErrMoreData);
  EXPECT_EQ(size, 7u);
  // What a too small buffer holds is undefined on Windows; here it is scribbled over.
  EXPECT_EQ(string(small, sizeof small), string(sizeof small, '\xCC'));

  char exact[7];
  size = sizeof exact;
  ASSERT_TRUE(platform::QueryRegValue(key, "Text", nullptr, exact, &size));
  EXPECT_EQ(size, 7u);
  EXPECT_EQ(string(exact, 7), string("abcdef\0", 7));

  char large[64];
  size = sizeof large;
  ASSERT_TRUE(platform::QueryRegValue(key, "Text", nullptr, large, &size));
  EXPECT_EQ(size, 7u);

  size = sizeof large;
  EXPECT_FALSE(platform::QueryRegValue(key, "Missing", nullptr, large, &size));
  EXPECT_EQ(platform::LastError(), platform::kErrFileNotFound);
  EXPECT_FALSE(platform::QueryRegValue(key, "Text", nullptr, large, nullptr));
  EXPECT_EQ(platform::LastError(), platform::kErrInvalidParameter);
  platform::CloseRegKey(key);
}

TEST_F(RegistryTest, KeysOpenCreateAndDeleteAsOnWindows) {
  RegKey key = nullptr;
  EXPECT_FALSE(platform::OpenRegKey(RootKey(RegRoot::LocalMachine), "SOFTWARE\\Nowhere", false, key));
  EXPECT_EQ(platform::LastError(), platform::kErrFileNotFound);
  EXPECT_EQ(key, nullptr);

  // Missing parents are made; an empty subkey gives a new handle to the same key.
  RegKey deep = Create(RegRoot::LocalMachine, "SOFTWARE\\A\\B\\C");
  RegKey same = nullptr;
  ASSERT_TRUE(platform::OpenRegKey(deep, "", true, same));
  ASSERT_TRUE(SetString(same, "v", "1"));
  platform::CloseRegKey(same);
  EXPECT_EQ(Query(deep, "v"), string("1\0", 2));

  EXPECT_FALSE(platform::DeleteRegKey(RootKey(RegRoot::LocalMachine), "SOFTWARE\\A"));
  EXPECT_EQ(platform::LastError(), platform::kErrAccessDenied);
  EXPECT_FALSE(platform::DeleteRegKey(RootKey(RegRoot::LocalMachine), "SOFTWARE\\A\\X"));
  EXPECT_EQ(platform::LastError(), platform::kErrFileNotFound);
  EXPECT_TRUE(platform::DeleteRegKey(RootKey(RegRoot::LocalMachine), "SOFTWARE\\A\\B\\C"));

  // A handle names its key: once the key is gone, so are its values.
  EXPECT_EQ(Query(deep, "v"), "<error 2>");
  platform::CloseRegKey(deep);
  EXPECT_TRUE(platform::DeleteRegKey(RootKey(RegRoot::LocalMachine), "SOFTWARE\\A\\B"));
  EXPECT_TRUE(platform::DeleteRegKey(RootKey(RegRoot::LocalMachine), "software\\a"));
  EXPECT_FALSE(platform::DeleteRegKey(RootKey(RegRoot::ClassesRoot), ""));
  EXPECT_EQ(platform::LastError(), platform::kErrAccessDenied);

  key = Create(RegRoot::LocalMachine, "SOFTWARE\\Values");
  ASSERT_TRUE(SetString(key, "gone", "x"));
  EXPECT_TRUE(platform::DeleteRegValue(key, "GONE"));
  EXPECT_FALSE(platform::DeleteRegValue(key, "gone"));
  EXPECT_EQ(platform::LastError(), platform::kErrFileNotFound);
  platform::CloseRegKey(key);

  // A key opened for reading takes no writes.
  ASSERT_TRUE(platform::OpenRegKey(RootKey(RegRoot::LocalMachine), "SOFTWARE\\Values", false, key));
  EXPECT_FALSE(SetString(key, "w", "x"));
  EXPECT_EQ(platform::LastError(), platform::kErrAccessDenied);
  platform::CloseRegKey(key);
}

TEST_F(RegistryTest, SubkeysEnumerateInRegistryOrder) {
  RegKey parent = Create(RegRoot::LocalMachine, "SOFTWARE\\Order");
  for (const char* name : {"beta", "Alpha", "_under", "gamma", "Beta2"}) {
    RegKey child = nullptr;
    ASSERT_TRUE(platform::CreateRegKey(parent, name, child));
    platform::CloseRegKey(child);
  }
  // Upper-cased comparison, as the registry enumerates: '_' sorts after letters.
  EXPECT_EQ(Subkeys(parent), (std::vector<string>{"Alpha", "beta", "Beta2", "gamma", "_under"}));
  string name;
  EXPECT_FALSE(platform::EnumRegSubkey(parent, 99, name));
  EXPECT_EQ(platform::LastError(), platform::kErrNoMoreItems);
  platform::CloseRegKey(parent);

  // HKEY_USERS lists the user hives. Another user's hive comes from the
  // machine's owner; creating a key never makes one.
  string error;
  ASSERT_TRUE(emu::RegistryStore::OfMachineInUse().Import("REGEDIT4\n\n[HKEY_USERS\\Guest\\Software]\n", error))
      << error;
  EXPECT_EQ(Subkeys(RootKey(RegRoot::Users)), (std::vector<string>{"Guest", "User"}));
  EXPECT_TRUE(std::filesystem::exists(UserHivePath("Guest")));
}

TEST_F(RegistryTest, ClassesRootAndCurrentUserMapOntoTheirHives) {
  RegKey key = Create(RegRoot::ClassesRoot, ".jpg");
  ASSERT_TRUE(SetString(key, "", "Pictavo.Image"));
  platform::CloseRegKey(key);
  ASSERT_TRUE(platform::OpenRegKey(RootKey(RegRoot::LocalMachine), "SOFTWARE\\Classes\\.JPG", false, key));
  EXPECT_EQ(Query(key, ""), string("Pictavo.Image\0", 14));
  platform::CloseRegKey(key);

  key = Create(RegRoot::CurrentUser, "Software\\Lumetra");
  ASSERT_TRUE(SetString(key, "Group", "Pictavo 6"));
  platform::CloseRegKey(key);
  ASSERT_TRUE(platform::OpenRegKey(RootKey(RegRoot::Users), "user\\Software\\Lumetra", false, key));
  EXPECT_EQ(Query(key, "Group"), string("Pictavo 6\0", 10));
  platform::CloseRegKey(key);

  const string userText = FileText(UserHivePath());
  EXPECT_NE(userText.find("[HKEY_USERS\\User\\Software\\Lumetra]\n\"Group\"=\"Pictavo 6\"\n"), string::npos)
      << userText;
  EXPECT_EQ(FileText(MachineHivePath()).find("Lumetra"), string::npos);
}

TEST_F(RegistryTest, StandardUserCannotChangeTheMachineHive) {
  RegKey key = Create(RegRoot::LocalMachine, "SOFTWARE\\Lumetra");
  ASSERT_TRUE(SetString(key, "Version", "6.0"));
  platform::CloseRegKey(key);
  UseSettings(false);

  RegKey machine = RootKey(RegRoot::LocalMachine);
  EXPECT_FALSE(platform::CreateRegKey(machine, "SOFTWARE\\Other", key));
  EXPECT_EQ(platform::LastError(), platform::kErrAccessDenied);
  EXPECT_FALSE(platform::CreateRegKey(RootKey(RegRoot::ClassesRoot), ".png", key));
  EXPECT_EQ(platform::LastError(), platform::kErrAccessDenied);
  EXPECT_FALSE(platform::OpenRegKey(machine, "SOFTWARE\\Lumetra", true, key));
  EXPECT_EQ(platform::LastError(), platform::kErrAccessDenied);

  // An existing key opens, for reading only.
  ASSERT_TRUE(platform::CreateRegKey(machine, "SOFTWARE\\Lumetra", key));
  EXPECT_EQ(Query(key, "Version"), string("6.0\0", 4));
  EXPECT_FALSE(SetString(key, "Version", "7.0"));
  EXPECT_EQ(platform::LastError(), platform::kErrAccessDenied);
  EXPECT_FALSE(platform::DeleteRegValue(key, "Version"));
  EXPECT_EQ(platform::LastError(), platform::kErrAccessDenied);
  platform::CloseRegKey(key);
  EXPECT_FALSE(platform::DeleteRegKey(machine, "SOFTWARE\\Lumetra"));
  EXPECT_EQ(platform::LastError(), platform::kErrAccessDenied);
  EXPECT_FALSE(platform::CreateRegKey(RootKey(RegRoot::Users), "Guest", key));
  EXPECT_EQ(platform::LastError(), platform::kErrAccessDenied);

  // The user's own hive stays writable.
  key = Create(RegRoot::CurrentUser, "Software\\Lumetra");
  EXPECT_TRUE(SetString(key, "Group", "Pictavo 6"));
  platform::CloseRegKey(key);
  EXPECT_EQ(FileText(MachineHivePath()),
            "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra]\n\"Version\"=\"6.0\"\n\n");
}

TEST_F(RegistryTest, HandlesSeeTheFileAsItIsNow) {
  RegKey key = Create(RegRoot::LocalMachine, "SOFTWARE\\Shared");
  ASSERT_TRUE(SetString(key, "v", "mine"));
  EXPECT_EQ(Query(key, "v"), string("mine\0", 5));
  // Another process rewrites the hive with a value of the same length.
  std::ofstream(MachineHivePath(), std::ios::binary | std::ios::trunc)
      << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Shared]\r\n\"v\"=\"your\"\r\n";
  EXPECT_EQ(Query(key, "v"), string("your\0", 5));
  platform::CloseRegKey(key);
}

TEST_F(RegistryTest, StoreExportsAndImportsRegedit4Text) {
  emu::RegistryStore store(machine_, "User");
  string error;
  ASSERT_TRUE(store.Import(
      "REGEDIT4\n\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra\\Pictavo 6]\n"
      "\"InstallPath\"=\"C:\\\\Program Files\\\\Pictavo 6\"\n"
      "\"Old\"=\"x\"\n\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra\\Pictavo 6\\Gone]\n\n"
      "[HKEY_CURRENT_USER\\Software\\Lumetra]\n"
      "\"Count\"=dword:00000003\n\n"
      "[HKEY_CLASSES_ROOT\\.jpg]\n"
      "@=\"Pictavo.Image\"\n\n"
      "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra\\Pictavo 6\\Gone]\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra\\Pictavo 6]\n"
      "\"Old\"=-\n",
      error))
      << error;
  ASSERT_TRUE(store.SetValue("HKCU\\Software\\Lumetra", "Data", platform::kRegBinary, "\x01\x02", error)) << error;

  string text;
  ASSERT_TRUE(store.Export("HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra", text, error)) << error;
  EXPECT_EQ(text,
            "REGEDIT4\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra]\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra\\Pictavo 6]\n"
            "\"InstallPath\"=\"C:\\\\Program Files\\\\Pictavo 6\"\n\n");
  ASSERT_TRUE(store.Export("HKCU\\Software\\Lumetra", text, error)) << error;
  EXPECT_EQ(text,
            "REGEDIT4\n\n"
            "[HKEY_CURRENT_USER\\Software\\Lumetra]\n"
            "\"Count\"=dword:00000003\n"
            "\"Data\"=hex:01,02\n\n");
  ASSERT_TRUE(store.Export("", text, error)) << error;
  EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.jpg]\n@=\"Pictavo.Image\"\n"), string::npos);
  EXPECT_NE(text.find("[HKEY_USERS\\User\\Software\\Lumetra]\n"), string::npos);

  // The whole export imports into an empty machine as the same registry.
  char pattern[] = "/tmp/ptv-registry-copy-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  emu::RegistryStore copy(pattern, "User");
  ASSERT_TRUE(copy.Import(text, error)) << error;
  string copied;
  ASSERT_TRUE(copy.Export("", copied, error)) << error;
  EXPECT_EQ(copied, text);
  std::filesystem::remove_all(pattern);

  std::uint32_t type = 0;
  string data;
  ASSERT_TRUE(store.GetValue("HKEY_USERS\\User\\Software\\Lumetra", "count", type, data, error)) << error;
  EXPECT_EQ(type, platform::kRegDword);
  EXPECT_EQ(data, string("\x03\0\0\0", 4));
  EXPECT_FALSE(store.GetValue("HKLM\\SOFTWARE\\Nowhere", "x", type, data, error));
}

TEST_F(RegistryTest, BadImportChangesNothingAndNamesItsLine) {
  emu::RegistryStore store(machine_, "User");
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\A]\n\"a\"=\"1\"\n\n[HKEY_NOWHERE\\B]\n",
       "line 6: \"HKEY_NOWHERE\" is not a registry root"},
      {"REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\A]\n\"a\"=\"1\"\n\"b\"=hex:1,2,300\n",
       "line 5: \"300\" is not a hex byte"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\A]\n[-HKEY_CURRENT_USER]\n",
       "line 3: the root key HKEY_CURRENT_USER cannot be removed"},
  };
  for (const auto& c : cases) {
    string error;
    EXPECT_FALSE(store.Import(c.text, error));
    EXPECT_EQ(error, c.error);
  }
  EXPECT_FALSE(std::filesystem::exists(MachineHivePath()));
}

}  // namespace
