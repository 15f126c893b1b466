#include "ansi_code_page.h"
#include "platform/text.h"
#include "temporary_machine.h"

namespace platform_tests {

namespace {
emu::MachineSettings WithCodePage(unsigned codePage) {
  emu::MachineSettings settings;
  settings.codePage = codePage;
  return settings;
}
}  // namespace

// A machine of its own, made with the code page asked for.
struct AnsiCodePage::State {
  explicit State(unsigned codePage) : machine(WithCodePage(codePage)) {}
  test_support::TemporaryMachine machine;
};

AnsiCodePage::AnsiCodePage(unsigned codePage)
    : codePage_(codePage), state_(std::make_unique<State>(codePage)) {}

AnsiCodePage::~AnsiCodePage() = default;

bool AnsiCodePage::Active() const { return platform::AnsiCodePage() == codePage_; }

}  // namespace platform_tests
