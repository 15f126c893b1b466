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
// In the child, between fork and exec: the process file of `id`, locked,
// with this host process and `programPath` in it; its descriptor survives
// the exec and is named to the program in PTV_PROCESS. false on failure.
bool BecomeProcessAcrossExec(std::uint32_t id, const std::string& programPath);

// The next number of a counter kept in the file at `hostPath` (created with
// `first`), which goes up by `step` each time; 0 on failure.
std::uint32_t NextSerial(const std::string& hostPath, std::uint32_t first, std::uint32_t step);
// The files of `hostFolder` named by a number (no others), the numbers in
// rising order; process files and window files are named so.
std::vector<std::uint32_t> NumberedFiles(const std::string& hostFolder);

}  // namespace internal
}  // namespace emu
