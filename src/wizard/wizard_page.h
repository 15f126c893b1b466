#pragma once
// A page of the wizard: a child dialog of the frame, made from its template
// each time its step is entered. The frame places it, asks it to leave, and
// discards it.
#include "platform/dialogs.h"

class CWizardPage : public platform::DialogEvents {
 public:
  explicit CWizardPage(unsigned templateId) : m_nTemplate(templateId) {}
  ~CWizardPage() override;
  CWizardPage(const CWizardPage&) = delete;
  CWizardPage& operator=(const CWizardPage&) = delete;

  // Makes the page's window inside the frame, hidden; InitPage runs meanwhile.
  bool Create(platform::DialogHandle frame);
  // Fills the page's controls from the setup state.
  virtual void InitPage() {}
  // The frame wants to leave the page: true once the page has stored its
  // values in the setup state and closed its window; false when it has told
  // the user why it stays (its window stays open).
  virtual bool LeavePage();

  platform::DialogHandle Window() const { return m_hWnd; }
  // The frame's window has gone, and the page's with it.
  void Forget() { m_hWnd = nullptr; }

 protected:
  // A command from one of the page's own controls.
  virtual void OnPageCommand(int /*id*/) {}
  // Closes the page's window.
  void ClosePage();
  // Tells the user why the page refuses something: a string in a message
  // box with OK and the exclamation icon, owned by the wizard.
  static void Tell(unsigned textId);

 private:
  void OnInitDialog(platform::DialogHandle dialog) override;
  void OnCommand(platform::DialogHandle dialog, int id) override;

  unsigned m_nTemplate;
  platform::DialogHandle m_hWnd = nullptr;
};
