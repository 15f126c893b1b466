#pragma once
// The wizard frame: a picture on the left, Back, Next and Cancel at the
// bottom, and one page at a time beside the picture. Its steps:
//   0 welcome, 1 licence agreement, 2 install mode and folder,
//   3 program group and options, 4 ready, 5 installing and then finished
//   (the ready page's object), 6 closed with OK.
// Next on the ready page runs the installation on the wizard's own thread.
#include <functional>
#include <memory>
#include <string>

#include "platform/dialogs.h"
#include "wizard/wizard_page.h"

class CSetupDlg : public platform::DialogEvents {
 public:
  // `runInstallation` is the installation sequence, run once from the ready page.
  explicit CSetupDlg(std::function<void()> runInstallation);
  ~CSetupDlg() override;

  // Runs the wizard modally as the application's main window: kIdOk after
  // Finish, kIdCancel after a confirmed Cancel (-1 when it can't be shown).
  int RunAsMainWindow();

  // Next: leaves the page (steps 0 to 3) and enters the next step.
  void Advance();
  // Back: leaves the page and enters the previous step.
  void GoBack();
  void EnterStep(int step);
  // Cancel: asks, and closes the wizard with Cancel on Yes.
  void ConfirmCancel();

  int m_nStep = -1;
  std::unique_ptr<CWizardPage> m_pPage;
  std::string m_strTitle;
  std::string m_strNextCaption;
  std::string m_strCancelCaption;

 private:
  void OnInitDialog(platform::DialogHandle dialog) override;
  void OnCommand(platform::DialogHandle dialog, int id) override;

  // Steps 0, 2, 3 and 4: the saved caption, the picture, Next focused and the
  // page beside the picture.
  void PlacePage();
  void RunInstallationStep();
  void Finish();

  std::function<void()> m_runInstallation;
  platform::DialogHandle m_hWnd = nullptr;
};
