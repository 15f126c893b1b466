// emumachine hold MACHINE PATH [--running]
// Holds a file in use the way a running program would, for as long as the
// tool runs.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/emulated/machine/machine.h"
#include "platform/errors.h"
#include "tool.h"

namespace tool {

namespace {

// Only a pipe, socket or terminal can be closed by whoever started the
// tool; /dev/null or a file on stdin (as a script's background job has)
// would end the hold at once, so the tool then waits for a signal alone.
bool StdinCanClose() {
  struct stat info;
  if (fstat(STDIN_FILENO, &info) != 0) return false;
  return S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode) || isatty(STDIN_FILENO);
}

// Waits until SIGINT, SIGTERM or SIGHUP arrives or stdin closes.
void WaitForEnd(int signals) {
  const bool watchStdin = StdinCanClose();
  for (;;) {
    pollfd fds[2] = {{signals, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    const int ready = poll(fds, watchStdin ? 2 : 1, -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[0].revents != 0) return;
    if (watchStdin && fds[1].revents != 0) {
      char buffer[256];
      const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
      if (got <= 0 && !(got < 0 && errno == EINTR)) return;
    }
  }
}

}  // namespace

int HoldCommand(const Arguments& args) {
  if (!OpenMachine(args[0])) return kExitFailed;
  std::string path;
  emu::HoldKind kind = emu::HoldKind::Open;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--running") {
      kind = emu::HoldKind::Running;
    } else if (!args[i].empty() && args[i][0] == '-' && args[i] != "-") {
      return UsageError("hold: unknown option " + args[i]);
    } else if (path.empty()) {
      path = args[i];
    } else {
      return UsageError("hold: more than one PATH given");
    }
  }
  if (path.empty()) return UsageError("hold: no PATH given");
  std::string windowsPath;
  if (!ToMachinePath(path, windowsPath)) return Fail("hold: " + path + " is not a path of the machine");

  // The signals are taken as they come through a descriptor, so that the
  // hold is released by its destructor on the way out.
  sigset_t ending;
  sigemptyset(&ending);
  sigaddset(&ending, SIGINT);
  sigaddset(&ending, SIGTERM);
  sigaddset(&ending, SIGHUP);
  for (int number : {SIGINT, SIGTERM, SIGHUP}) signal(number, SIG_DFL);
  sigprocmask(SIG_BLOCK, &ending, nullptr);
  const int signals = signalfd(-1, &ending, SFD_CLOEXEC);
  if (signals < 0) return Fail("hold: cannot watch for signals");

  emu::FileHold hold = emu::HoldFile(windowsPath, kind);
  if (!hold.Held()) {
    close(signals);
    return Fail("hold: cannot hold " + windowsPath + " (error " + std::to_string(platform::LastError()) + ")");
  }
  std::printf("holding\n");
  std::fflush(stdout);
  WaitForEnd(signals);
  hold.Release();
  close(signals);
  return 0;
}

}  // namespace tool
