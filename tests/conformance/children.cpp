#include "children.h"

#include <cstring>

#include "platform/files.h"
#include "platform/named_objects.h"
#include "platform/process.h"
#include "platform/process_control.h"
#include "platform/window.h"

namespace conformance {

namespace {

// Writes its file when static objects are destroyed, as at an orderly end.
struct Farewell {
  std::string file;
  ~Farewell() { platform::WriteWholeFile(file, "destroyed"); }
};

}  // namespace

bool RunChildMode(int argc, char** argv, int& exitStatus) {
  if (argc >= 3 && (std::strcmp(argv[1], "--exit-orderly") == 0 || std::strcmp(argv[1], "--exit-now") == 0)) {
    static Farewell farewell;
    farewell.file = argv[2];
    if (std::strcmp(argv[1], "--exit-orderly") == 0) platform::ExitProcessOrderly(5);
    platform::ExitProcessNow(5);
  }
  if (argc >= 4 && std::strcmp(argv[1], "--hold-mutex") == 0) {
    platform::KernelObject mutex = platform::CreateNamedMutex(argv[2]);
    if (!mutex || platform::WaitForMutex(mutex) == platform::MutexWait::Failed) {
      exitStatus = 2;
      return true;
    }
    platform::WriteWholeFile(argv[3], "ready");
    for (;;) platform::SleepMilliseconds(60000);
  }
  if (argc >= 5 && std::strcmp(argv[1], "--window") == 0) {
    platform::WindowHandle window = platform::CreatePlainWindow(argv[2], platform::kWsOverlappedWindow, 0, nullptr);
    if (!window) {
      exitStatus = 2;
      return true;
    }
    platform::WriteWholeFile(argv[3], "ready");
    platform::WindowMessage message;
    while (platform::WaitForWindowMessage(message)) {
      if (message.message == kChildMessage && message.window == window) {
        platform::WriteWholeFile(argv[4], std::to_string(message.wParam) + " " + std::to_string(message.lParam));
        exitStatus = 0;
        return true;
      }
      platform::DispatchWindowMessage(message);
    }
    exitStatus = 3;
    return true;
  }
  return false;
}

std::unique_ptr<test_support::ChildProcess> StartChild(const std::string& mode, const std::string& argument,
                                                       const std::string& readyFile, const std::string& report) {
  std::vector<std::string> args = {mode, argument, readyFile};
  if (!report.empty()) args.push_back(report);
  auto child = test_support::ChildProcess::Start(test_support::ThisProgram(), "C:\\conformance\\child.exe", args);
  if (!child) return nullptr;
  if (!test_support::Eventually([&] { return platform::PathExists(readyFile); })) return nullptr;
  return child;
}

}  // namespace conformance
