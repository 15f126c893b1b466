// emumachine create MACHINE [--user NAME | --users NAME,NAME...] [--codepage 1252|932] [--standard-user]
//                         [--64bit] [--no-pending-renames] [--drive LETTER]... [--windows-folder WINPATH]
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
    } else if (arg == "--users") {
      // The first user is the one who runs programs; the others only have
      // their profiles and hives on the machine.
      if (i + 1 >= args.size() || args[i + 1].empty()) return UsageError("create: --users needs names, such as A,B");
      const std::string& list = args[++i];
      settings.otherUsers.clear();
      std::size_t start = 0;
      for (std::size_t comma = list.find(','); ; comma = list.find(',', start)) {
        const std::string name = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (start == 0) {
          settings.userName = name;
        } else {
          settings.otherUsers.push_back(name);
        }
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
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
  std::string others;
  for (const std::string& other : settings.otherUsers) others += ", " + other;
  std::printf("created machine %s: user %s%s, code page %u, %s, %s Windows in %s%s\n", folder.c_str(),
              settings.userName.c_str(), others.empty() ? "" : (" (other users: " + others.substr(2) + ")").c_str(),
              settings.codePage, settings.administrator ? "administrator" : "standard user",
              settings.windows64 ? "64-bit" : "32-bit", settings.windowsFolder.c_str(),
              settings.pendingRenames ? "" : ", restart-time renames through WININIT.INI only");
  return 0;
}

}  // namespace tool
