#include "fixture_folder.h"
#include "pe_image.h"
#include "platform/emulated/machine/machine.h"
#include "platform/files.h"
#include "temporary_machine.h"

namespace version_tests {

// A machine of its own, removed with the folder.
struct FixtureFolder::State {
  test_support::TemporaryMachine machine;
};

FixtureFolder::FixtureFolder() : state_(std::make_unique<State>()) {
  if (state_->machine.Ready() && platform::CreateFolder("C:\\fixtures")) folder_ = "C:\\fixtures";
}

FixtureFolder::~FixtureFolder() = default;

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
