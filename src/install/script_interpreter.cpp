#include "install/script_interpreter.h"

#include "state/setup_state.h"
#include "discovery/join_path.h"
#include "discovery/log_file.h"
#include "install/file_copy.h"
#include "install/wow64.h"
#include "platform/files.h"
#include "platform/library.h"
#include "script/contained_names.h"
#include "script/file_names.h"
#include "script/log_line.h"
#include "script/log_reader.h"

namespace {

void CopyAction(const std::string& text, const SetupState& state) {
  const SourceDestination names = SplitSourceDestination(text);
  if (names.hasArrow) {
    CopyOneFile(names.source, state.m_strSrcDir, state.m_strInstDir, names.destination);
  } else {
    CopyMatchingFiles(text, state.m_strInstDir, state.m_strSrcDir);
  }
}

}  // namespace

bool LibraryFoundElsewhere(const std::string& name, const std::string& sourceFolder) {
  // The shipped copy lies in the folder of the running setup, the first
  // place Windows searches; moved aside, it can't be the one found.
  const std::string shipped = JoinFolderAndName(sourceFolder, name);
  const std::string aside = shipped + ".toinst";
  platform::MoveFileTo(shipped, aside);
  platform::LibraryHandle library = platform::LoadLibraryAsData(name);
  platform::MoveFileTo(aside, shipped);
  if (library == nullptr) return false;
  platform::FreeLoadedLibrary(library);
  return true;
}

void RunInstallScript(const std::string& scriptPath) {
  const bool wow64 = IsRunningUnderWow64();
  LogReader script;
  if (!OpenLogFile(scriptPath, script)) return;
  const SetupState& state = TheSetupState();
  std::string text;
  while (ReadLogLine(script, text)) {
    const LogLine line = ClassifyLogLine(text);
    switch (line.kind) {
      case LineKind::FileCopy:
      case LineKind::FileCopyX64:
      case LineKind::FileCopyInd:
        if (line.kind == LineKind::FileCopyX64 && !wow64) break;
        if (!FileLineStaysInside(line.text)) break;
        if (line.kind == LineKind::FileCopyInd &&
            LibraryFoundElsewhere(SplitSourceDestination(line.text).source, state.m_strSrcDir)) {
          break;
        }
        CopyAction(line.text, state);
        break;
      case LineKind::MakeDir:
        // One level, always joined with a backslash; a missing parent fails.
        if (StaysInsideFolder(line.text)) platform::CreateFolder(state.m_strInstDir + "\\" + line.text);
        break;
      default:
        break;
    }
  }
}
