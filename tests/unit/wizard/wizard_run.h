#pragma once
// Runs the wizard frame on a fresh emulated machine, in a child process,
// with the operator's script queued, and gives back what it showed and did.
// The installation is a stand-in that counts its runs and marks the
// transcript, so that the wizard's steps are tested on their own.
#include <functional>
#include <string>
#include <vector>

#include "state/setup_state.h"

namespace wizard_test {

struct WizardSetup {
  SetupState state;  // as the setup flow leaves it before the wizard
  std::vector<std::string> script;
  std::string agreement = "LICENCE\r\nThe terms.\r\n";
  // Runs in the child on the machine before the wizard: files, folders.
  std::function<void()> prepare;
};

// One wait of the frame for the operator, condensed: the caption, Back,
// Next, Cancel and the picture, then the page with its place, e.g.
//   Pictavo Setup | "< &Back" hidden | "&Next >" default focused | "Cancel" | picture | page 105 at 141,13
struct WaitView {
  std::string frame;
  std::vector<std::string> page;  // the page's controls as the transcript describes them
};

struct WizardRun {
  int status = -1;  // of the child: 0 when the wizard returned
  int result = 0;   // the wizard's modal result
  int installations = 0;
  SetupState state;  // after the wizard
  std::string transcript;
  std::vector<WaitView> waits;
  std::vector<std::string> boxes;  // the text of every message box, in order
  // Host path of the machine's drive C: while the run's object lives.
  std::string driveC;
  std::string machine;
};

// The line the stand-in installation writes into the transcript.
extern const char kInstallationMark[];

WizardRun RunWizard(const WizardSetup& setup);

// A setup state for a new installation into C:\Program Files\Pictavo 6.
SetupState NewInstallState();

// The frame waits condensed to their first part.
std::vector<std::string> Frames(const WizardRun& run);

}  // namespace wizard_test
