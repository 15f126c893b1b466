#pragma once
// Copies of this program that the cases start as other processes: one holds
// a named mutex, one has a window and reports what is posted to it. Each
// writes "ready" to a file once it is set, so that no case races its start.
#include <memory>
#include <string>

#include "child_process.h"

namespace conformance {

// Runs the mode named by argv[1] and gives its exit status; false for the
// normal run.
bool RunChildMode(int argc, char** argv, int& exitStatus);

// --hold-mutex NAME READY: takes the mutex and sleeps until ended.
// --window TITLE READY REPORT: opens a window and, for the first message
//   0x8001 posted to it, writes its wParam and lParam to REPORT and ends.
// --exit-orderly FILE, --exit-now FILE: end at once with status 5, in the
//   orderly way or not; a static object writes FILE when it is destroyed.
// Started in the scratch folder's machine; nullptr when it didn't get ready.
std::unique_ptr<test_support::ChildProcess> StartChild(const std::string& mode, const std::string& argument,
                                                       const std::string& readyFile, const std::string& report = "");

constexpr unsigned kChildMessage = 0x8001;  // WM_APP + 1

}  // namespace conformance
