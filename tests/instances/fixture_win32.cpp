// The cases under Wine share the prefix: the registry's objects are gone
// between cases because every process of a case has ended.
#include "fixture.h"

namespace instances_tests {

namespace {
class WindowsSystem : public System {
 public:
  bool Ready() const override { return true; }
  std::string ProductPath() const override { return ""; }
};
}  // namespace

std::unique_ptr<System> MakeSystem() { return std::make_unique<WindowsSystem>(); }

}  // namespace instances_tests
