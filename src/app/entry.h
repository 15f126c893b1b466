#pragma once
// The entry of the program: from the argument vector (position 0 is the
// program) it sets the silent switch, chooses the run mode, asks what must
// be asked before anything changes, closes the running copies of the
// product and hands over. Returns the outcome: 1 when the user stopped the
// run at the instance prompt or the setup flow stopped early, else 0.
#include <string>
#include <vector>

#include "app/entry_services.h"
#include "app/run_mode.h"

int RunEntry(const std::vector<std::string>& args, EntryServices& services);

// The mode of a process that is not the self-removal copy: "-install" as the
// first argument (any case), or "setup.exe" anywhere in the lower-cased
// program path.
RunMode ChooseInstallOrUninstall(const std::vector<std::string>& args, const std::string& programPath);
