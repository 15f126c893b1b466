#include "app/setup_flow.h"

#include <cstdio>
#include <vector>

#include "app/install_options.h"
#include "app/post_installation.h"
#include "state/setup_state.h"
#include "discovery/file_version.h"
#include "discovery/installed_folders.h"
#include "discovery/installed_group.h"
#include "discovery/registry_access.h"
#include "discovery/registry_keys.h"
#include "install/installation.h"
#include "install/product_addresses.h"
#include "platform/command_line.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/ui.h"
#include "resource.h"

namespace {

const char kDefaultGroup[] = "Pictavo 6";
const char kProductFolder[] = "\\Pictavo 6";
const char kProductProgram[] = "\\Ptav6.exe";
const char kInstallScript[] = "\\PtvUnInst.log";

int Ask(const std::string& text, unsigned flags) {
  return platform::ShowMessageBox(nullptr, text, platform::LoadResourceString(IDS_APP_TITLE), flags);
}

// String 16 (the installed version is newer) or 17 (the same version).
std::string ReinstallQuestion(const ProductVersion& installed, const ProductVersion& fresh) {
  std::vector<char> text(1024);
  if (VersionNumber(fresh) < VersionNumber(installed)) {
    std::snprintf(text.data(), text.size(), platform::LoadResourceString(IDS_OLDER_VERSION).c_str(), installed.major,
                  installed.minor, installed.release, installed.beta, fresh.major, fresh.minor, fresh.release,
                  fresh.beta);
  } else {
    std::snprintf(text.data(), text.size(), platform::LoadResourceString(IDS_SAME_VERSION).c_str(), fresh.major,
                  fresh.minor, fresh.release, fresh.beta);
  }
  return text.data();
}

// The product file or the script is missing: nothing has been changed, and
// the process ends here.
[[noreturn]] void StopDamagedSetup() {
  Ask(platform::LoadResourceString(IDS_SETUP_DAMAGED), platform::kMbOk | platform::kMbIconError);
  platform::OpenWithShell(kProductHomePage);
  platform::ExitProcessNow(1);
}

void ApplyNewInstallOptions(SetupState& state) {
  const NewInstallOptions options = ReadNewInstallOptions(
      platform::SplitCommandLine(platform::CommandLine()),
      [](const std::string& path) { return platform::PathExists(path); });
  state.m_strInstDir = options.parentFolder;
  if (options.runAfter) state.m_bRunAfter = 1;
  if (options.allUsers) state.m_bAllUsers = 1;
  if (options.autoStart) state.m_bAutoStart = 1;
  if (options.noDesktopIcon) state.m_bDeskIcon = 0;
}

void OpenPostInstallationPage(const SetupState& state) {
  std::string content;
  const std::string query =
      platform::ReadWholeFile(state.m_strInstDir + "\\HomePage.url", content) ? HomePageQuery(content) : "";
  platform::OpenWithShell(PostInstallationPage(state.m_bUpgrade != 0, query));
}

}  // namespace

int RunSetupFlow() {
  SetupState& state = TheSetupState();
  state.m_strInstDir = FindInstalledFolder();
  state.m_strSrcDir = SourceFolder();
  if (state.m_strInstDir.empty()) {
    ApplyNewInstallOptions(state);
    if (state.m_strInstDir.empty()) state.m_strInstDir = DefaultProgramFilesFolder();
    state.m_strInstDir += kProductFolder;
    state.m_bNewInstall = 1;
  }
  state.m_strGroup = kDefaultGroup;

  if (!state.m_bNewInstall) {
    ReadFileVersion(state.m_strInstDir + kProductProgram);
    const ProductVersion installed = state.m_ver;
    ReadFileVersion(state.m_strSrcDir + kProductProgram);
    if (state.m_bSilent || VersionNumber(installed) < VersionNumber(state.m_ver)) {
      state.m_bUpgrade = 1;
    } else if (Ask(ReinstallQuestion(installed, state.m_ver), platform::kMbYesNo | platform::kMbIconQuestion) !=
               platform::kIdYes) {
      return 1;
    }
    state.m_bAllUsers = ReadRegistryString(platform::RegRoot::LocalMachine, kProductKey, "AllUsers") == "B" ? 1 : 0;
    ReadInstalledGroup(state.m_strInstDir);
  } else {
    ReadFileVersion(state.m_strSrcDir + kProductProgram);
  }

  if (state.m_ver.major == 0 || !platform::PathExists(state.m_strSrcDir + kInstallScript)) StopDamagedSetup();

  if (state.m_bSilent) {
    // A silent new installation is made for all users.
    if (state.m_bNewInstall) state.m_bAllUsers = 1;
    RunInstallation();
  } else {
    // The wizard is not part of this program yet: say so and change nothing.
    Ask(platform::LoadResourceString(IDS_INTERACTIVE_NOT_READY), platform::kMbOk | platform::kMbIconInformation);
    return 1;
  }

  platform::SetCurrentFolder(state.m_strInstDir);
  if (!state.m_bSilent && (state.m_bNewInstall || state.m_bUpgrade)) OpenPostInstallationPage(state);
  if (state.m_bRunAfter) {
    std::uint32_t processId = 0;
    platform::StartProgram(ProductCommandLine(state.m_strInstDir), state.m_strInstDir, processId);
  }
  return 0;
}
