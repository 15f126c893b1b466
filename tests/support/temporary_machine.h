#pragma once
// A fresh emulated machine in a temporary host folder, put in use for this
// process and removed with everything on it when the object goes.
#include <string>

#include "platform/emulated/machine/machine.h"

namespace test_support {

class TemporaryMachine {
 public:
  explicit TemporaryMachine(const emu::MachineSettings& settings = emu::MachineSettings());
  ~TemporaryMachine();
  TemporaryMachine(const TemporaryMachine&) = delete;
  TemporaryMachine& operator=(const TemporaryMachine&) = delete;

  // False when the machine could not be made (the reason went to stderr).
  bool Ready() const { return ready_; }
  // The temporary host folder; the machine is its subfolder "machine".
  const std::string& HostFolder() const { return host_; }

 private:
  std::string host_;
  bool ready_ = false;
};

}  // namespace test_support
