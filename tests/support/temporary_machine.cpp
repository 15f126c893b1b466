#include "temporary_machine.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>

namespace test_support {

TemporaryMachine::TemporaryMachine(const emu::MachineSettings& settings) {
  std::string pattern = (std::filesystem::temp_directory_path() / "ptvtest-XXXXXX").string();
  if (!mkdtemp(&pattern[0])) {
    std::perror("no temporary folder for an emulated machine");
    return;
  }
  host_ = pattern;
  const std::string machine = host_ + "/machine";
  std::string error;
  if (!emu::CreateMachine(machine, settings, error)) {
    std::fprintf(stderr, "no emulated machine: %s\n", error.c_str());
    return;
  }
  emu::UseMachine(machine);
  ready_ = true;
}

TemporaryMachine::~TemporaryMachine() {
  if (host_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(host_, ignored);
}

}  // namespace test_support
