// Ending the process: at once, or after the program's own clean-up. A
// clean-up handler that ends the process with a status of its own shows
// whether it ran.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/process.h"
#include "platform/process_control.h"

namespace conformance {
namespace {

constexpr int kCleanUpRan = 7;

void EndFromCleanUp() { std::_Exit(kCleanUpRan); }

TEST(ProcessExitDeathTest, OrderlyExitRunsTheCleanUpAndExitNowDoesNot) {
  EXPECT_EXIT(
      {
        std::atexit(EndFromCleanUp);
        platform::ExitProcessOrderly(3);
      },
      ::testing::ExitedWithCode(kCleanUpRan), "");
  EXPECT_EXIT(
      {
        std::atexit(EndFromCleanUp);
        platform::ExitProcessNow(4);
      },
      ::testing::ExitedWithCode(4), "");
  EXPECT_EXIT(platform::ExitProcessOrderly(5), ::testing::ExitedWithCode(5), "");
}

}  // namespace
}  // namespace conformance
