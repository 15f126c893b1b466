#include "install/shortcuts.h"

#include "state/setup_state.h"
#include "discovery/log_file.h"
#include "platform/ui.h"
#include "resource.h"

namespace {

// The target travels in a 512-byte buffer.
constexpr std::size_t kTargetBufferSize = 512;

bool comInitialized = false;

void TellFailure(const char* text) {
  platform::ShowMessageBox(nullptr, text, platform::LoadResourceString(IDS_APP_TITLE),
                           platform::kMbOk | platform::kMbIconExclamation);
}

}  // namespace

const ShortcutSteps& PlatformShortcutSteps() {
  static const ShortcutSteps steps = {
      platform::InitializeCom,      platform::CreateShellLink,    platform::QueryLinkFile,
      platform::SetLinkPath,        platform::SetLinkDescription, platform::SetLinkWorkingFolder,
      platform::SaveLinkFile,       platform::ReleaseLinkFile,    platform::ReleaseShellLink,
  };
  return steps;
}

std::string WithoutSurroundingQuotes(const std::string& path) {
  std::string text = path.substr(0, kTargetBufferSize - 1);
  if (!text.empty() && text.front() == '"') text.erase(0, 1);
  if (!text.empty() && text.back() == '"') text.pop_back();
  return text;
}

platform::HResult CreateShortcut(const std::string& targetPath, const std::string& linkPath,
                                 const std::string& workingFolder, const ShortcutSteps& steps) {
  if (!comInitialized) {
    steps.initializeCom();
    comInitialized = true;
  }
  platform::ShellLink link = nullptr;
  platform::HResult hr = steps.createLink(link);
  if (!platform::HrSucceeded(hr)) return hr;
  platform::LinkFile file = nullptr;
  hr = steps.queryFile(link, file);
  if (!platform::HrSucceeded(hr)) {
    steps.releaseLink(link);
    return hr;
  }

  if (!platform::HrSucceeded(steps.setPath(link, WithoutSurroundingQuotes(targetPath)))) {
    TellFailure("SetPath failed!");
  }
  if (!platform::HrSucceeded(steps.setDescription(link, ""))) TellFailure("SetDescription failed!");
  if (!workingFolder.empty()) steps.setWorkingFolder(link, workingFolder);
  hr = steps.save(file, linkPath);
  if (platform::HrSucceeded(hr)) {
    AppendLogLine(TheSetupState().m_strInstDir + "\\PtvUnInst.log", "Shell Link: " + linkPath);
  }
  steps.releaseFile(file);
  steps.releaseLink(link);
  return hr;
}
