// The test program. Started with "--box-helper" or "--folder-helper" it is
// instead a small program of the machine that shows message boxes or changes
// its current folder, for the tests that need another process or a program
// started through the tool.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/files.h"
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

// --folder-helper: for each line of stdin makes that folder its current
// folder and prints 1 (done) or 0 on a line of its own; ends with stdin.
int RunFolderHelper() {
  char line[4096];
  while (std::fgets(line, sizeof line, stdin)) {
    line[std::strcspn(line, "\r\n")] = '\0';
    std::printf("%d\n", platform::SetCurrentFolder(line) ? 1 : 0);
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--box-helper") == 0) return RunBoxHelper(argc, argv);
  if (argc > 1 && std::strcmp(argv[1], "--folder-helper") == 0) return RunFolderHelper();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
