#include "app/setup_app.h"

#include "app/entry.h"
#include "app/platform_entry_services.h"
#include "install/wow64.h"
#include "platform/command_line.h"
#include "platform/process.h"

int CSetupApp::InitInstance() {
  // Kept for the install script's 64-bit lines, looked up before anything runs.
  LookUpWow64Query();
  const std::vector<std::string> args = platform::SplitCommandLine(platform::CommandLine());
  PlatformEntryServices services;
  return RunEntry(args, services);
}
