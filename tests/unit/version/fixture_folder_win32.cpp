#include <filesystem>
#include <string>

#include "fixture_folder.h"
#include "pe_image.h"
#include "platform/process.h"
#include "platform/text.h"

namespace version_tests {

namespace {
// The folder of the running test program.
std::string TestProgramFolder() {
  const std::string program = platform::ProgramPath();
  const std::size_t last = platform::FindLastBackslash(program);
  return last == std::string::npos ? std::string() : program.substr(0, last);
}
}  // namespace

// A temporary folder of the real file system, removed afterwards.
struct FixtureFolder::State {
  std::string host;
};

FixtureFolder::FixtureFolder() : state_(std::make_unique<State>()) {
  static int serial = 0;
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(error) /
                                       ("ptvversion-" + std::to_string(++serial));
  std::filesystem::remove_all(folder, error);
  if (!std::filesystem::create_directories(folder, error)) return;
  state_->host = folder.string();
  folder_ = state_->host;
}

FixtureFolder::~FixtureFolder() {
  if (state_->host.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(state_->host, ignored);
}

std::string FixtureFolder::Put(const std::string& name, const std::string& bytes) {
  return fixtures::WriteBinaryFile(PathOf(name), bytes) ? PathOf(name) : "";
}

// Both are built into known places beside the tests: tests/programs and bin.
std::string MingwVersionedProgram() { return TestProgramFolder() + "\\programs\\versioned_program.exe"; }

std::string StandInProduct() { return TestProgramFolder() + "\\..\\bin\\Ptav6.exe"; }

}  // namespace version_tests
