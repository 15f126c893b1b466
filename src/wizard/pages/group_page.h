#pragma once
// The program group and options page (step 3): the Start-menu group for the
// product's shortcuts, auto-start with Windows and the desktop icon. The
// only page that may refuse to be left, in either direction: its entries
// reach the setup state only once the group name passes its checks.
#include <string>

#include "wizard/wizard_page.h"

class CGroupDlg : public CWizardPage {
 public:
  CGroupDlg();
  void InitPage() override;
  bool LeavePage() override;

  std::string m_strGroupName;
  int m_nAutoStartCheck = 0;
  int m_nDeskIconCheck = 0;
};
