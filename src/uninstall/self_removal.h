#pragma once
#include <string>

// The uninstaller starts a temporary copy of itself with "-delself" and its
// own path, and ends at once when that worked. Returns only when the copy
// could not be started.
void StartSelfRemoval();

// The temporary copy's work: removes the uninstaller's file and the
// installation, then ends the process.
void RunSelfRemoval(const std::string& uninstallerPath);
