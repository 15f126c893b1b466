// emumachine: the command-line tool of the emulated Windows machine.
#include <cstdio>
#include <cstring>
#include <string>

#include "tool.h"

namespace {

const char kUsage[] =
    "usage: emumachine COMMAND MACHINE [ARGUMENTS]\n"
    "\n"
    "MACHINE is the host folder of an emulated machine.\n"
    "\n"
    "  create MACHINE [--user NAME | --users NAME,NAME...] [--codepage 1252|932]\n"
    "                 [--standard-user] [--64bit] [--no-pending-renames] [--drive LETTER]...\n"
    "                 [--windows-folder WINPATH]\n"
    "      make a fresh machine in a missing or empty folder; with --users, every\n"
    "      user has a profile and a hive, and programs run as the first one; its\n"
    "      Windows folder is C:\\windows unless WINPATH (such as C:\\WINNT or\n"
    "      D:\\Windows) says otherwise;\n"
    "      --no-pending-renames makes one without MoveFileExA's restart-time\n"
    "      operations (the [rename] section of WININIT.INI is all it carries out)\n"
    "  run MACHINE [--cwd WINPATH] PROGRAM [ARGS...]\n"
    "      run PROGRAM (a Windows path such as C:\\setup.exe, or a host path) on the\n"
    "      machine, in WINPATH or else in the program's folder; the tool exits with\n"
    "      the program's status, or 125 when it cannot start it\n"
    "  answer MACHINE ANSWER...\n"
    "      queue what the operator does next, one argument a line: answers for\n"
    "      message boxes (ok, cancel, yes or no) and commands for dialogs: press,\n"
    "      type, tick, untick, choose CONTROL (an id or the text shown), enter,\n"
    "      esc, space, tab, backtab, close, and browse select|type|new|choose TEXT,\n"
    "      browse ok|cancel for the folder chooser; with no operator command\n"
    "      queued and a terminal, a dialog is shown there and takes keys\n"
    "  answers MACHINE [--clear]\n"
    "      list the answers still queued, or drop them all\n"
    "  transcript MACHINE\n"
    "      print every message box and dialog shown so far, with what was done\n"
    "  reg MACHINE export [KEY]\n"
    "  reg MACHINE import FILE\n"
    "  reg MACHINE query KEY [VALUE]\n"
    "  reg MACHINE set KEY VALUE TYPE DATA...\n"
    "  reg MACHINE delete KEY [VALUE]\n"
    "      the registry in REGEDIT4 terms; KEY starts with HKLM, HKCU, HKCR, HKU or\n"
    "      their long names; VALUE \"\" or @ is the default value; TYPE is sz,\n"
    "      expand_sz, dword, qword, binary (hex bytes) or multi_sz (one DATA per\n"
    "      string, or strings separated by \\0)\n"
    "  hold MACHINE PATH [--running]\n"
    "      hold a file in use (open, or as a running program's file) until stopped\n"
    "      by SIGINT or SIGTERM or until a pipe or terminal on stdin closes;\n"
    "      prints \"holding\" once the file is held\n"
    "  ls MACHINE [WINPATH]\n"
    "      list a folder of the machine (C:\\ when none is given)\n"
    "  show MACHINE [--depth N]\n"
    "      the settings, a tree of drive C: N levels deep (4), the shell folders\n"
    "      and the operator's queue\n"
    "  wait MACHINE [SECONDS]\n"
    "      wait until no program runs on the machine (60 seconds at most, or\n"
    "      SECONDS): also those that programs started and did not wait for\n"
    "  snapshot MACHINE\n"
    "      every folder, file (size and content hash), registry key and value and\n"
    "      restart-time operation, one a line, to compare two moments with diff\n"
    "  restart MACHINE\n"
    "      carry out the file operations scheduled for the next restart\n"
    "      (PendingFileRenameOperations, then the [rename] section of\n"
    "      WININIT.INI in the Windows folder) and remove them\n"
    "  fault MACHINE CALL [PATH-PATTERN] ERROR [COUNT]\n"
    "  fault MACHINE [--clear]\n"
    "      make the platform call CALL (such as CreateFolder, MoveFileAtRestart or\n"
    "      SetRegValue) fail with the Windows error ERROR in every process of the\n"
    "      machine, on the paths PATH-PATTERN matches (* and ?; any path when none is\n"
    "      given), COUNT more times or every time; without a fault, list the plan or\n"
    "      empty it\n"
    "  ps MACHINE\n"
    "      the live processes of the machine: id and program, one a line\n"
    "  windows MACHINE\n"
    "      the top-level windows, in the order a walk over them takes\n";

struct Command {
  const char* name;
  int (*run)(const tool::Arguments&);
};

const Command kCommands[] = {
    {"create", tool::CreateCommand},
    {"run", tool::RunCommand},
    {"answer", tool::AnswerCommand},
    {"answers", tool::AnswersCommand},
    {"transcript", tool::TranscriptCommand},
    {"reg", tool::RegCommand},
    {"hold", tool::HoldCommand},
    {"ls", tool::ListCommand},
    {"show", tool::ShowCommand},
    {"restart", tool::RestartCommand},
    {"fault", tool::FaultCommand},
    {"ps", tool::ProcessesCommand},
    {"windows", tool::WindowsCommand},
    {"wait", tool::WaitCommand},
    {"snapshot", tool::SnapshotCommand},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return tool::kExitUsage;
  }
  const std::string name = argv[1];
  if (name == "-h" || name == "--help" || name == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  tool::Arguments args(argv + 2, argv + argc);
  for (const Command& command : kCommands) {
    if (name == command.name) {
      if (args.empty()) return tool::UsageError(name + ": no machine folder given");
      return command.run(args);
    }
  }
  return tool::UsageError("unknown command \"" + name + "\"");
}
