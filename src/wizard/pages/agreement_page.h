#pragma once
// The licence agreement page (step 1): "agreement.txt" from the current
// folder in a read-only edit, from its first line and with nothing selected.
// The frame's Next and Cancel read "Yes" and "No" meanwhile; reaching the
// next step is the acceptance.
#include <string>

#include "wizard/wizard_page.h"

class CAgreementDlg : public CWizardPage {
 public:
  CAgreementDlg();
  // Loads and shows the agreement and places the page itself, over the
  // place of the frame's picture; the focus stays where it is.
  void InitPage() override;

  std::string m_strAgreement;
};
