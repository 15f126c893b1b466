// emumachine run MACHINE [--cwd WINPATH] PROGRAM [ARGS...]
#include <cstdio>

#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/processes.h"
#include "platform/errors.h"
#include "tool.h"

namespace tool {

namespace {

// The tool's own failure, told apart from the statuses of the program.
constexpr int kExitCannotRun = 125;

}  // namespace

int RunCommand(const Arguments& args) {
  if (!OpenMachine(args[0])) return kExitCannotRun;
  std::size_t i = 1;
  std::string currentFolder;
  while (i < args.size() && !args[i].empty() && args[i][0] == '-') {
    if (args[i] == "--") {
      ++i;
      break;
    }
    if (args[i] != "--cwd") {
      UsageError("run: unknown option " + args[i]);
      return kExitCannotRun;
    }
    if (i + 1 >= args.size()) {
      UsageError("run: --cwd needs a Windows folder");
      return kExitCannotRun;
    }
    currentFolder = args[i + 1];
    i += 2;
  }
  if (i >= args.size()) {
    UsageError("run: no program given");
    return kExitCannotRun;
  }
  std::string program;
  std::string hostProgram;
  if (!ToMachinePath(args[i], program) || !emu::ToHostPath(program, hostProgram)) {
    Fail("run: " + args[i] + " is not a path of the machine");
    return kExitCannotRun;
  }
  if (currentFolder.empty()) currentFolder = emu::FolderOf(program);
  const std::string commandLine = emu::JoinCommandLine(program, Arguments(args.begin() + i + 1, args.end()));

  std::fflush(stdout);
  const int pid = emu::LaunchProgram(program, commandLine, currentFolder);
  if (pid < 0) {
    Fail("run: cannot start " + program + " in " + currentFolder + " (error " +
         std::to_string(platform::LastError()) + ")");
    return kExitCannotRun;
  }
  const int status = emu::WaitForProgram(pid);
  if (status < 0) {
    Fail("run: " + program + " did not end normally (killed by a signal)");
    return kExitCannotRun;
  }
  return status;
}

}  // namespace tool
