#pragma once
// The welcome page (step 0): a greeting and the version being installed.
#include "wizard/wizard_page.h"

class CIntoDlg : public CWizardPage {
 public:
  CIntoDlg();
  // Formats the version line from the template text of its control.
  void InitPage() override;
};
