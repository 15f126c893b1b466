#pragma once
// The emulated Windows machine: a folder that holds drives, the registry,
// files in use, the operator's answers and the message-box transcript.
// Many processes may use one machine at once.
//
// Layout of a machine folder:
//   machine.ini               settings, lines key=value: user=<name>, codepage=1252|932,
//                             administrator=1|0, windows64=1|0, pending_renames=1|0
//   drives/c/ ...             drive C: (other letters: drives/d, ...); Z: is the host's root
//   registry/HKEY_LOCAL_MACHINE.reg          REGEDIT4 text, one file per hive
//   registry/HKEY_USERS/<user>.reg           HKEY_USERS\<user>, one per user of the machine;
//                                            HKEY_CURRENT_USER is the current user's
//   holds/                    files held in use, one file per hold, locked by its holder
//   operator/answers          message-box answers still to give, one a line
//   transcript.txt            every message box shown, with its answer, and every
//                             notice given to the shell
//
// A program run on the machine learns its world from the environment:
//   PTV_MACHINE         the machine folder (host path); UseMachine() sets it in-process
//   PTV_PROGRAM         the full Windows path of its own program file
//   PTV_COMMAND_LINE    its whole Windows command line, program included
//   PTV_CURRENT_FOLDER  the Windows path of its starting current folder
//   PTV_FOLDER_HOLD     "<process id> <descriptor> <hold file>": its hold on that folder,
//                       let go when it changes folder
//
// The machine's interface, one header per area; this one holds the machine
// itself (creating one, using one, its settings) and brings in the others:
//   paths.h          Windows paths and the host files they stand for
//   name_case.h      names compared without regard to case, as the machine does
//   processes.h      files held in use, programs started and waited for, command lines
//   registry.h       the registry as a whole (hives in hive.h, hive_file.h, REGEDIT4 text in regedit4.h)
//   restart.h        the file operations scheduled for the next restart
//   operator.h       the scripted operator who answers message boxes, and the transcript
//   snapshot.h       the machine's state as lines, to compare two moments
//   version_image.h  the version block of a program image
// What the machine's own code shares lives in internal/, which only the
// machine and the platform definitions over it (impl/) include.
#include <string>
#include <vector>

#include "platform/emulated/machine/name_case.h"
#include "platform/emulated/machine/operator.h"
#include "platform/emulated/machine/paths.h"
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
  // Further users of the machine besides userName, each with a profile,
  // shell folders and a hive of their own under HKEY_USERS; programs run as
  // userName.
  std::vector<std::string> otherUsers;
};

// Creates a fresh machine in `folder` (missing or empty): the drives, the
// Windows, temporary, Program Files, Start-menu, Startup and desktop folders
// of every user and of all users, and a registry that names them.
bool CreateMachine(const std::string& folder, const MachineSettings& settings, std::string& error);

// Makes this process act on the machine in `folder` (absolute host path).
void UseMachine(const std::string& folder);
// The machine folder in use; "" when none (PTV_MACHINE unset and UseMachine not called).
std::string MachineFolder();
// The machine's settings, read from machine.ini.
const MachineSettings& Settings();

}  // namespace emu
