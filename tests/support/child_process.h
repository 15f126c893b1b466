#pragma once
// A program started by a test as a process of the system under test: on
// Windows the program file itself; on the emulated machine a copy of it put
// on the machine in use, started there. The process is ended and waited for
// when the object goes, if it still runs.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace test_support {

class ChildProcess {
 public:
  // `hostProgram` is the program's host path; `machinePath` the Windows path
  // its copy gets on an emulated machine. nullptr when it can't be started.
  static std::unique_ptr<ChildProcess> Start(const std::string& hostProgram, const std::string& machinePath,
                                             const std::vector<std::string>& args);
  virtual ~ChildProcess() = default;
  // Its process id, as CurrentProcessId() gives it in the process itself.
  virtual std::uint32_t Id() const = 0;
  // Whether it ended within `timeoutMs`.
  virtual bool WaitForEnd(unsigned timeoutMs) = 0;
};

// The host path of the running test program.
std::string ThisProgram();

// Polls `condition` until it holds or `timeoutMs` has passed.
template <typename Condition>
bool Eventually(Condition condition, unsigned timeoutMs = 20000);

}  // namespace test_support

#include "child_process_wait.h"
