#include "app/setup_app.h"

#include "app/entry.h"
#include "app/platform_entry_services.h"
#include "platform/command_line.h"
#include "platform/process.h"

int CSetupApp::InitInstance() {
  const std::vector<std::string> args = platform::SplitCommandLine(platform::CommandLine());
  PlatformEntryServices services;
  return RunEntry(args, services);
}
