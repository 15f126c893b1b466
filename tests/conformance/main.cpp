#include <gtest/gtest.h>

#include "children.h"
#include "support.h"

int main(int argc, char** argv) {
  int childStatus = 0;
  if (conformance::RunAsChildProgram(argc, argv, childStatus)) return childStatus;
  if (conformance::RunChildMode(argc, argv, childStatus)) return childStatus;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
