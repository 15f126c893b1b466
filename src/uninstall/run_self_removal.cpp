#include "install/deferred_ops.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/process_control.h"
#include "platform/ui.h"
#include "resource.h"
#include "state/setup_state.h"
#include "uninstall/self_removal.h"
#include "uninstall/self_removal_command.h"
#include "uninstall/uninstall_folder.h"

namespace {
// Long enough for the uninstaller that started this copy to have ended, so
// that its file can be deleted.
constexpr unsigned kWaitForUninstallerMs = 1000;
}  // namespace

void RunSelfRemoval(const std::string& uninstallerPath) {
  platform::SleepMilliseconds(kWaitForUninstallerMs);
  // This copy's own file can't go while it runs: it goes at the next restart.
  ScheduleDelete(platform::ProgramPath());
  const std::string folder = InstallationFolderOf(uninstallerPath);
  platform::DeleteFileAt(uninstallerPath);
  UninstallFolder(folder);
  if (!TheSetupState().m_bSilent) {
    platform::ShowMessageBox(nullptr, platform::LoadResourceString(IDS_UNINSTALLED),
                             platform::LoadResourceString(IDS_APP_TITLE), platform::kMbOk | platform::kMbIconExclamation);
  }
  // The orderly end: this process's clean-up runs.
  platform::ExitProcessOrderly(0);
}
