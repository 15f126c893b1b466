#pragma once
// The registry's choice of a process's main window, on plain values.
#include <string>

// The title test that picks a process's main window, after the window was
// found to be its own, unowned and no tool window: the system's helper
// windows are passed by, a title that begins with "Pictavo" (exactly so, at
// its first character) is taken.
bool TitleMarksMainWindow(const std::string& title);
