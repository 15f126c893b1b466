// The program path on the emulated machine comes as Windows hands it over
// in a MAX_PATH buffer.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdlib>
#include <string>

#include "platform/process.h"

namespace platform_tests {
namespace {

// Sets PTV_PROGRAM, the path a program started on the machine is given, for
// one case.
class GivenProgramPath {
 public:
  explicit GivenProgramPath(const std::string& path) {
    if (const char* old = std::getenv("PTV_PROGRAM")) {
      old_ = old;
      hadOld_ = true;
    }
    setenv("PTV_PROGRAM", path.c_str(), 1);
  }
  ~GivenProgramPath() {
    if (hadOld_) {
      setenv("PTV_PROGRAM", old_.c_str(), 1);
    } else {
      unsetenv("PTV_PROGRAM");
    }
  }

 private:
  std::string old_;
  bool hadOld_ = false;
};

TEST(ProgramPath, KeepsAtMost259Bytes) {
  const struct {
    std::size_t length;
    std::size_t kept;
  } cases[] = {{20, 20}, {258, 258}, {259, 259}, {260, 259}, {300, 259}};
  for (const auto& c : cases) {
    const std::string path = "D:\\" + std::string(c.length - 13, 'p') + "\\setup.exe";
    ASSERT_EQ(path.size(), c.length);
    GivenProgramPath given(path);
    EXPECT_EQ(platform::ProgramPath(), path.substr(0, c.kept)) << c.length;
  }
}

}  // namespace
}  // namespace platform_tests
