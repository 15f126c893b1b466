#pragma once
// What the dialog cases need from the system they run on.
#include <string>

namespace dialog_conformance {

// Prepares the system for dialogs (on Linux: an emulated machine in use for
// this process); false with a reason when dialogs can't be shown here (under
// Wine without a display).
bool PrepareDialogs(std::string& reason);

}  // namespace dialog_conformance
