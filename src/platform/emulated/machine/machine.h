#pragma once
// The emulated Windows machine: a folder that holds drives, the registry,
// files in use, the operator's answers and the message-box transcript.
// Many processes may use one machine at once.
//
// Layout of a machine folder:
//   machine.ini               settings, lines key=value: user=<name>, codepage=1252|932,
//                             administrator=1|0, windows64=1|0, pending_renames=1|0,
//                             windows=<Windows folder>
//                             (C:\windows unless created with another, such as C:\WINNT or
//                             D:\Windows: GetWindowsDirectoryA, the system folder below it,
//                             WININIT.INI and the SystemRoot value all follow it)
//   drives/c/ ...             drive C: (other letters: drives/d, ...); Z: is the host's root
//   <Windows folder>\system32\*.dll   the system's libraries, as files (nothing of them runs);
//                             a library is looked for in the program's folder, system32,
//                             the Windows folder, the current folder, then the folders of
//                             the system's Path value (the key Environment of
//                             HKLM\SYSTEM\CurrentControlSet\Control\Session Manager)
//   registry/HKEY_LOCAL_MACHINE.reg          REGEDIT4 text, one file per hive
//   registry/HKEY_USERS/<user>.reg           HKEY_USERS\<user>, one per user of the machine;
//                                            HKEY_CURRENT_USER is the current user's
//   holds/                    files held in use, one file per hold, locked by its holder
//   holds.lock                taken alone to take a hold, shared by changes that check for holds
//   settings.lock             shared by reads of settings (.ini) files, taken alone by writes
//   processes/<id>            one per live process, locked by it (process_table.h)
//   objects/<name>/           named mutexes and shared memory (kernel_objects.h)
//   windows/<handle>          top-level windows; queues/<id>: each process's messages (windows_table.h)
//   operator/answers          what the operator still has to do, one a line: answers to
//                             message boxes and commands for dialogs, in order; changed under
//                             operator/answers.lock, each change put in place whole
//   transcript.txt            every message box shown, with its answer; every document or
//                             web address opened, every program started, and every notice
//                             given to the shell; every dialog shown, every change to its
//                             controls, what it showed while it waited and what the operator
//                             or a person at the terminal did
//   faults.txt                the fault plan (faults.h), changed under faults.lock: one fault a
//                             line, "CALL ERROR COUNT PATTERN": CALL fails with the Windows error
//                             ERROR (decimal) in every process of the machine, COUNT more times
//                             (a number, used up call by call) or every time ('*'), on the paths
//                             PATTERN matches ('*' and '?' as wildcards, ASCII case ignored; the
//                             rest of the line, empty for any path)
//
// The calls that consult the fault plan, by name, and the path each matches
// (a file path as given or as its full path; a second path for two-path calls):
//   files    CopyFileTo, MoveFileTo (source, target), DeleteFileAt, CreateFolder,
//            RemoveFolder, GetAttributes, SetAttributes, PathExists, ReadWholeFile,
//            WriteWholeFile, AppendToFile, MakeTempFileName (the folder),
//            SetCurrentFolder, FindFirst (the pattern), ReadFileVersionWords
//   restart  MoveFileAtRestart (source, target)
//   profile  ReadSettingsSection, WriteSettingsSection (the file's full path)
//   registry OpenRegKey, CreateRegKey, DeleteRegKey, EnumRegSubkey (the key's full path:
//            HKEY_LOCAL_MACHINE\..., HKEY_CURRENT_USER\... for the current user,
//            HKEY_USERS\<user>\... for another; HKEY_CLASSES_ROOT is
//            HKEY_LOCAL_MACHINE\SOFTWARE\Classes), QueryRegValue, SetRegValue,
//            DeleteRegValue (the key's path, a backslash, the value's name)
//   launch   LaunchProgram (the program), StartProgram (the command line as given)
//   library  LoadLibraryAsData (the name as given)
//   shell    OpenWithShell (the address), InitializeCom, CreateShellLink, QueryLinkFile,
//            SetLinkPath (the target), SetLinkDescription, SetLinkWorkingFolder (the
//            folder), SaveLinkFile (the shortcut's path); a step's fault comes back as
//            HRESULT_FROM_WIN32 of the error
//   objects  CreateNamedMutex, CreateSharedMemory (the object's name), WaitForMutex,
//            MapSharedView (any path)
//   windows  PostWindowMessage (any path); processes OpenProcessById (any path)
// A call that comes later takes the one-line hook of internal/faults.h and
// its name goes into this list.
//
// A program run on the machine learns its world from the environment:
//   PTV_MACHINE         the machine folder (host path); UseMachine() sets it in-process
//   PTV_PROGRAM         the full Windows path of its own program file
//   PTV_COMMAND_LINE    its whole Windows command line, program included
//   PTV_CURRENT_FOLDER  the Windows path of its starting current folder; a process
//                       without it (a test using the machine in-process) starts in C:\,
//                       never in the host's current folder
//   PTV_FOLDER_HOLD     "<process id> <descriptor> <hold file>": its hold on that folder,
//                       let go when it changes folder
//   PTV_PROCESS         "<machine process id> <descriptor>": its process file, held locked
//
// The machine's interface, one header per area; this one holds the machine
// itself (creating one, using one, its settings) and brings in the others:
//   paths.h          Windows paths and the host files they stand for
//   name_case.h      names compared without regard to case, as the machine does
//   processes.h      files held in use, programs started and waited for, command lines
//   process_table.h  the machine's processes and their ids
//   kernel_objects.h named mutexes and shared memory
//   windows_table.h  top-level windows and the messages posted to them
//   registry.h       the registry as a whole (hives in hive.h, hive_file.h, REGEDIT4 text in regedit4.h)
//   faults.h         the fault plan: platform calls made to fail on request
//   restart.h        the file operations scheduled for the next restart
//   operator.h       the scripted operator who answers message boxes, and the transcript
//   snapshot.h       the machine's state as lines, to compare two moments
//   dialog_commands.h what the operator does to dialogs and to the folder chooser
//   dialog_template.h the program's dialog templates as the emulated dialog manager reads them
//   dialog_view.h    what a person sees of a dialog, as the transcript describes it
//   terminal.h       a person at a terminal in place of the operator (terminal_view.h: its screens)
//   version_image.h  the version block of a program image
// What the machine's own code shares lives in internal/, which only the
// machine and the platform definitions over it (impl/) include.
#include <string>
#include <vector>

#include "platform/emulated/machine/faults.h"
#include "platform/emulated/machine/name_case.h"
#include "platform/emulated/machine/operator.h"
#include "platform/emulated/machine/paths.h"
#include "platform/emulated/machine/process_table.h"
#include "platform/emulated/machine/processes.h"
#include "platform/emulated/machine/registry.h"
#include "platform/emulated/machine/restart.h"
#include "platform/emulated/machine/snapshot.h"
#include "platform/emulated/machine/version_image.h"

namespace emu {

struct MachineSettings {
  std::string userName = "User";
  unsigned codePage = 1252;
  bool administrator = true;
  bool windows64 = false;  // a 32-bit setup then runs under WOW64
  // Whether the system keeps file operations for the next restart itself
  // (MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT). A machine without, like
  // the 9x family, carries out only the [rename] section of WININIT.INI.
  bool pendingRenames = true;
  std::string extraDrives;  // letters of further empty drives besides C:, such as "DE"
  // The Windows folder; a drive other than C: is made with the machine.
  std::string windowsFolder = "C:\\windows";
  // Further users of the machine besides userName, each with a profile,
  // shell folders and a hive of their own under HKEY_USERS; programs run as
  // userName.
  std::vector<std::string> otherUsers;
};

// Whether `folder` can be a machine's Windows folder: a full path below the
// root of a drive C: to Y: ("C:\WINNT", "D:\Windows"), each name one that
// Windows takes, no "." or "..", no trailing backslash.
bool IsUsableWindowsFolder(const std::string& folder);

// Whether `name` can be a user of a machine: not empty, not "." or "..",
// not "Public" (the all-users profile), and none of the characters that
// Windows refuses in file names, control characters included. Such a name
// is a single name in any host path built from it.
bool IsUsableUserName(const std::string& name);

// Creates a fresh machine in `folder` (missing or empty): the drives, the
// Windows, temporary, Program Files, Start-menu, Startup and desktop folders
// of every user and of all users, and a registry that names them.
bool CreateMachine(const std::string& folder, const MachineSettings& settings, std::string& error);

// Makes this process act on the machine in `folder` (absolute host path).
void UseMachine(const std::string& folder);
// The machine folder in use; "" when none (PTV_MACHINE unset and UseMachine not called).
std::string MachineFolder();
// The machine's Windows folder, as GetWindowsDirectoryA gives it, and its
// system folder below it (GetSystemDirectoryA: <Windows folder>\system32).
std::string WindowsFolder();
std::string SystemFolder();

// The machine's settings, read from machine.ini. A user name there that
// IsUsableUserName refuses leaves userName empty: the machine then has no
// current user, and HKEY_CURRENT_USER can't be opened.
const MachineSettings& Settings();

}  // namespace emu
