// The test program. Started with "--box-helper" it is instead a small
// program of the machine that shows message boxes, for the tests that need
// another process or a program started through the tool.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/ui.h"

namespace {

// --box-helper FLAGS CAPTION TEXT [COUNT]: shows the box COUNT times (1)
// and prints each answer's number on a line of its own.
int RunBoxHelper(int argc, char** argv) {
  if (argc < 5) return 64;
  const unsigned flags = static_cast<unsigned>(std::strtoul(argv[2], nullptr, 0));
  const int count = argc > 5 ? std::atoi(argv[5]) : 1;
  for (int i = 0; i < count; ++i) {
    std::printf("%d\n", platform::ShowMessageBox(nullptr, argv[4], argv[3], flags));
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--box-helper") == 0) return RunBoxHelper(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
