#pragma once
// The main window of a registered process, to which the registry's notices
// and the close request go.
#include <cstdint>

#include "platform/ui.h"

// Walks the top-level windows in the system's order and takes the first of
// process `processId` that has no owner, is no tool window and whose title
// marks it (TitleMarksMainWindow); hidden windows count. nullptr when none.
platform::WindowHandle FindInstanceWindow(std::uint32_t processId);
