#include "app/platform_entry_services.h"

#include "app/setup_flow.h"
#include "instances/close_instances.h"
#include "instances/the_instance_manager.h"
#include "platform/process.h"
#include "platform/ui.h"
#include "uninstall/self_removal.h"

std::string PlatformEntryServices::ProgramPath() { return platform::ProgramPath(); }

std::string PlatformEntryServices::LoadText(unsigned id) { return platform::LoadResourceString(id); }

int PlatformEntryServices::ShowMessage(const std::string& text, const std::string& caption, unsigned flags) {
  return platform::ShowMessageBox(nullptr, text, caption, flags);
}

int PlatformEntryServices::CountInstances() { return static_cast<int>(TheInstanceManager().CountInstances()); }

void PlatformEntryServices::CloseRunningInstances(int others) { ::CloseRunningInstances(others); }

int PlatformEntryServices::RunSetupFlow() { return ::RunSetupFlow(); }

void PlatformEntryServices::StartSelfRemoval() { ::StartSelfRemoval(); }

void PlatformEntryServices::RunSelfRemoval(const std::string& uninstallerPath) {
  ::RunSelfRemoval(uninstallerPath);
}
