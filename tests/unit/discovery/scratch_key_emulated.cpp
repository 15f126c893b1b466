#include "scratch_key.h"

#include "scratch_machine.h"

namespace discovery_tests {

struct ScratchKey::Machine {
  ScratchMachine machine;
};

// A fresh machine has nothing under this name.
ScratchKey::ScratchKey() : machine_(new Machine), path_("Software\\PtvTest") {
  ready_ = machine_->machine.Ready();
}

ScratchKey::~ScratchKey() = default;

}  // namespace discovery_tests
