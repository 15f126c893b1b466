// The registry side of an uninstall, as one table of registry set-ups on a
// machine with two users: what goes, what stays, what is handed back, and
// when the shell hears of it.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/emulated/machine/faults.h"
#include "platform/errors.h"
#include "uninstall/image_associations.h"
#include "uninstall/registry_cleanup.h"
#include "uninstall/uninstall_folder.h"
#include "uninstall_machine.h"

namespace uninstall_tests {
namespace {

// What an installation and the product leave in the registry.
const char kInstalled[] = R"([HKEY_LOCAL_MACHINE\SOFTWARE\Lumetra\Pictavo 6]
"AllUsers"="A"
"Path"="C:\\Program Files\\Pictavo 6"

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Ptav6.exe]
@="C:\\Program Files\\Pictavo 6\\Ptav6.exe"

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Pictavo 6]
"DisplayName"="Pictavo 6"
"UninstallString"="C:\\Program Files\\Pictavo 6\\PtvUnInst.exe"

[HKEY_CURRENT_USER\SOFTWARE\Lumetra\Pictavo 6\Capture\Hotkeys]
"Print"="1"

[HKEY_USERS\Ben\SOFTWARE\Lumetra\Pictavo 6\Capture]
"Mode"="2"

[HKEY_CLASSES_ROOT\PV6.Document\shell\open\command]
@="C:\\Program Files\\Pictavo 6\\Ptav6.exe %1"

)";

const char kFileExts[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
const char kUninstallEntry[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pictavo 6";
const char kAppPath[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Ptav6.exe";

struct Value {
  std::string key;
  std::string name;
  std::optional<std::string> data;  // none: the value is gone
};

struct RegistryCase {
  const char* name;
  std::string setup;  // REGEDIT4 text applied after the installation's keys
  std::vector<Value> values;
  std::vector<std::string> kept;  // keys still there afterwards
  std::vector<std::string> gone;  // keys gone afterwards, besides the product's
  int notices;
  bool uninstallEntryStays = false;
};

std::string Ext(const std::string& extension) { return kFileExts + extension; }

const RegistryCase kCases[] = {
    {"type_taken_over_gets_its_former_choice_back",
     R"([HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.jpg]
"Application"="Ptav6.exe"
"PtavOld"="mspaint.exe"
)",
     {{Ext(".jpg"), "Application", "mspaint.exe"}, {Ext(".jpg"), "PtavOld", std::nullopt}},
     {},
     {},
     1},
    {"several_types_one_notice",
     R"([HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.jpg]
"Application"="C:\\Program Files\\Pictavo 6\\Ptav6.exe"
"PtavOld"="mspaint.exe"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.png]
"Application"="Ptav6.exe"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.wpg]
"Application"="Ptav6.exe"
"PtavOld"=""
)",
     {{Ext(".jpg"), "Application", "mspaint.exe"},
      {Ext(".png"), "Application", std::nullopt},
      {Ext(".wpg"), "Application", std::nullopt},
      {Ext(".wpg"), "PtavOld", std::nullopt}},
     {Ext(".png"), Ext(".wpg")},
     {},
     1},
    {"type_of_another_program_is_left_alone",
     R"([HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.gif]
"Application"="iview.exe"
"PtavOld"="Ptav6.exe"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.bmp]
"Application"="ptav6.exe"
"PtavOld"="mspaint.exe"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.pcx]
"Application"="Ptav6.exe"
"PtavOld"="mspaint.exe"
)",
     // The name is matched in its own letter case, and only the image types count.
     {{Ext(".gif"), "Application", "iview.exe"},
      {Ext(".gif"), "PtavOld", "Ptav6.exe"},
      {Ext(".bmp"), "Application", "ptav6.exe"},
      {Ext(".pcx"), "Application", "Ptav6.exe"}},
     {},
     {},
     0},
    {"without_file_exts_the_classes_decide",
     R"([HKEY_CLASSES_ROOT\.bmp]
@="Ptav6.exe"
"PtavOld"="Paint.Picture"

[HKEY_CLASSES_ROOT\.tga]
@="Ptav6.exe"

[HKEY_CLASSES_ROOT\.tif]
@="TIFImage.Document"
)",
     {{"HKEY_CLASSES_ROOT\\.bmp", "", "Paint.Picture"},
      {"HKEY_CLASSES_ROOT\\.bmp", "PtavOld", std::nullopt},
      {"HKEY_CLASSES_ROOT\\.tga", "", std::nullopt},
      {"HKEY_CLASSES_ROOT\\.tif", "", "TIFImage.Document"}},
     {},
     {},
     1},
    {"file_exts_present_the_classes_are_not_looked_at",
     R"([HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts]

[HKEY_CLASSES_ROOT\.bmp]
@="Ptav6.exe"
"PtavOld"="Paint.Picture"
)",
     {{"HKEY_CLASSES_ROOT\\.bmp", "", "Ptav6.exe"}},
     {},
     {},
     0},
    {"maker_key_stays_for_another_product_and_goes_with_only_values",
     R"([HKEY_LOCAL_MACHINE\SOFTWARE\Lumetra\Snapper 2]
"Path"="C:\\Snapper"

[HKEY_CURRENT_USER\SOFTWARE\Lumetra]
"Customer"="42"

[HKEY_USERS\Ben\SOFTWARE\Lumetra\Snapper 2]
"Mode"="1"
)",
     {{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra\\Snapper 2", "Path", "C:\\Snapper"}},
     {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra", "HKEY_USERS\\Ben\\SOFTWARE\\Lumetra\\Snapper 2"},
     {"HKEY_CURRENT_USER\\SOFTWARE\\Lumetra"},
     0},
    {"uninstall_entry_and_app_path_already_gone",
     R"([-HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Pictavo 6]
[-HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Ptav6.exe]
)",
     {},
     {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths"},
     {},
     0},
    // A plain delete: an uninstall entry with a subkey of its own stays.
    {"uninstall_entry_with_a_subkey_stays",
     R"([HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Pictavo 6\Extra]
)",
     {{kUninstallEntry, "DisplayName", "Pictavo 6"}},
     {std::string(kUninstallEntry) + "\\Extra"},
     {},
     0,
     true},
};

void PrintTo(const RegistryCase& c, std::ostream* os) { *os << c.name; }

class RegistryCleanupTest : public ::testing::TestWithParam<RegistryCase> {};

TEST_P(RegistryCleanupTest, RemovesTheProductsKeysAndHandsBackItsTypes) {
  const RegistryCase& c = GetParam();
  test_support::TemporaryMachine machine(TwoUsers());
  ASSERT_TRUE(machine.Ready());
  ImportRegistry(kInstalled);
  ImportRegistry(c.setup);

  UninstallFolder("C:\\Program Files\\Pictavo 6\\");

  for (const Value& value : c.values) {
    SCOPED_TRACE(value.key + " " + value.name);
    std::string data;
    const bool present = ReadValue(value.key, value.name, data);
    EXPECT_EQ(present, value.data.has_value()) << data;
    if (present && value.data) {
      EXPECT_EQ(data, *value.data);
    }
  }
  for (const std::string& key : c.kept) EXPECT_TRUE(KeyExists(key)) << key;
  std::vector<std::string> gone = c.gone;
  for (const char* key : {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra\\Pictavo 6", "HKEY_CURRENT_USER\\SOFTWARE\\Lumetra\\Pictavo 6",
                          "HKEY_USERS\\Ben\\SOFTWARE\\Lumetra\\Pictavo 6", "HKEY_CLASSES_ROOT\\PV6.Document", kAppPath}) {
    gone.push_back(key);
  }
  if (!c.uninstallEntryStays) gone.push_back(kUninstallEntry);
  for (const std::string& key : gone) EXPECT_FALSE(KeyExists(key)) << key;
  EXPECT_EQ(TranscriptCount("  event: associations changed"), c.notices);
}

INSTANTIATE_TEST_SUITE_P(SetUps, RegistryCleanupTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<RegistryCase>& info) { return info.param.name; });

// The maker key goes when the product's key was its only subkey, per machine
// and for every user.
TEST(CleanRegistry, MakerKeyGoesWithItsLastProduct) {
  test_support::TemporaryMachine machine(TwoUsers());
  ASSERT_TRUE(machine.Ready());
  ImportRegistry(kInstalled);
  CleanRegistry();
  for (const char* key : {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra", "HKEY_CURRENT_USER\\SOFTWARE\\Lumetra",
                          "HKEY_USERS\\Ben\\SOFTWARE\\Lumetra"}) {
    EXPECT_FALSE(KeyExists(key)) << key;
  }
  EXPECT_TRUE(KeyExists("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"));
}

// A standard user removes what is theirs; the machine's keys and the other
// user's hive stay out of reach.
TEST(CleanRegistry, StandardUserRemovesOnlyTheirOwn) {
  test_support::TemporaryMachine machine(TwoUsers(false));
  ASSERT_TRUE(machine.Ready());
  ImportRegistry(kInstalled);
  UninstallFolder("C:\\Program Files\\Pictavo 6\\");
  EXPECT_FALSE(KeyExists("HKEY_CURRENT_USER\\SOFTWARE\\Lumetra"));
  for (const char* key : {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra\\Pictavo 6", "HKEY_USERS\\Ben\\SOFTWARE\\Lumetra\\Pictavo 6",
                          kUninstallEntry, kAppPath, "HKEY_CLASSES_ROOT\\PV6.Document"}) {
    EXPECT_TRUE(KeyExists(key)) << key;
  }
}

// A nested subkey that can't be deleted keeps its parents and the settings
// key; its siblings on either side still go, and the rest of the clean-up
// runs on.
TEST(CleanRegistry, StepsOverASubkeyThatCantBeDeleted) {
  test_support::TemporaryMachine machine(TwoUsers());
  ASSERT_TRUE(machine.Ready());
  ImportRegistry(kInstalled);
  const std::string settings = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra\\Pictavo 6";
  ImportRegistry("[" + settings + "\\A]\n\n[" + settings + "\\B\\Locked]\n\n[" + settings + "\\C]\n\n");
  std::string error;
  ASSERT_TRUE(emu::AddFault({"DeleteRegKey", settings + "\\B\\Locked", platform::kErrAccessDenied, -1}, error)) << error;

  UninstallFolder("C:\\Program Files\\Pictavo 6\\");

  for (const std::string& key : {settings, settings + "\\B", settings + "\\B\\Locked",
                                 std::string("HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumetra")}) {
    EXPECT_TRUE(KeyExists(key)) << key;
  }
  for (const std::string& key : {settings + "\\A", settings + "\\C", std::string(kUninstallEntry), std::string(kAppPath),
                                 std::string("HKEY_CURRENT_USER\\SOFTWARE\\Lumetra\\Pictavo 6")}) {
    EXPECT_FALSE(KeyExists(key)) << key;
  }
}

TEST(DeleteKeyTree, TellsWhetherTheKeyItselfWent) {
  test_support::TemporaryMachine machine(TwoUsers());
  ASSERT_TRUE(machine.Ready());
  ImportRegistry("[HKEY_CURRENT_USER\\Software\\T\\a\\b\\c]\n\n[HKEY_CURRENT_USER\\Software\\T\\d]\n\n");
  const platform::RegKey user = platform::RootKey(platform::RegRoot::CurrentUser);
  EXPECT_TRUE(DeleteKeyTree(user, "Software\\T"));
  EXPECT_FALSE(KeyExists("HKEY_CURRENT_USER\\Software\\T"));
  EXPECT_FALSE(DeleteKeyTree(user, "Software\\T"));
}

}  // namespace
}  // namespace uninstall_tests
