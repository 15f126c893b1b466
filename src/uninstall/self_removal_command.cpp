#include "uninstall/self_removal_command.h"

#include "platform/text.h"

std::string QuoteWhenBlank(const std::string& path) {
  if (path.find_first_of(" \t") == std::string::npos) return path;
  return "\"" + path + "\"";
}

std::string SelfRemovalCommandLine(const std::string& copyPath, const std::string& uninstallerPath,
                                   bool silent) {
  std::string line = QuoteWhenBlank(copyPath) + " -delself " + QuoteWhenBlank(uninstallerPath);
  if (silent) line += " -s";
  return line;
}

std::string InstallationFolderOf(const std::string& uninstallerPath) {
  // Both separators end the folder part; the trail byte of a double-byte
  // character is never taken for one.
  std::size_t end = 0;
  for (std::size_t i = 0; i < uninstallerPath.size(); i = platform::NextCharIndex(uninstallerPath, i)) {
    if (uninstallerPath[i] == '\\' || uninstallerPath[i] == '/') end = i + 1;
  }
  if (end == 0 && uninstallerPath.size() >= 2 && uninstallerPath[1] == ':') end = 2;
  return uninstallerPath.substr(0, end);
}
