#include "wizard/pages/agreement_page.h"

#include "platform/files.h"
#include "resource.h"

namespace {

const char kAgreementFile[] = "agreement.txt";
// The page's place in the frame's client area, in pixels.
constexpr int kPageLeft = 4, kPageTop = 4;

}  // namespace

CAgreementDlg::CAgreementDlg() : CWizardPage(IDD_AGREEMENT) {}

void CAgreementDlg::InitPage() {
  // The bytes as they are; a missing file leaves the edit empty, and the
  // text ends at a zero byte as the edit would end it.
  std::string content;
  if (platform::ReadWholeFile(kAgreementFile, content)) m_strAgreement = content.substr(0, content.find('\0'));
  platform::SetControlText(Window(), IDC_AGREEMENT, m_strAgreement);
  platform::SelectEditText(Window(), IDC_AGREEMENT, -1, 0);
  platform::ScrollEditCaret(Window(), IDC_AGREEMENT);
  platform::PlaceOnTopAndShow(Window(), kPageLeft, kPageTop);
}
