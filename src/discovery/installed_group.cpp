#include "discovery/installed_group.h"

#include "discovery/folder_of_path.h"
#include "discovery/log_file.h"
#include "discovery/shell_folders.h"
#include "platform/text.h"
#include "script/log_line.h"
#include "script/log_reader.h"
#include "state/setup_state.h"

void ReadInstalledGroup(const std::string& installFolder) {
  LogReader log;
  if (!OpenLogFile(installFolder + "\\PtvUnInst.log", log) &&
      !OpenLogFile(installFolder + "\\install.log", log)) {
    return;
  }

  SetupState& state = TheSetupState();
  const bool allUsers = state.m_bAllUsers != 0;
  std::string programs = ReadShellFolder(ShellFolder::Programs, allUsers);
  std::string startup = ReadShellFolder(ShellFolder::Startup, allUsers);
  if (!EndsWithBackslash(programs)) programs += '\\';
  platform::LowerCaseAnsi(programs);
  platform::LowerCaseAnsi(startup);

  std::string text;
  while (ReadLogLine(log, text)) {
    const LogLine line = ClassifyLogLine(text);
    if (line.kind != LineKind::ShellLink) continue;
    std::string link = line.text;
    platform::LowerCaseAnsi(link);
    // A shortcut inside the programs folder, but not the auto-start one (the
    // Startup folder usually lies inside the programs folder). An empty
    // Startup value is found in every link, so then no line counts.
    if (platform::FindAnsi(link, programs) != 0) continue;
    if (platform::FindAnsi(link, startup) != std::string::npos) continue;
    // Lower-casing keeps the length, so the group keeps the line's own case.
    state.m_strGroup = FolderOfPath(line.text.substr(programs.size()));
  }
}
