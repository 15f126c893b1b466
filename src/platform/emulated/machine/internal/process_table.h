#pragma once
// How a program started on the machine comes by its id: the starter takes
// the id before it forks, the child makes itself that process of the
// machine between fork and exec and keeps its liveness lock across the exec.
#include <cstdint>
#include <string>
#include <vector>

namespace emu {
namespace internal {

// The next free process id; 0 when none can be given.
std::uint32_t AllocateProcessId();

// The process file of a program about to be started, made by the starter
// before it forks: its id and the file, locked, under a temporary name.
struct ChildProcessFile {
  std::uint32_t id = 0;
  int fd = -1;            // the lock; the child keeps it across its exec
  std::string temporary;  // the file's name until the child names it
  std::string final;
  std::string program;    // " <program path>\n", the record behind the host pid
  std::string variable;   // "PTV_PROCESS=<id> <descriptor>", for the program's environment
};
bool PrepareChildProcess(const std::string& programPath, ChildProcessFile& file);
// In the child, between fork and exec, allocating nothing: writes its host
// pid into the record, gives the file its name and keeps the lock across the
// exec. false on failure.
bool CompleteChildProcess(const ChildProcessFile& file);
// In the starter after the child started or failed: lets go of its own
// descriptor (the lock lives on in a child that started) and of a file that
// the child never named.
void ReleaseChildProcess(ChildProcessFile& file);

// The next number of a counter kept in the file at `hostPath` (created with
// `first`), which goes up by `step` each time; 0 on failure.
std::uint32_t NextSerial(const std::string& hostPath, std::uint32_t first, std::uint32_t step);
// The files of `hostFolder` named by a number (no others), the numbers in
// rising order; process files and window files are named so.
std::vector<std::uint32_t> NumberedFiles(const std::string& hostFolder);

}  // namespace internal
}  // namespace emu
