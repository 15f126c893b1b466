// Starting a program from a command line, as CreateProcessA does without an
// application name: the program is the quoted start of the line, or else
// the shortest blank-separated start of it that names a file. The start is
// written to the transcript, with the file that was started.
#include <string>
#include <vector>

#include "platform/emulated/machine.h"
#include "platform/emulated/operator.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/process.h"

namespace platform {

namespace {

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
  const int pid = emu::LaunchProgram(file, commandLine, workingFolder);
  if (pid < 0) {
    const std::uint32_t error = LastError();
    RecordStart(commandLine, workingFolder, "nothing (error " + std::to_string(error) + ")");
    SetLastError(error);
    return false;
  }
  RecordStart(commandLine, workingFolder, file);
  processId = static_cast<std::uint32_t>(pid);
  return true;
}

}  // namespace platform
