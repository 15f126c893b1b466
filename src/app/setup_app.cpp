#include "app/setup_app.h"

#include "app/command_line.h"
#include "app/entry.h"
#include "app/platform_entry_services.h"
#include "platform/process.h"
#include "platform/text.h"

int CSetupApp::InitInstance() {
  const std::vector<std::string> args = SplitCommandLine(platform::CommandLine(), platform::IsLeadByte);
  PlatformEntryServices services;
  return RunEntry(args, services);
}
