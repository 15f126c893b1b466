#include "scratch_machine.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>

#include "app/state/setup_state.h"
#include "platform/emulated/machine.h"
#include "platform/files.h"

namespace discovery_tests {

ScratchMachine::ScratchMachine(unsigned codePage) {
  TheSetupState() = SetupState();
  std::string pattern = (std::filesystem::temp_directory_path() / "ptvdiscovery-XXXXXX").string();
  if (!mkdtemp(&pattern[0])) return;
  host_ = pattern;
  emu::MachineSettings settings;
  settings.codePage = codePage;
  std::string error;
  if (!emu::CreateMachine(host_ + "/machine", settings, error)) {
    std::fprintf(stderr, "no emulated machine: %s\n", error.c_str());
    return;
  }
  emu::UseMachine(host_ + "/machine");
  ready_ = true;
}

ScratchMachine::~ScratchMachine() {
  if (host_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(host_, ignored);
}

bool MakeFolders(const std::string& windowsPath) {
  // Each level in turn; "C:" itself needs no making.
  for (std::size_t at = windowsPath.find('\\'); ; at = windowsPath.find('\\', at + 1)) {
    const std::string level = windowsPath.substr(0, at);
    if (level.size() > 2 && !platform::PathExists(level) && !platform::CreateFolder(level)) return false;
    if (at == std::string::npos) return true;
  }
}

bool PutFile(const std::string& windowsPath, const std::string& content) {
  const std::size_t last = windowsPath.rfind('\\');
  return MakeFolders(windowsPath.substr(0, last)) && platform::WriteWholeFile(windowsPath, content);
}

}  // namespace discovery_tests
