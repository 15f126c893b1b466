#include "platform/ui.h"

namespace platform {

namespace {
// The program's own code runs on one thread.
WindowHandle mainWindow = nullptr;
}  // namespace

WindowHandle MainWindow() { return mainWindow; }

void SetMainWindow(WindowHandle window) { mainWindow = window; }

}  // namespace platform
