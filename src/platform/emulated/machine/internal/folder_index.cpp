#include "platform/emulated/machine/internal/folder_index.h"

#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <unordered_map>

#include "platform/emulated/machine/internal/code_page.h"
#include "platform/emulated/machine/name_case.h"

// A name that is not found with its exact case means listing its folder. An
// installation creates thousands of new files in one folder, each of them a
// miss, so large folders keep an index of their names, kept exact by change
// notifications from the kernel: anything that adds a name updates the
// index, anything that takes one away drops it.
namespace emu {
namespace internal {

namespace {

// Folders with fewer names are cheap to list every time.
constexpr std::size_t kIndexedFolderSize = 64;
constexpr std::size_t kMostIndexedFolders = 64;
constexpr std::uint32_t kWatchedChanges =
    IN_CREATE | IN_MOVED_TO | IN_DELETE | IN_MOVED_FROM | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

struct FolderNames {
  int watch = -1;
  // The folder that was listed: another one made under its path later (after
  // the folder or one above it moved away) sends no notifications here.
  dev_t device = 0;
  ino_t inode = 0;
  std::unordered_map<std::string, std::string> byFoldedName;
};

struct IndexState {
  int notifications = -1;
  pid_t owner = 0;  // a forked child must not read its parent's notifications
  std::unordered_map<std::string, FolderNames> folders;
  std::unordered_map<int, std::string> folderOfWatch;
};

IndexState& State() {
  static IndexState state;
  return state;
}

// The name as the index keeps it: lowered as the code page lowers names.
std::string Folded(const std::string& name) {
  std::string folded = name;
  internal::LowerCaseAnsi(folded);
  return folded;
}

void DropFolder(IndexState& state, const std::string& folder, bool removeWatch) {
  auto found = state.folders.find(folder);
  if (found == state.folders.end()) return;
  if (removeWatch && state.notifications >= 0) inotify_rm_watch(state.notifications, found->second.watch);
  state.folderOfWatch.erase(found->second.watch);
  state.folders.erase(found);
}

void DropAll(IndexState& state) {
  if (state.notifications >= 0 && state.owner == getpid()) close(state.notifications);
  state.notifications = -1;
  state.folders.clear();
  state.folderOfWatch.clear();
}

bool EnsureNotifications(IndexState& state) {
  if (state.notifications >= 0 && state.owner == getpid()) return true;
  if (state.owner != getpid()) {
    // Inherited through fork: the descriptor is the parent's queue; leave it to the parent.
    state.notifications = -1;
    state.folders.clear();
    state.folderOfWatch.clear();
  }
  state.notifications = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  state.owner = getpid();
  return state.notifications >= 0;
}

void ApplyNotifications(IndexState& state) {
  alignas(inotify_event) char buffer[16384];
  for (;;) {
    ssize_t got = read(state.notifications, buffer, sizeof buffer);
    if (got <= 0) return;
    for (char* p = buffer; p < buffer + got;) {
      const inotify_event* event = reinterpret_cast<const inotify_event*>(p);
      p += sizeof(inotify_event) + event->len;
      if (event->mask & IN_Q_OVERFLOW) {
        DropAll(state);
        EnsureNotifications(state);
        return;
      }
      auto watched = state.folderOfWatch.find(event->wd);
      if (watched == state.folderOfWatch.end()) continue;
      std::string folder = watched->second;
      if (event->mask & (IN_DELETE | IN_MOVED_FROM | IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) {
        // Another name of the same letters may remain: the folder is listed again when next needed.
        DropFolder(state, folder, !(event->mask & IN_IGNORED));
      } else if ((event->mask & (IN_CREATE | IN_MOVED_TO)) && event->len > 0) {
        std::string name = event->name;
        state.folders[folder].byFoldedName.emplace(Folded(name), name);
      }
    }
  }
}

}  // namespace

std::string FindNameInFolder(const std::string& folder, const std::string& name) {
  IndexState& state = State();
  bool indexing = EnsureNotifications(state);
  if (indexing) {
    ApplyNotifications(state);
    auto known = state.folders.find(folder);
    if (known != state.folders.end()) {
      struct stat now;
      if (stat(folder.c_str(), &now) == 0 && now.st_dev == known->second.device &&
          now.st_ino == known->second.inode) {
        auto found = known->second.byFoldedName.find(Folded(name));
        return found == known->second.byFoldedName.end() ? "" : found->second;
      }
      DropFolder(state, folder, true);
    }
  }
  // Watched before it is listed, so that no change falls between the two.
  int watch = indexing ? inotify_add_watch(state.notifications, folder.c_str(), kWatchedChanges) : -1;
  bool sharedWatch = watch >= 0 && state.folderOfWatch.count(watch) != 0;
  DIR* dir = opendir(folder.c_str());
  if (!dir) {
    if (watch >= 0 && !sharedWatch) inotify_rm_watch(state.notifications, watch);
    return "";
  }
  std::string found;
  FolderNames names;
  struct stat listed;
  if (fstat(dirfd(dir), &listed) == 0) {
    names.device = listed.st_dev;
    names.inode = listed.st_ino;
  }
  while (dirent* entry = readdir(dir)) {
    const char* entryName = entry->d_name;
    if (entryName[0] == '.' && (entryName[1] == '\0' || (entryName[1] == '.' && entryName[2] == '\0'))) continue;
    if (found.empty() && NamesEqualIgnoringCase(entryName, name)) found = entryName;
    names.byFoldedName.emplace(Folded(entryName), entryName);
  }
  closedir(dir);
  bool keep = watch >= 0 && !sharedWatch && names.byFoldedName.size() >= kIndexedFolderSize &&
              state.folders.size() < kMostIndexedFolders;
  if (keep) {
    names.watch = watch;
    state.folders[folder] = std::move(names);
    state.folderOfWatch[watch] = folder;
  } else if (watch >= 0 && !sharedWatch) {
    inotify_rm_watch(state.notifications, watch);
  }
  return found;
}

void ForgetFolderIndex() { DropAll(State()); }

}  // namespace internal
}  // namespace emu
