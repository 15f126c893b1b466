#pragma once
// What a copy of this program does when a case starts it.
namespace instances_tests {

// Runs the mode named by argv[1] ("--idle", "--churn") and gives its exit
// status; false when the program runs its cases.
bool RunChildMode(int argc, char** argv, int& status);

}  // namespace instances_tests
