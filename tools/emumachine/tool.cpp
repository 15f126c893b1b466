#include "tool.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/emulated/machine/machine.h"

namespace tool {

int Fail(const std::string& message) {
  std::fprintf(stderr, "emumachine: %s\n", message.c_str());
  return kExitFailed;
}

int UsageError(const std::string& message) {
  std::fprintf(stderr, "emumachine: %s\nTry 'emumachine -h' for the commands.\n", message.c_str());
  return kExitUsage;
}

std::string AbsoluteHostPath(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  char buffer[PATH_MAX];
  if (!getcwd(buffer, sizeof buffer)) return path;
  return std::string(buffer) + "/" + path;
}

bool OpenMachine(const std::string& folder) {
  if (folder.empty()) {
    Fail("no machine folder given");
    return false;
  }
  const std::string absolute = AbsoluteHostPath(folder);
  struct stat info;
  if (stat((absolute + "/machine.ini").c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    Fail("no machine in " + folder + " (it holds no machine.ini)");
    return false;
  }
  emu::UseMachine(absolute);
  return true;
}

bool IsWindowsPath(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

bool ToMachinePath(const std::string& path, std::string& windowsPath) {
  if (IsWindowsPath(path)) {
    windowsPath = path;
    return true;
  }
  char resolved[PATH_MAX];
  if (realpath(AbsoluteHostPath(path).c_str(), resolved) == nullptr) return false;
  windowsPath = emu::ToWindowsPath(resolved);
  return !windowsPath.empty();
}

bool ReadHostFile(const std::string& path, std::string& content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  content = text.str();
  return !in.bad();
}

bool WriteHostFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  out.close();
  return static_cast<bool>(out);
}

}  // namespace tool
