#include "scratch_machine.h"

#include "platform/files.h"
#include "state/setup_state.h"

namespace discovery_tests {

namespace {
// The setup state starts afresh with every machine, as in a new process.
emu::MachineSettings FreshStateAndCodePage(unsigned codePage) {
  TheSetupState() = SetupState();
  emu::MachineSettings settings;
  settings.codePage = codePage;
  return settings;
}
}  // namespace

ScratchMachine::ScratchMachine(unsigned codePage) : machine_(FreshStateAndCodePage(codePage)) {}

ScratchMachine::~ScratchMachine() = default;

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
