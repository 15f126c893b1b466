#include <cstdint>

#include "platform/files.h"
#include "platform/process.h"
#include "state/setup_state.h"
#include "uninstall/self_removal.h"
#include "uninstall/self_removal_command.h"

void StartSelfRemoval() {
  // The copy runs from the temporary folder, so that the installation folder
  // and the uninstaller's own file can go.
  const std::string copy = platform::MakeTempFileName(platform::TempFolder(), "uni");
  if (copy.empty()) return;
  if (!platform::CopyFileTo(platform::ProgramPath(), copy, false)) return;
  const std::string line = SelfRemovalCommandLine(copy, platform::ProgramPath(), TheSetupState().m_bSilent != 0);
  std::uint32_t processId = 0;
  if (!platform::StartProgram(line, "", processId)) return;
  // At once, without this process's own clean-up: the copy takes over.
  platform::ExitProcessNow(0);
}
