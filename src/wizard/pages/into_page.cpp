#include "wizard/pages/into_page.h"

#include "resource.h"
#include "state/setup_state.h"
#include "wizard/pages/version_line.h"

CIntoDlg::CIntoDlg() : CWizardPage(IDD_WELCOME) {}

void CIntoDlg::InitPage() {
  const std::string pattern = platform::ControlText(Window(), IDC_VERSION);
  platform::SetControlText(Window(), IDC_VERSION, FormatVersionLine(pattern, TheSetupState().m_ver));
}
