#include <stdlib.h>

#include <cstdio>
#include <filesystem>

#include "fixture_folder.h"
#include "pe_image.h"
#include "platform/emulated/machine.h"
#include "platform/files.h"

namespace version_tests {

FixtureFolder::FixtureFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ptvversion-XXXXXX").string();
  if (!mkdtemp(&pattern[0])) return;
  host_ = pattern;
  const std::string machine = host_ + "/machine";
  std::string error;
  if (!emu::CreateMachine(machine, emu::MachineSettings{}, error)) {
    std::fprintf(stderr, "no emulated machine: %s\n", error.c_str());
    return;
  }
  emu::UseMachine(machine);
  if (platform::CreateFolder("C:\\fixtures")) folder_ = "C:\\fixtures";
}

FixtureFolder::~FixtureFolder() {
  if (host_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(host_, ignored);
}

std::string FixtureFolder::Put(const std::string& name, const std::string& bytes) {
  std::string host;
  if (!emu::ToHostPath(PathOf(name), host) || !fixtures::WriteBinaryFile(host, bytes)) return "";
  return PathOf(name);
}

std::string MingwVersionedProgram() {
#ifdef PTV_MINGW_VERSIONED_PROGRAM
  return emu::ToWindowsPath(PTV_MINGW_VERSIONED_PROGRAM);
#else
  return "";
#endif
}

std::string StandInProduct() { return emu::ToWindowsPath(PTV_STAND_IN_PRODUCT); }

}  // namespace version_tests
