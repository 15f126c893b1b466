#include "platform/process.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/emulated/machine/internal/faults.h"
#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/processes.h"
#include "platform/emulated/machine/registry.h"
#include "platform/errors.h"
#include "platform/files.h"
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


namespace {

// Starting a program from a command line, as CreateProcessA does without an
// application name: the program is the quoted start of the line, or else
// the shortest blank-separated start of it that names a file. The start is
// written to the transcript, with the file that was started.

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A name without an extension in its last part gets ".exe".
std::string WithExtension(const std::string& name) {
  const std::size_t separator = name.find_last_of("\\/");
  const std::size_t dot = name.find('.', separator == std::string::npos ? 0 : separator + 1);
  return dot == std::string::npos ? name + ".exe" : name;
}

bool IsFile(const std::string& path) {
  const std::uint32_t attributes = GetAttributes(path);
  return attributes != kInvalidAttributes && !(attributes & kAttrDirectory);
}

// The names the command line can mean, in the order Windows tries them.
std::vector<std::string> CandidateNames(const std::string& commandLine) {
  std::size_t start = 0;
  while (start < commandLine.size() && IsBlank(commandLine[start])) ++start;
  if (start < commandLine.size() && commandLine[start] == '"') {
    const std::size_t close = commandLine.find('"', start + 1);
    return {commandLine.substr(start + 1, close == std::string::npos ? std::string::npos : close - start - 1)};
  }
  std::vector<std::string> names;
  for (std::size_t i = start; i <= commandLine.size(); ++i) {
    const bool ends = i == commandLine.size() || IsBlank(commandLine[i]);
    if (ends && i > start && !IsBlank(commandLine[i - 1])) names.push_back(commandLine.substr(start, i - start));
  }
  return names;
}

void RecordStart(const std::string& commandLine, const std::string& folder, const std::string& started) {
  const std::string machine = emu::MachineFolder();
  if (machine.empty()) return;
  const std::string program = ProgramPath();
  std::string block = "program start\n";
  block += "  program: " + (program.empty() ? std::string("unknown") : program) + "\n";
  block += "  command line: " + commandLine + "\n";
  block += "  folder: " + (folder.empty() ? std::string("(the starting program's)") : folder) + "\n";
  block += "  started: " + started + "\n\n";
  emu::AppendToTranscript(machine, block);
}

}  // namespace

bool StartProgram(const std::string& commandLine, const std::string& workingFolder, std::uint32_t& processId) {
  processId = 0;
  if (emu::internal::InjectedFault("StartProgram", commandLine)) return false;
  std::string file;
  for (const std::string& name : CandidateNames(commandLine)) {
    if (IsFile(WithExtension(name))) {
      file = WithExtension(name);
      break;
    }
  }
  if (file.empty()) {
    SetLastError(kErrFileNotFound);
    RecordStart(commandLine, workingFolder, "nothing (error 2)");
    return false;
  }
  // The id is the machine's own, as CurrentProcessId gives it in the new process.
  std::uint32_t machineId = 0;
  const int pid = emu::LaunchProgram(file, commandLine, workingFolder, &machineId);
  if (pid < 0) {
    const std::uint32_t error = LastError();
    RecordStart(commandLine, workingFolder, "nothing (error " + std::to_string(error) + ")");
    SetLastError(error);
    return false;
  }
  RecordStart(commandLine, workingFolder, file);
  processId = machineId;
  return true;
}

}  // namespace platform
