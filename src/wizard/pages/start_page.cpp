#include "wizard/pages/start_page.h"

#include "resource.h"

CStartDlg::CStartDlg() : CWizardPage(IDD_START) {}
