#pragma once
// A registry key of its own for one case, under HKEY_CURRENT_USER\Software:
// missing at first, deleted with everything under it afterwards. On Linux it
// lives on a fresh emulated machine, on Windows in the real registry.
#include <memory>
#include <string>

#include "platform/registry.h"

namespace discovery_tests {

class ScratchKey {
 public:
  ScratchKey();
  ~ScratchKey();
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  bool Ready() const { return ready_; }
  platform::RegRoot root() const { return platform::RegRoot::CurrentUser; }
  // The key's path below the root, such as "Software\PtvTest-12-1".
  const std::string& path() const { return path_; }

 private:
  struct Machine;
  std::unique_ptr<Machine> machine_;  // the emulated machine; none on Windows
  std::string path_;
  bool ready_ = false;
};

}  // namespace discovery_tests
