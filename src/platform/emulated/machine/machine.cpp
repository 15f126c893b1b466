#include "platform/emulated/machine/machine.h"

#include <cstdlib>
#include <fstream>

#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/paths.h"

// Which machine this process acts on, and that machine's settings.
namespace emu {

namespace {

struct MachineState {
  bool folderKnown = false;
  std::string folder;
  bool settingsLoaded = false;
  std::string settingsFolder;
  MachineSettings settings;
};

MachineState& State() {
  static MachineState state;
  return state;
}

bool ParseFlag(const std::string& value, bool fallback) {
  if (value == "1" || value == "true" || value == "yes") return true;
  if (value == "0" || value == "false" || value == "no") return false;
  return fallback;
}

MachineSettings ReadSettings(const std::string& folder) {
  MachineSettings settings;
  if (folder.empty()) return settings;
  std::ifstream in(folder + "/machine.ini");
  std::string line;
  while (std::getline(in, line)) {
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = internal::Trimmed(line.substr(0, eq));
    std::string value = internal::Trimmed(line.substr(eq + 1));
    if (key == "user") {
      if (!value.empty()) settings.userName = value;
    } else if (key == "codepage") {
      settings.codePage = value == "932" ? 932u : 1252u;
    } else if (key == "administrator") {
      settings.administrator = ParseFlag(value, settings.administrator);
    } else if (key == "windows64") {
      settings.windows64 = ParseFlag(value, settings.windows64);
    } else if (key == "pending_renames") {
      settings.pendingRenames = ParseFlag(value, settings.pendingRenames);
    }
  }
  return settings;
}

std::string WithoutTrailingSlashes(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

const std::string& KnownFolder() {
  MachineState& state = State();
  if (!state.folderKnown) {
    const char* env = std::getenv("PTV_MACHINE");
    state.folder = env ? WithoutTrailingSlashes(env) : "";
    state.folderKnown = true;
  }
  return state.folder;
}

}  // namespace

// The settings are read again whenever the machine changes.
void UseMachine(const std::string& folder) {
  MachineState& state = State();
  state.folder = WithoutTrailingSlashes(folder);
  state.folderKnown = true;
  state.settingsLoaded = false;
  setenv("PTV_MACHINE", state.folder.c_str(), 1);
  internal::ForgetPathState();
}

std::string MachineFolder() { return KnownFolder(); }

const MachineSettings& Settings() {
  MachineState& state = State();
  const std::string& folder = KnownFolder();
  if (!state.settingsLoaded || state.settingsFolder != folder) {
    state.settings = ReadSettings(folder);
    state.settingsFolder = folder;
    state.settingsLoaded = true;
  }
  return state.settings;
}

}  // namespace emu
