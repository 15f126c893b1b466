#include "platform/process.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/processes.h"
#include "platform/emulated/machine/registry.h"
#include "platform/text.h"

extern char** environ;

// The running process as a program of the machine sees it. A program started
// on the machine learns its command line and own path from the environment;
// one started from the host falls back on what the host knows.
namespace platform {

namespace {

std::string HostCommandLine() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> arguments = emu::SplitAtZeros(raw);
  if (arguments.empty()) return "";
  std::string program = arguments.front();
  arguments.erase(arguments.begin());
  return emu::JoinCommandLine(program, arguments);
}

}  // namespace

std::string CommandLine() {
  if (const char* given = std::getenv("PTV_COMMAND_LINE")) return given;
  return HostCommandLine();
}

std::string ProgramPath() {
  std::string path;
  if (const char* given = std::getenv("PTV_PROGRAM")) path = given;
  if (path.empty()) {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return "";
    path = emu::ToWindowsPath(std::string(buffer, static_cast<std::size_t>(n)));
  }
  // Read into a MAX_PATH buffer, as on Windows: a longer path keeps its
  // first 259 bytes.
  constexpr std::size_t kMaxPathBytes = 260 - 1;
  if (path.size() > kMaxPathBytes) path.resize(kMaxPathBytes);
  return path;
}

// Names are found without regard to case, as on Windows.
std::string EnvironmentVariable(const std::string& name, bool* found) {
  if (found) *found = false;
  if (name.empty() || name.find('=') != std::string::npos) return "";
  if (const char* exact = std::getenv(name.c_str())) {
    if (found) *found = true;
    return exact;
  }
  for (char** entry = environ; entry && *entry; ++entry) {
    std::string text = *entry;
    std::size_t eq = text.find('=', 1);
    if (eq != std::string::npos && EqualsIgnoreCaseAscii(text.substr(0, eq), name)) {
      if (found) *found = true;
      return text.substr(eq + 1);
    }
  }
  return "";
}

void SleepMilliseconds(unsigned ms) {
  struct timespec left;
  left.tv_sec = static_cast<time_t>(ms / 1000);
  left.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

// ExitProcess ends the process at once: no destructors of this program's
// objects run. Files in use are released by the end of the process itself.
void ExitProcessNow(int status) {
  std::fflush(nullptr);
  _exit(status);
}

void ExitProcessOrderly(int status) { std::exit(status); }

}  // namespace platform
