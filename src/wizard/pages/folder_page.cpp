#include "wizard/pages/folder_page.h"

#include "platform/files.h"
#include "platform/scoped.h"
#include "platform/ui.h"
#include "resource.h"
#include "state/setup_state.h"

namespace {

const char kThisVersion[] = "\\Ptav6.exe";
const char kOldVersions[][12] = {"\\Ptav.exe", "\\Ptav5.exe"};  // versions 4 and 5
const char kProductFolder[] = "\\Pictavo 6";
// File-system folders only, a box for a typed name, validation of that name
// and the resizable dialog with its new-folder button.
constexpr unsigned kBrowseFlags =
    platform::kBifReturnOnlyFsDirs | platform::kBifEditBox | platform::kBifValidate | platform::kBifNewDialogStyle;

using ScopedFolderItem = platform::Scoped<platform::FolderItem, platform::FreeFolderItem>;

}  // namespace

CFolderDlg::CFolderDlg() : CWizardPage(IDD_FOLDER) {}

void CFolderDlg::InitPage() {
  const SetupState& state = TheSetupState();
  m_strHint = platform::ControlText(Window(), IDC_HINT);
  UpdateHint();
  platform::SetControlText(Window(), IDC_FOLDER, state.m_strInstDir);
  m_nInstallMode = state.m_bAllUsers ? 1 : 0;
  platform::CheckRadioButtonInRange(Window(), IDC_CURRENT_USER, IDC_ALL_USERS,
                                    m_nInstallMode == 1 ? IDC_ALL_USERS : IDC_CURRENT_USER);
}

bool CFolderDlg::LeavePage() {
  m_nInstallMode = platform::IsButtonChecked(Window(), IDC_ALL_USERS)      ? 1
                   : platform::IsButtonChecked(Window(), IDC_CURRENT_USER) ? 0
                                                                           : -1;
  TheSetupState().m_bAllUsers = m_nInstallMode == 1 ? 1 : 0;
  ClosePage();
  return true;
}

void CFolderDlg::OnPageCommand(int id) {
  if (id == IDC_BROWSE) OnBrowse();
}

void CFolderDlg::UpdateHint() {
  const SetupState& state = TheSetupState();
  const bool installedHere = !state.m_bNewInstall && platform::PathExists(state.m_strInstDir + kThisVersion);
  platform::SetControlText(Window(), IDC_HINT,
                           installedHere ? platform::LoadResourceString(IDS_PREVIOUS_COPY_HINT) : m_strHint);
}

void CFolderDlg::OnBrowse() {
  SetupState& state = TheSetupState();
  const std::string title = platform::LoadResourceString(IDS_BROWSE_TITLE);
  // The folder is made for the time the chooser is open, so that it can be
  // selected even before the installation made it.
  platform::CreateFolder(state.m_strInstDir);
  // The chosen item is freed with the shell's allocator on the way out.
  const ScopedFolderItem item(platform::BrowseForFolder(
      platform::AsWindow(Window()), title, kBrowseFlags,
      [this](platform::BrowseDialog chooser, platform::BrowseNotice notice, const std::string&) {
        return BrowseCallback(chooser, notice);
      }));
  platform::RemoveFolder(state.m_strInstDir);
  if (!item) return;

  std::string path;
  if (platform::PathFromFolderItem(item.Get(), path)) {
    // A folder just made in the chooser goes again; the installation makes it.
    platform::RemoveFolder(path);
    if (platform::PathExists(path + kOldVersions[0]) || platform::PathExists(path + kOldVersions[1])) {
      Tell(IDS_OLD_VERSION_FOLDER);
    } else {
      if (!platform::PathExists(path + kThisVersion) && CountFolderEntries(path) > 0) path += kProductFolder;
      state.m_strInstDir = path;
      platform::SetControlText(Window(), IDC_FOLDER, path);
      UpdateHint();
    }
  }
}

int CFolderDlg::BrowseCallback(platform::BrowseDialog chooser, platform::BrowseNotice notice) {
  switch (notice) {
    case platform::BrowseNotice::Initialized:
      platform::SetBrowseSelection(chooser, TheSetupState().m_strInstDir);
      return 0;
    case platform::BrowseNotice::ValidateFailed:
      Tell(IDS_INVALID_FOLDER);
      return 1;  // the chooser stays open
    default:
      return 0;
  }
}

int CFolderDlg::CountFolderEntries(const std::string& folder) {
  platform::FindData found;
  const platform::ScopedFind find(platform::FindFirst(folder + "\\*", found));
  if (!find) return 0;
  int count = 0;
  do {
    if (found.name != "." && found.name != "..") ++count;
  } while (platform::FindNext(find.Get(), found));
  return count;
}
