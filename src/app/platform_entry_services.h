#pragma once
// The entry's services on the real (or emulated) system.
#include "app/entry_services.h"

class PlatformEntryServices : public EntryServices {
 public:
  std::string ProgramPath() override;
  std::string LoadText(unsigned id) override;
  int ShowMessage(const std::string& text, const std::string& caption, unsigned flags) override;
  int CountInstances() override;
  void CloseRunningInstances(int others) override;
  int RunSetupFlow() override;
  void StartSelfRemoval() override;
  void RunSelfRemoval(const std::string& uninstallerPath) override;
};
