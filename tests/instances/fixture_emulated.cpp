// Each case on a fresh emulated machine of its own.
#include "fixture.h"
#include "temporary_machine.h"

namespace instances_tests {

namespace {
class MachineSystem : public System {
 public:
  bool Ready() const override { return machine_.Ready(); }
  std::string ProductPath() const override { return "C:\\Program Files\\Pictavo 6\\Ptav6.exe"; }

 private:
  test_support::TemporaryMachine machine_;
};
}  // namespace

std::unique_ptr<System> MakeSystem() { return std::make_unique<MachineSystem>(); }

}  // namespace instances_tests
