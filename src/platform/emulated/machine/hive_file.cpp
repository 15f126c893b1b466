#include "platform/emulated/machine/hive_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/file_lock.h"

namespace emu {

namespace {

struct FileIdentity {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};

  bool operator==(const FileIdentity& other) const {
    return exists == other.exists && device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
  }
};

FileIdentity IdentityOf(const struct stat& info) {
  FileIdentity identity;
  identity.exists = true;
  identity.device = info.st_dev;
  identity.inode = info.st_ino;
  identity.size = info.st_size;
  identity.modified = info.st_mtim;
  return identity;
}

struct CachedHive {
  FileIdentity identity;
  std::shared_ptr<const RegNode> root;
};

std::mutex cacheMutex;
std::map<std::string, CachedHive>& Cache() {
  static std::map<std::string, CachedHive> cache;
  return cache;
}

std::string SystemError(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }
  bool CloseChecked() {
    int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

bool MakeFolders(const std::string& filePath) {
  std::size_t slash = filePath.find('/', 1);
  while (slash != std::string::npos) {
    std::string folder = filePath.substr(0, slash);
    if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) return false;
    slash = filePath.find('/', slash + 1);
  }
  return true;
}

// The hive the file holds now, from the cache when the file is unchanged.
std::shared_ptr<const RegNode> Load(const std::string& path, const std::string& rootName, FileIdentity& identity,
                                    std::string& error) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) {
    if (errno != ENOENT) {
      error = SystemError("cannot read", path);
      return nullptr;
    }
    identity = FileIdentity();
  } else {
    identity = IdentityOf(info);
  }
  {
    std::lock_guard<std::mutex> lock(cacheMutex);
    auto found = Cache().find(path);
    if (found != Cache().end() && found->second.identity == identity) return found->second.root;
  }
  auto root = std::make_shared<RegNode>();
  if (identity.exists) {
    Descriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    // Identity and text come from the same open file, so they match even
    // when a writer replaces the file in between.
    std::string text;
    if (file.get() < 0 || fstat(file.get(), &info) != 0 || !internal::ReadAll(file.get(), text)) {
      error = SystemError("cannot read", path);
      return nullptr;
    }
    identity = IdentityOf(info);
    RegTextError parseError;
    if (!ParseHive(text, rootName, *root, parseError)) {
      error = path + ": " + parseError.Describe();
      return nullptr;
    }
  }
  std::lock_guard<std::mutex> lock(cacheMutex);
  Cache()[path] = {identity, root};
  return root;
}

timespec Later(const timespec& a, const timespec& b) {
  if (a.tv_sec != b.tv_sec) return a.tv_sec > b.tv_sec ? a : b;
  return a.tv_nsec > b.tv_nsec ? a : b;
}

timespec JustAfter(timespec t) {
  if (++t.tv_nsec == 1000000000L) {
    t.tv_nsec = 0;
    ++t.tv_sec;
  }
  return t;
}

// Writes `text` as the new file: temporary file, flush, rename.
bool Replace(const std::string& path, const std::string& text, const FileIdentity& previous,
             FileIdentity& written, std::string& error) {
  std::string temporary = path + ".tmp";
  Descriptor file(open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (file.get() < 0 || !internal::WriteAll(file.get(), text)) {
    error = SystemError("cannot write", temporary);
    return false;
  }
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  timespec times[2];
  times[0].tv_nsec = UTIME_OMIT;
  times[0].tv_sec = 0;
  times[1] = previous.exists ? Later(now, JustAfter(previous.modified)) : now;
  struct stat info;
  if (futimens(file.get(), times) != 0 || fsync(file.get()) != 0 || fstat(file.get(), &info) != 0 ||
      !file.CloseChecked()) {
    error = SystemError("cannot write", temporary);
    return false;
  }
  if (rename(temporary.c_str(), path.c_str()) != 0) {
    error = SystemError("cannot replace", path);
    return false;
  }
  written = IdentityOf(info);
  return true;
}

}  // namespace

HiveFile::HiveFile(std::string path, std::string rootName) : path_(std::move(path)), rootName_(std::move(rootName)) {}

std::shared_ptr<const RegNode> HiveFile::Read(std::string& error) const {
  if (path_.empty()) {
    error = "no hive for " + rootName_;
    return nullptr;
  }
  FileIdentity identity;
  return Load(path_, rootName_, identity, error);
}

bool HiveFile::Update(const std::function<bool(RegNode& root)>& change, std::string& error) {
  if (path_.empty()) {
    error = "no hive for " + rootName_;
    return false;
  }
  if (!MakeFolders(path_)) {
    error = SystemError("cannot make the folder of", path_);
    return false;
  }
  const std::string lockPath = path_ + ".lock";
  internal::FileLock hiveLock(lockPath, internal::FileLock::Exclusive);
  if (!hiveLock.Locked()) {
    error = SystemError("cannot lock", lockPath);
    return false;
  }
  FileIdentity previous;
  std::shared_ptr<const RegNode> current = Load(path_, rootName_, previous, error);
  if (!current) return false;
  auto changed = std::make_shared<RegNode>(*current);
  if (!change(*changed)) return true;
  FileIdentity written;
  if (!Replace(path_, FormatHive(*changed, rootName_), previous, written, error)) return false;
  std::lock_guard<std::mutex> lock(cacheMutex);
  Cache()[path_] = {written, changed};
  return true;
}

}  // namespace emu
