#pragma once
// The install-mode and folder page (step 2): current user or all users, and
// the installation folder, which Browse may change. Browse refuses a folder
// that holds version 4 or 5 of the product, and puts the product into a
// "Pictavo 6" subfolder of a folder that holds other things. A hint tells
// when the folder shown holds the copy that setup found installed.
#include <string>

#include "wizard/wizard_page.h"

class CFolderDlg : public CWizardPage {
 public:
  CFolderDlg();
  void InitPage() override;
  // Stores the install mode; never refuses.
  bool LeavePage() override;

  // Button Browse: the folder chooser, starting at the installation folder.
  void OnBrowse();
  // What the folder chooser tells while it is open.
  int BrowseCallback(platform::BrowseDialog chooser, platform::BrowseNotice notice);
  void UpdateHint();
  // The entries directly in `folder`, files and folders, without "." and
  // ".."; 0 when it can't be listed.
  static int CountFolderEntries(const std::string& folder);

  std::string m_strHint;
  int m_nInstallMode = -1;  // 0: current user (1001), 1: all users (1002)

 private:
  void OnPageCommand(int id) override;
};
