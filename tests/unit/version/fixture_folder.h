#pragma once
// Where the version tests put their files: a fresh emulated machine on Linux,
// a temporary folder on Windows. Paths handed out are Windows paths.
#include <memory>
#include <string>

namespace version_tests {

class FixtureFolder {
 public:
  FixtureFolder();
  ~FixtureFolder();
  FixtureFolder(const FixtureFolder&) = delete;
  FixtureFolder& operator=(const FixtureFolder&) = delete;

  bool Ready() const { return !folder_.empty(); }
  std::string PathOf(const std::string& name) const { return folder_ + "\\" + name; }
  // Writes `bytes` unchanged as `name`; the file's Windows path, "" on failure.
  std::string Put(const std::string& name, const std::string& bytes);

 private:
  struct State;  // what the build holds until the folder goes
  std::unique_ptr<State> state_;
  std::string folder_;  // Windows path of the folder for the files
};

// Windows paths of programs built with the tests; "" when the build has none.
// A program built by MinGW from a resource script with file version 6.0.2.1
// and product version 1.2.3.4.
std::string MingwVersionedProgram();
// The stand-in product program of this build.
std::string StandInProduct();

}  // namespace version_tests
