// emumachine create MACHINE [--user NAME] [--codepage 1252|932] [--standard-user] [--64bit]
//                         [--no-pending-renames] [--drive LETTER]... [--windows-folder WINPATH]
#include <cstdio>

#include "platform/emulated/machine/machine.h"
#include "tool.h"

namespace tool {

int CreateCommand(const Arguments& args) {
  std::string folder;
  emu::MachineSettings settings;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--drive") {
      if (i + 1 >= args.size() || args[i + 1].size() != 1) return UsageError("create: --drive needs a drive letter");
      settings.extraDrives += args[++i];
    } else if (arg == "--windows-folder") {
      if (i + 1 >= args.size()) return UsageError("create: --windows-folder needs a folder such as C:\\WINNT");
      settings.windowsFolder = args[++i];
    } else if (arg == "--user" || arg == "--codepage") {
      if (i + 1 >= args.size()) return UsageError("create: " + arg + " needs a value");
      const std::string& value = args[++i];
      if (arg == "--user") {
        settings.userName = value;
      } else if (value == "1252" || value == "932") {
        settings.codePage = value == "932" ? 932u : 1252u;
      } else {
        return UsageError("create: code page " + value + " is not 1252 or 932");
      }
    } else if (arg == "--standard-user") {
      settings.administrator = false;
    } else if (arg == "--64bit") {
      settings.windows64 = true;
    } else if (arg == "--no-pending-renames") {
      settings.pendingRenames = false;
    } else if (!arg.empty() && arg[0] == '-') {
      return UsageError("create: unknown option " + arg);
    } else if (folder.empty()) {
      folder = arg;
    } else {
      return UsageError("create: more than one machine folder given");
    }
  }
  if (folder.empty()) return UsageError("create: no machine folder given");
  std::string error;
  if (!emu::CreateMachine(AbsoluteHostPath(folder), settings, error)) return Fail("create: " + error);
  std::printf("created machine %s: user %s, code page %u, %s, %s Windows in %s%s\n", folder.c_str(),
              settings.userName.c_str(), settings.codePage,
              settings.administrator ? "administrator" : "standard user", settings.windows64 ? "64-bit" : "32-bit",
              settings.windowsFolder.c_str(),
              settings.pendingRenames ? "" : ", restart-time renames through WININIT.INI only");
  return 0;
}

}  // namespace tool
