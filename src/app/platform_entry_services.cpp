#include "app/platform_entry_services.h"

#include "app/setup_flow.h"
#include "instances/running_instances.h"
#include "platform/process.h"
#include "platform/ui.h"
#include "uninstall/self_removal.h"

std::string PlatformEntryServices::ProgramPath() { return platform::ProgramPath(); }

std::string PlatformEntryServices::LoadText(unsigned id) { return platform::LoadResourceString(id); }

int PlatformEntryServices::ShowMessage(const std::string& text, const std::string& caption, unsigned flags) {
  return platform::ShowMessageBox(nullptr, text, caption, flags);
}

int PlatformEntryServices::CountInstances() { return CountRegisteredInstances(); }

void PlatformEntryServices::CloseRunningInstances(int others) { CloseOtherInstances(others); }

int PlatformEntryServices::RunSetupFlow() { return ::RunSetupFlow(); }

void PlatformEntryServices::StartSelfRemoval() { ::StartSelfRemoval(); }

void PlatformEntryServices::RunSelfRemoval(const std::string& uninstallerPath) {
  ::RunSelfRemoval(uninstallerPath);
}
