#include "wizard/pages/group_page.h"

#include "discovery/shell_folders.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "resource.h"
#include "state/setup_state.h"
#include "wizard/pages/group_name.h"

namespace {

const AnsiTextRules& CodePageRules() {
  static const AnsiTextRules rules = {platform::NextCharIndex, platform::LowerCaseAnsi};
  return rules;
}

}  // namespace

CGroupDlg::CGroupDlg() : CWizardPage(IDD_GROUP) {}

void CGroupDlg::InitPage() {
  const SetupState& state = TheSetupState();
  m_nAutoStartCheck = state.m_bAutoStart ? 1 : 0;
  m_nDeskIconCheck = state.m_bDeskIcon ? 1 : 0;
  m_strGroupName = state.m_strGroup;
  platform::CheckButton(Window(), IDC_AUTOSTART, m_nAutoStartCheck != 0);
  platform::CheckButton(Window(), IDC_DESKICON, m_nDeskIconCheck != 0);
  platform::SetControlText(Window(), IDC_GROUP, m_strGroupName);
}

bool CGroupDlg::LeavePage() {
  m_nAutoStartCheck = platform::IsButtonChecked(Window(), IDC_AUTOSTART) ? 1 : 0;
  m_nDeskIconCheck = platform::IsButtonChecked(Window(), IDC_DESKICON) ? 1 : 0;
  m_strGroupName = platform::ControlText(Window(), IDC_GROUP);
  // The edit keeps what was typed; only the stored name is trimmed.
  const std::string trimmed = TrimGroupName(m_strGroupName, CodePageRules());
  switch (CheckGroupName(trimmed, ReadShellFolder(ShellFolder::Startup, false), ReadShellFolder(ShellFolder::Startup, true),
                         CodePageRules())) {
    case GroupNameCheck::TooShort:
      Tell(IDS_GROUP_TOO_SHORT);
      return false;
    case GroupNameCheck::StartupFolder:
      Tell(IDS_GROUP_IS_STARTUP);
      return false;
    case GroupNameCheck::Accepted:
      break;
  }
  SetupState& state = TheSetupState();
  state.m_bAutoStart = m_nAutoStartCheck;
  state.m_bDeskIcon = m_nDeskIconCheck;
  state.m_strGroup = trimmed;
  ClosePage();
  return true;
}
