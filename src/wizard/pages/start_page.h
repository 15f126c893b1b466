#pragma once
// The ready page (step 4), which the frame turns into the progress page and
// then the finish page (step 5); it has no behaviour of its own.
#include "wizard/wizard_page.h"

class CStartDlg : public CWizardPage {
 public:
  CStartDlg();
};
