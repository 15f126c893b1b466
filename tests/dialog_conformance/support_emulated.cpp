// The dialog cases on the emulated machine: one fresh machine for the whole
// program, so that the dialogs' transcript lands in a folder of its own.
#include <memory>

#include "support.h"
#include "temporary_machine.h"

namespace dialog_conformance {

bool PrepareDialogs(std::string& reason) {
  static std::unique_ptr<test_support::TemporaryMachine> machine;
  if (!machine) machine = std::make_unique<test_support::TemporaryMachine>();
  if (!machine->Ready()) reason = "no emulated machine could be made";
  return machine->Ready();
}

}  // namespace dialog_conformance
