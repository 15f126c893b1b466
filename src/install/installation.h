#pragma once
// One installation from start to end, from the setup state: the clean-up
// of an earlier installation in the same folder, the product files, the
// uninstall log, the program group and its shortcuts, the desktop and
// Startup shortcuts, the registry entries and the preset settings file.
// Every step runs whatever became of the ones before it. Always 0.
int RunInstallation();
