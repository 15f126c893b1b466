#include <gtest/gtest.h>

#include "churn.h"

int main(int argc, char** argv) {
  int status = 0;
  if (instances_tests::RunChildMode(argc, argv, status)) return status;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
