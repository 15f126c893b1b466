// The conformance cases on the emulated machine: a fresh machine per case,
// files put in use through the machine's holds.
#include <fstream>
#include <string>
#include <utility>

#include "platform/emulated/machine/machine.h"
#include "platform/files.h"
#include "support.h"
#include "temporary_machine.h"

namespace conformance {

bool RunAsChildProgram(int, char**, int&) { return false; }

bool ReadOnlyFilesRefuseWrites() { return true; }

bool RunsAsAdministrator() { return emu::Settings().administrator; }

namespace {
emu::MachineSettings SettingsFor(Account account) {
  emu::MachineSettings settings;
  if (account == Account::StandardUserOn64Bit) {
    settings.administrator = false;
    settings.windows64 = true;
  }
  return settings;
}
}  // namespace

// The machine writes every notice into its transcript.
int AssociationNoticesGiven() {
  std::ifstream in(emu::TranscriptPath(emu::MachineFolder()));
  int count = 0;
  for (std::string line; std::getline(in, line);) {
    if (line == "  event: associations changed") ++count;
  }
  return count;
}

struct Scratch::Impl {
  explicit Impl(Account account) : machine(SettingsFor(account)) {}
  test_support::TemporaryMachine machine;
};

Scratch::Scratch(Account account) : impl_(std::make_unique<Impl>(account)) {
  if (impl_->machine.Ready() && platform::CreateFolder("C:\\scratch")) folder_ = "C:\\scratch";
}

Scratch::~Scratch() = default;

namespace {
class Held : public FileInUse {
 public:
  explicit Held(emu::FileHold hold) : hold_(std::move(hold)) {}

 private:
  emu::FileHold hold_;
};
}  // namespace

std::unique_ptr<FileInUse> PutFileInUse(const std::string& windowsPath, Use use) {
  emu::FileHold hold = emu::HoldFile(
      windowsPath, use == Use::RunningProgram ? emu::HoldKind::Running : emu::HoldKind::Open);
  if (!hold.Held()) return nullptr;
  return std::make_unique<Held>(std::move(hold));
}

}  // namespace conformance
