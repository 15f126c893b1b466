#include "app/entry.h"

#include "platform/text.h"
#include "platform/ui.h"
#include "resource.h"
#include "state/setup_state.h"

namespace {

// The entry's text buffers: the caption takes 128 bytes, messages 256.
constexpr std::size_t kCaptionBufferSize = 128;
constexpr std::size_t kMessageBufferSize = 256;

// What of `text` fits into a buffer of `bufferSize` bytes with its
// terminating zero; a double-byte character that does not fit whole is left
// out rather than split.
std::string FitIntoBuffer(std::string text, std::size_t bufferSize) {
  if (text.size() < bufferSize) return text;
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = platform::NextCharIndex(text, end);
    if (next > bufferSize - 1) break;
    end = next;
  }
  text.resize(end);
  return text;
}

std::string LoadInto(EntryServices& services, unsigned id, std::size_t bufferSize) {
  return FitIntoBuffer(services.LoadText(id), bufferSize);
}

// "-s" in any letter case at any position from 1; "/s" is not the switch.
bool HasSilentSwitch(const std::vector<std::string>& args) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (platform::EqualsIgnoreCaseAscii(args[i], "-s")) return true;
  }
  return false;
}

// The temporary uninstaller copy: "-delself" exactly, and the path to remove.
bool IsSelfRemoval(const std::vector<std::string>& args) {
  return args.size() >= 3 && args[1] == "-delself";
}

// An installer whose later arguments say it runs unattended does not ask
// before closing the running copies; the first argument is not looked at.
bool SkipsInstancePrompt(const std::vector<std::string>& args) {
  for (std::size_t i = 2; i < args.size(); ++i) {
    if (platform::EqualsIgnoreCaseAscii(args[i], "/s") || platform::EqualsIgnoreCaseAscii(args[i], "-s")) {
      return true;
    }
  }
  return false;
}

// String 4 carries one %d for the number of other copies.
std::string FormatInstanceCount(const std::string& pattern, int others) {
  std::string text = pattern;
  const std::size_t at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(others));
  return FitIntoBuffer(text, kMessageBufferSize);
}

// Asks before closing the running copies; false when the user refused.
bool ConfirmClosingInstances(EntryServices& services, int others, const std::string& caption) {
  const std::string text = others == 1
                               ? LoadInto(services, IDS_ONE_INSTANCE_RUNNING, kMessageBufferSize)
                               : FormatInstanceCount(LoadInto(services, IDS_INSTANCES_RUNNING, kMessageBufferSize), others);
  if (services.ShowMessage(text, caption, platform::kMbYesNo | platform::kMbIconExclamation) == platform::kIdYes) {
    return true;
  }
  services.ShowMessage(LoadInto(services, IDS_CLOSE_INSTANCES_MANUALLY, kMessageBufferSize), caption,
                       platform::kMbOk | platform::kMbIconInformation);
  return false;
}

}  // namespace

RunMode ChooseInstallOrUninstall(const std::vector<std::string>& args, const std::string& programPath) {
  if (args.size() >= 2 && platform::EqualsIgnoreCaseAscii(args[1], "-install")) return RunMode::Install;
  std::string path = programPath;
  platform::LowerCaseAnsi(path);
  return platform::FindAnsi(path, "setup.exe") != std::string::npos ? RunMode::Install : RunMode::Uninstall;
}

int RunEntry(const std::vector<std::string>& args, EntryServices& services) {
  SetupState& state = TheSetupState();
  state.m_bSilent = HasSilentSwitch(args) ? 1 : 0;

  if (IsSelfRemoval(args)) {
    services.RunSelfRemoval(args[2]);
    return 0;
  }

  const std::string caption = LoadInto(services, IDS_ENTRY_CAPTION, kCaptionBufferSize);
  const RunMode mode = ChooseInstallOrUninstall(args, services.ProgramPath());

  if (mode == RunMode::Uninstall && !state.m_bSilent) {
    const int answer =
        services.ShowMessage(LoadInto(services, IDS_CONFIRM_UNINSTALL, kMessageBufferSize), caption,
                             platform::kMbYesNo | platform::kMbIconExclamation | platform::kMbDefButton2);
    if (answer != platform::kIdYes) return 0;
  }

  const int others = services.CountInstances() - 1;
  if (others > 0) {
    // The uninstall confirmation already covers closing the copies.
    if (mode == RunMode::Install && !SkipsInstancePrompt(args) &&
        !ConfirmClosingInstances(services, others, caption)) {
      return 1;
    }
    services.CloseRunningInstances(others);
  }

  if (mode == RunMode::Install) return services.RunSetupFlow();
  services.StartSelfRemoval();
  return 0;
}
