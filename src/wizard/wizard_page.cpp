#include "wizard/wizard_page.h"

#include "platform/ui.h"
#include "resource.h"

CWizardPage::~CWizardPage() { ClosePage(); }

bool CWizardPage::Create(platform::DialogHandle frame) {
  return platform::CreateModelessDialog(m_nTemplate, frame, *this) != nullptr;
}

bool CWizardPage::LeavePage() {
  ClosePage();
  return true;
}

void CWizardPage::ClosePage() {
  if (m_hWnd != nullptr) platform::DestroyDialog(m_hWnd);
  m_hWnd = nullptr;
}

void CWizardPage::OnInitDialog(platform::DialogHandle dialog) {
  m_hWnd = dialog;
  InitPage();
}

void CWizardPage::OnCommand(platform::DialogHandle, int id) { OnPageCommand(id); }

void CWizardPage::Tell(unsigned textId) {
  platform::ShowMessageBox(platform::MainWindow(), platform::LoadResourceString(textId),
                           platform::LoadResourceString(IDS_APP_TITLE), platform::kMbOk | platform::kMbIconExclamation);
}
