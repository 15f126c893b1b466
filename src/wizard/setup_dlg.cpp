#include "wizard/setup_dlg.h"

#include "wizard/pages/agreement_page.h"
#include "wizard/pages/folder_page.h"
#include "wizard/pages/group_page.h"
#include "wizard/pages/into_page.h"
#include "wizard/pages/start_page.h"
#include "platform/ui.h"
#include "resource.h"
#include "state/setup_state.h"

namespace {

// The page shows this far right of the picture's right edge, in pixels.
constexpr int kPageGap = 4;

std::unique_ptr<CWizardPage> PageOfStep(int step) {
  switch (step) {
    case 0:
      return std::make_unique<CIntoDlg>();
    case 1:
      return std::make_unique<CAgreementDlg>();
    case 2:
      return std::make_unique<CFolderDlg>();
    case 3:
      return std::make_unique<CGroupDlg>();
    default:
      return std::make_unique<CStartDlg>();
  }
}

}  // namespace

CSetupDlg::CSetupDlg(std::function<void()> runInstallation) : m_runInstallation(std::move(runInstallation)) {}

CSetupDlg::~CSetupDlg() = default;

int CSetupDlg::RunAsMainWindow() {
  const platform::WindowHandle previous = platform::MainWindow();
  const int result = platform::RunModalDialog(IDD_SETUP, nullptr, *this);
  // The frame's window has gone, and the page's window with it.
  if (m_pPage) m_pPage->Forget();
  m_pPage.reset();
  m_hWnd = nullptr;
  platform::SetMainWindow(previous);
  return result;
}

void CSetupDlg::OnInitDialog(platform::DialogHandle dialog) {
  m_hWnd = dialog;
  platform::SetMainWindow(platform::AsWindow(dialog));
  platform::SetDialogIcon(dialog, IDI_SETUP);
  m_strNextCaption = platform::ControlText(dialog, platform::kIdOk);
  m_strCancelCaption = platform::ControlText(dialog, platform::kIdCancel);
  Advance();
}

void CSetupDlg::OnCommand(platform::DialogHandle, int id) {
  switch (id) {
    case platform::kIdOk:
      Advance();
      break;
    case IDC_BACK:
      GoBack();
      break;
    case platform::kIdCancel:
      // Esc gives Cancel too; once the installation has begun it does nothing.
      if (platform::IsControlEnabled(m_hWnd, platform::kIdCancel)) ConfirmCancel();
      break;
    default:
      break;
  }
}

void CSetupDlg::Advance() {
  if (m_pPage && m_nStep <= 3) {
    if (!m_pPage->LeavePage()) return;
    m_pPage.reset();
  }
  // On steps 4 and 5 the ready page stays: it becomes the progress and
  // finish page.
  EnterStep(m_nStep + 1);
}

void CSetupDlg::GoBack() {
  if (!m_pPage || m_nStep < 1 || m_nStep > 4) return;
  if (!m_pPage->LeavePage()) return;
  m_pPage.reset();
  EnterStep(m_nStep - 1);
}

void CSetupDlg::EnterStep(int step) {
  m_nStep = step;
  if (m_strTitle.empty()) m_strTitle = platform::DialogCaption(m_hWnd);
  if (step != 1) {
    platform::SetControlText(m_hWnd, platform::kIdOk, m_strNextCaption);
    platform::SetControlText(m_hWnd, platform::kIdCancel, m_strCancelCaption);
  }
  switch (step) {
    case 0:
      m_pPage = PageOfStep(step);
      m_pPage->Create(m_hWnd);
      platform::ShowControl(m_hWnd, IDC_BACK, false);
      PlacePage();
      break;
    case 1:
      platform::SetControlText(m_hWnd, platform::kIdOk, platform::LoadResourceString(IDS_YES_BUTTON));
      platform::SetControlText(m_hWnd, platform::kIdCancel, platform::LoadResourceString(IDS_NO_BUTTON));
      platform::ShowControl(m_hWnd, IDC_BACK, true);
      platform::ShowControl(m_hWnd, IDC_PICTURE, false);
      // The agreement page places and shows itself over the picture's place.
      m_pPage = PageOfStep(step);
      m_pPage->Create(m_hWnd);
      platform::SetDialogCaption(m_hWnd, platform::LoadResourceString(IDS_ACCEPT_AGREEMENT));
      break;
    case 2:
    case 3:
    case 4:
      m_pPage = PageOfStep(step);
      m_pPage->Create(m_hWnd);
      PlacePage();
      break;
    case 5:
      RunInstallationStep();
      break;
    case 6:
      Finish();
      break;
    default:
      break;
  }
}

void CSetupDlg::PlacePage() {
  platform::SetDialogCaption(m_hWnd, m_strTitle);
  platform::ShowControl(m_hWnd, IDC_PICTURE, true);
  platform::EnableControl(m_hWnd, platform::kIdOk, true);
  platform::FocusControl(m_hWnd, platform::kIdOk);
  platform::PixelRect picture;
  platform::ControlScreenRect(m_hWnd, IDC_PICTURE, picture);
  platform::ScreenToClientRect(m_hWnd, picture);
  platform::PlaceOnTopAndShow(m_pPage->Window(), picture.right + kPageGap, picture.top);
}

void CSetupDlg::RunInstallationStep() {
  const platform::DialogHandle page = m_pPage->Window();
  // The please-wait line is painted before the installation starts: while it
  // runs the dialog takes no input and paints nothing.
  platform::ShowControl(page, IDC_READY, false);
  platform::ShowControl(page, IDC_READY_HINT, false);
  platform::ShowControl(page, IDC_PLEASE_WAIT, true);
  platform::RepaintNow(page);
  platform::EnableControl(m_hWnd, IDC_BACK, false);
  platform::EnableControl(m_hWnd, platform::kIdOk, false);
  platform::EnableControl(m_hWnd, platform::kIdCancel, false);
  platform::ShowCursorShape(platform::CursorShape::Wait);

  if (m_runInstallation) m_runInstallation();

  platform::ShowCursorShape(platform::CursorShape::Arrow);
  platform::EnableControl(m_hWnd, platform::kIdOk, true);
  platform::SetControlText(m_hWnd, platform::kIdOk, platform::LoadResourceString(IDS_FINISH_BUTTON));
  platform::ShowControl(page, IDC_PLEASE_WAIT, false);
  platform::ShowControl(page, IDC_RUN_AFTER, true);
  platform::SetControlText(page, IDC_READY, platform::LoadResourceString(IDS_INSTALLED));
  platform::SetControlText(page, IDC_READY_HINT, platform::LoadResourceString(IDS_PRESS_FINISH));
  platform::ShowControl(page, IDC_READY, true);
  platform::ShowControl(page, IDC_READY_HINT, true);
  platform::FocusControl(m_hWnd, platform::kIdOk);
}

void CSetupDlg::Finish() {
  TheSetupState().m_bRunAfter = platform::IsButtonChecked(m_pPage->Window(), IDC_RUN_AFTER) ? 1 : 0;
  platform::EndModalDialog(m_hWnd, platform::kIdOk);
}

void CSetupDlg::ConfirmCancel() {
  const int answer = platform::ShowMessageBox(platform::MainWindow(), platform::LoadResourceString(IDS_CONFIRM_CANCEL),
                                              platform::LoadResourceString(IDS_APP_TITLE),
                                              platform::kMbYesNo | platform::kMbIconQuestion | platform::kMbDefButton2);
  if (answer == platform::kIdYes) platform::EndModalDialog(m_hWnd, platform::kIdCancel);
}
