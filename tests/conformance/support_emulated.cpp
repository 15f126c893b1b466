// The conformance cases on the emulated machine: a fresh machine per case,
// files put in use through the machine's holds.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>

#include "platform/emulated/machine.h"
#include "platform/files.h"
#include "support.h"

namespace conformance {

bool RunAsChildProgram(int, char**, int&) { return false; }

bool ReadOnlyFilesRefuseWrites() { return true; }

struct Scratch::Impl {
  std::string hostFolder;
};

Scratch::Scratch() : impl_(std::make_unique<Impl>()) {
  std::string pattern = (std::filesystem::temp_directory_path() / "ptvconf-XXXXXX").string();
  if (!mkdtemp(&pattern[0])) return;
  impl_->hostFolder = pattern;
  const std::string machine = pattern + "/machine";
  std::string error;
  if (!emu::CreateMachine(machine, emu::MachineSettings{}, error)) {
    std::fprintf(stderr, "no emulated machine: %s\n", error.c_str());
    return;
  }
  emu::UseMachine(machine);
  if (platform::CreateFolder("C:\\scratch")) folder_ = "C:\\scratch";
}

Scratch::~Scratch() {
  if (!impl_->hostFolder.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(impl_->hostFolder, ignored);
  }
}

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
