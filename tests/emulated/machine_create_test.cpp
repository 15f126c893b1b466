// A fresh machine: its settings file, its folders and the registry values
// that name them.
#include <string>
#include <vector>

#include "machine_created_fixture.h"
#include "platform/errors.h"
#include "platform/files.h"

namespace {

using platform::RegRoot;

struct MachineKind {
  const char* label;
  emu::MachineSettings settings;
};

emu::MachineSettings Settings(const char* user, bool administrator, bool windows64, unsigned codePage,
                              bool pendingRenames = true) {
  emu::MachineSettings settings;
  settings.pendingRenames = pendingRenames;
  settings.userName = user;
  settings.administrator = administrator;
  settings.windows64 = windows64;
  settings.codePage = codePage;
  return settings;
}

emu::MachineSettings WithDrives(const char* letters) {
  emu::MachineSettings settings;
  settings.extraDrives = letters;
  return settings;
}

emu::MachineSettings InWindowsFolder(const char* folder) {
  emu::MachineSettings settings;
  settings.windowsFolder = folder;
  return settings;
}

emu::MachineSettings WithOtherUsers(const char* user, const char* other) {
  emu::MachineSettings settings;
  settings.userName = user;
  settings.otherUsers = {other};
  return settings;
}

class CreatedMachineKindTest : public CreatedMachineTest, public ::testing::WithParamInterface<MachineKind> {};

TEST_P(CreatedMachineKindTest, RegistryNamesFoldersThatExist) {
  const emu::MachineSettings& settings = GetParam().settings;
  Create(settings);
  const std::string user = settings.userName;
  const std::string profile = "C:\\users\\" + user;
  const std::string startMenu = profile + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu";
  const std::string commonStartMenu = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu";
  const std::string programFiles = settings.windows64 ? "C:\\Program Files (x86)" : "C:\\Program Files";
  const std::string shell = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  const std::string version = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  const struct {
    RegRoot root;
    std::string key;
    const char* name;
    std::string folder;
  } expected[] = {
      {RegRoot::CurrentUser, shell, "Programs", startMenu + "\\Programs"},
      {RegRoot::CurrentUser, shell, "Startup", startMenu + "\\Programs\\Startup"},
      {RegRoot::CurrentUser, shell, "Desktop", profile + "\\Desktop"},
      {RegRoot::CurrentUser, shell, "Start Menu", startMenu},
      {RegRoot::CurrentUser, shell, "AppData", profile + "\\AppData\\Roaming"},
      {RegRoot::LocalMachine, shell, "Common Programs", commonStartMenu + "\\Programs"},
      {RegRoot::LocalMachine, shell, "Common Startup", commonStartMenu + "\\Programs\\Startup"},
      {RegRoot::LocalMachine, shell, "Common Desktop", "C:\\users\\Public\\Desktop"},
      {RegRoot::LocalMachine, shell, "Common Start Menu", commonStartMenu},
      {RegRoot::LocalMachine, version, "ProgramFilesDir", programFiles},
      {RegRoot::LocalMachine, version, "CommonFilesDir", programFiles + "\\Common Files"},
      {RegRoot::CurrentUser, "Environment", "TEMP", profile + "\\Temp"},
  };
  for (const auto& row : expected) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ReadString(row.root, row.key, row.name), row.folder);
    std::string host;
    ASSERT_TRUE(emu::ToHostPath(row.folder, host));
    EXPECT_TRUE(IsHostFolder(host)) << host;
  }
  for (const char* folder : {"C:\\windows\\system32", "C:\\Program Files"}) {
    std::string host;
    ASSERT_TRUE(emu::ToHostPath(folder, host));
    EXPECT_TRUE(IsHostFolder(host)) << folder;
  }
}

TEST_P(CreatedMachineKindTest, SettingsFileKeepsTheSettings) {
  const emu::MachineSettings& settings = GetParam().settings;
  Create(settings);
  const std::string expected = "user=" + settings.userName + "\ncodepage=" + std::to_string(settings.codePage) +
                               "\nadministrator=" + (settings.administrator ? "1" : "0") +
                               "\nwindows64=" + (settings.windows64 ? "1" : "0") +
                               "\npending_renames=" + (settings.pendingRenames ? "1" : "0") + "\nwindows=C:\\windows\n";
  EXPECT_EQ(FileText(machine_ + "/machine.ini"), expected);
  EXPECT_EQ(emu::Settings().userName, settings.userName);
  EXPECT_EQ(emu::Settings().administrator, settings.administrator);
  EXPECT_EQ(emu::Settings().windows64, settings.windows64);
  EXPECT_EQ(emu::Settings().codePage, settings.codePage);
  EXPECT_EQ(emu::Settings().pendingRenames, settings.pendingRenames);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CreatedMachineKindTest,
                         ::testing::Values(MachineKind{"Admin32", Settings("Alice", true, false, 1252)},
                                           MachineKind{"StandardUser64", Settings("Bob", false, true, 932, false)}),
                         [](const ::testing::TestParamInfo<MachineKind>& info) { return info.param.label; });

TEST_F(CreatedMachineTest, StandardUserCannotWriteWhatCreationWrote) {
  Create(Settings("Carol", false, false, 1252));
  platform::RegKey key = nullptr;
  EXPECT_FALSE(platform::OpenRegKey(platform::RootKey(RegRoot::LocalMachine),
                                    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", true, key));
}

TEST_F(CreatedMachineTest, ProgramFilesFolderStaysOnA64BitMachine) {
  Create(Settings("Dan", true, true, 1252));
  std::string host;
  ASSERT_TRUE(emu::ToHostPath("C:\\Program Files", host));
  EXPECT_TRUE(IsHostFolder(host));
}

TEST_F(CreatedMachineTest, FurtherDrivesOnRequestOnly) {
  emu::MachineSettings settings = Settings("Fay", true, false, 1252);
  settings.extraDrives = "d";
  Create(settings);
  EXPECT_TRUE(platform::CreateFolder("D:\\Apps"));
  EXPECT_TRUE(platform::PathExists("d:\\apps"));
  EXPECT_FALSE(platform::CreateFolder("E:\\Apps"));
  EXPECT_EQ(platform::LastError(), platform::kErrPathNotFound);
}

TEST_F(CreatedMachineTest, EveryUserHasAHiveAndShellFoldersOfTheirOwn) {
  emu::MachineSettings settings = Settings("Ann", true, false, 1252);
  settings.otherUsers = {"Ben", "Cy"};
  Create(settings);
  // HKEY_USERS lists every user; programs run as the first.
  std::vector<std::string> users;
  std::string name;
  for (std::uint32_t i = 0; platform::EnumRegSubkey(platform::RootKey(RegRoot::Users), i, name); ++i) {
    users.push_back(name);
  }
  EXPECT_EQ(users, (std::vector<std::string>{"Ann", "Ben", "Cy"}));
  EXPECT_EQ(emu::Settings().userName, "Ann");
  const std::string shell = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  for (const std::string user : {"Ann", "Ben", "Cy"}) {
    SCOPED_TRACE(user);
    const std::string startMenu = "C:\\users\\" + user + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu";
    const struct {
      const char* name;
      std::string folder;
    } expected[] = {
        {"Programs", startMenu + "\\Programs"},
        {"Startup", startMenu + "\\Programs\\Startup"},
        {"Desktop", "C:\\users\\" + user + "\\Desktop"},
    };
    for (const auto& row : expected) {
      EXPECT_EQ(ReadString(RegRoot::Users, user + "\\" + shell, row.name), row.folder);
      EXPECT_TRUE(platform::PathExists(row.folder)) << row.folder;
    }
  }
  // Only the running user's values are the current user's; the machine's stay one set.
  EXPECT_EQ(ReadString(RegRoot::CurrentUser, shell, "Desktop"), "C:\\users\\Ann\\Desktop");
  EXPECT_EQ(ReadString(RegRoot::Users, "Ben\\" + shell, "Common Desktop"), "");
  EXPECT_EQ(ReadString(RegRoot::LocalMachine, shell, "Common Desktop"), "C:\\users\\Public\\Desktop");
}

TEST_F(CreatedMachineTest, AcceptsAnEmptyFolder) {
  machine_ = root_ + "/empty";
  std::filesystem::create_directory(machine_);
  std::string error;
  EXPECT_TRUE(emu::CreateMachine(machine_, emu::MachineSettings(), error)) << error;
  EXPECT_TRUE(IsHostFolder(machine_ + "/drives/c/windows"));
}

TEST_F(CreatedMachineTest, RefusesWhatCannotBecomeAMachine) {
  std::filesystem::create_directories(root_ + "/full/something");
  std::ofstream(root_ + "/file") << "x";
  const struct {
    const char* label;
    std::string folder;
    emu::MachineSettings settings;
    const char* message;
  } cases[] = {
      {"folder not empty", root_ + "/full", emu::MachineSettings(), "not empty"},
      {"a file in the way", root_ + "/file", emu::MachineSettings(), "not a folder"},
      {"no folder", "", emu::MachineSettings(), "no machine folder"},
      {"user name with a backslash", root_ + "/m1", Settings("a\\b", true, false, 1252), "user name"},
      {"empty user name", root_ + "/m2", Settings("", true, false, 1252), "user name"},
      {"unknown code page", root_ + "/m3", Settings("Eve", true, false, 437), "code page"},
      {"drive C: twice", root_ + "/m4", WithDrives("C"), "drive letter"},
      {"no such drive letter", root_ + "/m5", WithDrives("1"), "drive letter"},
      {"Windows on the host's drive", root_ + "/m6", InWindowsFolder("Z:\\Windows"), "Windows folder"},
      {"Windows at a drive's root", root_ + "/m7", InWindowsFolder("D:\\"), "Windows folder"},
      {"Windows folder climbing out", root_ + "/m8", InWindowsFolder("C:\\..\\x"), "Windows folder"},
      {"Windows folder not a full path", root_ + "/m9", InWindowsFolder("windows"), "Windows folder"},
      {"a user named twice", root_ + "/m10", WithOtherUsers("User", "user"), "named twice"},
      {"another user with a colon", root_ + "/m11", WithOtherUsers("User", "a:b"), "user name"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    std::string error;
    EXPECT_FALSE(emu::CreateMachine(c.folder, c.settings, error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
  EXPECT_FALSE(std::filesystem::exists(root_ + "/full/machine.ini"));
  EXPECT_FALSE(std::filesystem::exists(root_ + "/m1"));
}

}  // namespace
