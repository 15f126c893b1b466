// Browse on the folder page, on the emulated machine: the folder chooser
// starts at the installation folder, and what comes back is refused (an old
// version), taken into a "Pictavo 6" subfolder (a folder with other things
// in it) or taken as it is (an empty or new folder, or one with this
// version), with the folders made for the chooser removed again.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/files.h"
#include "wizard_run.h"

namespace {

using wizard_test::RunWizard;
using wizard_test::WizardRun;
using wizard_test::WizardSetup;

const char kStart[] = "C:\\Program Files\\Pictavo 6";
const char kTemplateHint[] = "To install into a different folder, Click Browse, and select another one.";
const char kInstalledHint[] =
    "This folder already contains a previous copy of Pictavo 6. To upgrade or re-install that copy, please do not "
    "change the destination folder.";
const char kOldVersion[] =
    "Pictavo ver. 6 can not be installed into the same folder where the old version 4 or 5 is installed. Please "
    "select a different folder.";
const char kInvalidName[] =
    "You have entered and invalid folder name. Please correct.\nIf you want to create a new folder, select its parent "
    "folder in the list and click \"Make New Foilder\" button.";

void Folder(const char* path) { platform::CreateFolder(path); }
void File(const char* path) { platform::WriteWholeFile(path, "x"); }

struct BrowseCase {
  const char* name;
  std::function<void()> prepare;
  std::vector<std::string> chooser;  // the operator's commands from Browse on
  std::string instDir;               // afterwards
  const char* hint;
  std::vector<std::string> boxes;
  std::vector<std::string> gone;  // folders that don't exist afterwards
  int newInstall = 1;
};

void PrintTo(const BrowseCase& c, std::ostream* out) { *out << c.name; }

const BrowseCase kCases[] = {
    {"cancel_changes_nothing", nullptr, {"browse cancel"}, kStart, kTemplateHint, {}, {kStart}},
    {"cancel_removes_an_empty_folder_that_was_there",
     [] { Folder(kStart); }, {"browse cancel"}, kStart, kTemplateHint, {}, {kStart}},
    {"a_folder_of_version_5_is_refused",
     [] { Folder("C:\\Old"); File("C:\\Old\\Ptav5.exe"); }, {"browse choose C:\\Old", "ok"}, kStart, kTemplateHint,
     {kOldVersion}, {kStart}},
    {"a_folder_of_version_4_is_refused",
     [] { Folder("C:\\Old"); File("C:\\Old\\Ptav.exe"); File("C:\\Old\\other.txt"); }, {"browse choose c:\\old", "ok"},
     kStart, kTemplateHint, {kOldVersion}, {kStart}},
    {"a_folder_with_other_things_gets_a_subfolder",
     [] { Folder("C:\\Tools"); File("C:\\Tools\\readme.txt"); }, {"browse choose C:\\Tools"}, "C:\\Tools\\Pictavo 6",
     kTemplateHint, {}, {kStart}},
    {"an_empty_folder_is_taken_and_removed",
     [] { Folder("C:\\Empty"); }, {"browse choose C:\\Empty"}, "C:\\Empty", kTemplateHint, {}, {kStart, "C:\\Empty"}},
    {"a_new_folder_is_taken_and_removed",
     nullptr, {"browse select C:\\Program Files", "browse new Fresh", "browse ok"}, "C:\\Program Files\\Fresh",
     kTemplateHint, {}, {kStart, "C:\\Program Files\\Fresh"}},
    {"a_folder_of_this_version_installed",
     [] { Folder("C:\\Apps"); Folder("C:\\Apps\\Pictavo"); File("C:\\Apps\\Pictavo\\Ptav6.exe"); },
     {"browse choose C:\\Apps\\Pictavo"}, "C:\\Apps\\Pictavo", kInstalledHint, {}, {kStart}, 0},
    {"a_folder_of_this_version_in_a_new_installation",
     [] { Folder("C:\\Apps"); Folder("C:\\Apps\\Pictavo"); File("C:\\Apps\\Pictavo\\Ptav6.exe"); },
     {"browse choose C:\\Apps\\Pictavo"}, "C:\\Apps\\Pictavo", kTemplateHint, {}, {kStart}},
    {"a_typed_name_of_no_folder_is_refused_and_the_chooser_stays",
     nullptr, {"browse type C:\\Nowhere\\Deep", "browse ok", "ok", "browse cancel"}, kStart, kTemplateHint,
     {kInvalidName}, {kStart}},
    {"a_typed_name_inside_the_selection",
     [] { Folder("C:\\Tools"); File("C:\\Tools\\readme.txt"); }, {"browse select C:\\", "browse type tools", "browse ok"},
     "C:\\Tools\\Pictavo 6", kTemplateHint, {}, {kStart}},
};

class FolderBrowse : public ::testing::TestWithParam<BrowseCase> {};

TEST_P(FolderBrowse, TakesRefusesOrAdjustsTheChosenFolder) {
  const BrowseCase& c = GetParam();
  WizardSetup setup;
  setup.state = wizard_test::NewInstallState();
  setup.state.m_bNewInstall = c.newInstall;
  setup.prepare = c.prepare;
  setup.script = {"enter", "enter", "press Browse..."};
  setup.script.insert(setup.script.end(), c.chooser.begin(), c.chooser.end());
  setup.script.insert(setup.script.end(), {"esc", "yes"});
  const WizardRun run = RunWizard(setup);
  ASSERT_EQ(run.status, 0) << run.transcript;
  ASSERT_EQ(run.waits.size(), 4u) << run.transcript;
  const std::vector<std::string>& page = run.waits[3].page;
  EXPECT_EQ(page.at(4), "text 1006 \"" + std::string(c.hint) + "\"");
  std::string folderText = "text 1013 \"";
  for (char ch : c.instDir) folderText += ch == '\\' ? std::string("\\\\") : std::string(1, ch);
  EXPECT_EQ(page.at(6), folderText + "\"");
  EXPECT_EQ(run.state.m_strInstDir, c.instDir);
  std::vector<std::string> boxes = c.boxes;
  boxes.push_back("Do you really want to cancel Pictavo setup?");
  EXPECT_EQ(run.boxes, boxes);
  for (const std::string& folder : c.gone) {
    std::string host = run.driveC;
    for (char ch : folder.substr(2)) host += ch == '\\' ? '/' : ch;
    struct stat info;
    EXPECT_NE(stat(host.c_str(), &info), 0) << folder << " is still there";
  }
  // The chooser opens on the installation folder, made for it.
  EXPECT_NE(run.transcript.find("folder chooser \"Select the folder where where Pictavo should be installed.\" opened, "
                                "modal to dialog 106 \"\"\nfolder chooser selects C:\\Program Files\\Pictavo 6\n"),
            std::string::npos)
      << run.transcript;
}

INSTANTIATE_TEST_SUITE_P(Choices, FolderBrowse, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
