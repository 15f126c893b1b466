// The hold each process keeps on its current folder (see holds.h).
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/emulated/machine/internal/holds.h"
#include "platform/emulated/machine/internal/last_error.h"
#include "platform/errors.h"

namespace emu {
namespace internal {

namespace {

constexpr char kFolderHoldVariable[] = "PTV_FOLDER_HOLD";
constexpr std::size_t kProcessRoom = 20;  // digits of a process id, in the entry made before fork

struct FolderHoldState {
  HoldHandle hold;
  pid_t owner = 0;  // a forked child must not end its parent's hold
};

FolderHoldState& State() {
  static FolderHoldState state;
  return state;
}

// The hold this program was started with: "<process> <descriptor> <hold
// file>" in the environment. It is ended only by the process it was made for
// (not by a forked copy) and only when that descriptor really is open on
// that file.
void EndStartingHold() {
  const char* variable = std::getenv(kFolderHoldVariable);
  if (variable == nullptr) return;
  long process = 0;
  HoldHandle hold;
  char file[PATH_MAX];
  struct stat opened;
  struct stat named;
  if (std::sscanf(variable, "%ld %d %4095[^\n]", &process, &hold.fd, file) == 3 && process == getpid() &&
      hold.fd > 2 && fstat(hold.fd, &opened) == 0 && stat(file, &named) == 0 && opened.st_dev == named.st_dev &&
      opened.st_ino == named.st_ino) {
    hold.file = file;
    EndHold(hold);
  }
  unsetenv(kFolderHoldVariable);
}

void EndOwnHold(FolderHoldState& state) {
  if (state.hold.fd < 0) return;
  if (state.owner == getpid()) {
    EndHold(state.hold);
  } else {
    close(state.hold.fd);  // the parent's lock lives on in the parent
  }
  state.hold = HoldHandle();
}

}  // namespace

void HoldCurrentFolder(const std::string& fullPath) {
  const std::uint32_t error = internal::LastError();
  FolderHoldState& state = State();
  HoldHandle next;
  // Held before the old hold ends, so that a folder kept as current is never free for a moment.
  TakeHold(fullPath, HoldKind::Open, next);
  EndOwnHold(state);
  EndStartingHold();
  state.hold = next;
  state.owner = getpid();
  internal::SetLastError(error);
}

void ReleaseCurrentFolder() {
  EndOwnHold(State());
}

bool HoldStartingFolder(const std::string& fullPath, HoldHandle& hold, std::string& variable) {
  if (!TakeHold(fullPath, HoldKind::Open, hold)) return false;
  variable = std::string(kFolderHoldVariable) + "=" + std::string(kProcessRoom, ' ') + " " +
             std::to_string(hold.fd) + " " + hold.file;
  return true;
}

void FillStartingHoldProcess(char* variable) {
  // Right-aligned in its room; the reader skips the blanks before it.
  char* at = variable + sizeof kFolderHoldVariable + kProcessRoom;
  for (long process = static_cast<long>(getpid()); process > 0 && at > variable + sizeof kFolderHoldVariable;
       process /= 10) {
    *--at = static_cast<char>('0' + process % 10);
  }
}

}  // namespace internal
}  // namespace emu
