// Named mutexes and shared memory as folders of locked files.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>

#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/last_error.h"
#include "platform/emulated/machine/kernel_objects.h"
#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/process_table.h"
#include "platform/errors.h"

namespace emu {

enum class ObjectKind { Mutex, Memory };

struct KernelObjectHandle {
  std::string folder;
  ObjectKind kind = ObjectKind::Mutex;
  std::uint32_t size = 0;
  int handlesFd = -1;  // the shared lock that keeps the object alive
};

namespace {

constexpr std::size_t kMaxNameLength = 260;       // MAX_PATH
constexpr std::size_t kMaxEncodedLength = 200;    // room within a host file name

// Ownership of mutexes by the threads of this process, and the views mapped.
struct Ownership {
  long thread = 0;
  unsigned count = 0;
  int fd = -1;  // the owner file, locked
};
struct View {
  std::size_t length = 0;
};
std::mutex tableLock;
std::map<std::string, Ownership>& Owned() {
  static std::map<std::string, Ownership> owned;
  return owned;
}
std::map<void*, View>& Views() {
  static std::map<void*, View> views;
  return views;
}

long ThisThread() { return static_cast<long>(syscall(SYS_gettid)); }

void RetryingFlock(int fd, int operation) {
  while (flock(fd, operation) != 0 && errno == EINTR) {
  }
}

// A host file name for the object's name: letters, digits and ".-_" stay,
// other bytes become %XX; a long result becomes a hash.
std::string EncodedName(const std::string& name) {
  std::string encoded;
  for (unsigned char c : name) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
        c == '_') {
      encoded.push_back(static_cast<char>(c));
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      encoded += hex;
    }
  }
  if (encoded.size() <= kMaxEncodedLength && encoded != "." && encoded != "..") return "n" + encoded;
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
  char text[24];
  std::snprintf(text, sizeof text, "h%016llx", static_cast<unsigned long long>(hash));
  return text;
}

// The object's folder, or "" with LastError set for a name Windows refuses.
std::string ObjectFolder(const std::string& machine, std::string name) {
  for (const char* prefix : {"Local\\", "Global\\"}) {
    const std::string p = prefix;
    if (name.compare(0, p.size(), p) == 0) {
      name.erase(0, p.size());
      break;
    }
  }
  if (name.size() > kMaxNameLength) {
    internal::SetLastError(platform::kErrFilenameExcedRange);
    return "";
  }
  if (name.find('\\') != std::string::npos) {
    internal::SetLastError(platform::kErrPathNotFound);
    return "";
  }
  const std::string objects = machine + "/objects";
  mkdir(objects.c_str(), 0755);
  if (name.empty()) {
    // An unnamed object: a name of its own that no other create can give.
    static unsigned counter = 0;
    name = "?unnamed " + std::to_string(ThisProcessId()) + " " + std::to_string(getpid()) + " " +
           std::to_string(++counter);
  }
  return objects + "/" + EncodedName(name);
}

bool WriteFileText(const std::string& path, const std::string& text) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = internal::WriteAll(fd, text);
  return close(fd) == 0 && written;
}

bool ReadFileText(const std::string& path, std::string& text) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool read = internal::ReadAll(fd, text);
  close(fd);
  return read;
}

bool WriteRecord(int fd, const std::string& record) {
  return ftruncate(fd, 0) == 0 &&
         (record.empty() || pwrite(fd, record.data(), record.size(), 0) == static_cast<ssize_t>(record.size()));
}

std::string KindText(ObjectKind kind, std::uint32_t size) {
  return kind == ObjectKind::Mutex ? "mutex\n" : "memory " + std::to_string(size) + "\n";
}

// Makes the object anew in its folder: nobody holds it.
bool MakeAnew(const std::string& folder, ObjectKind kind, std::uint32_t size) {
  if (kind == ObjectKind::Mutex) {
    if (!WriteFileText(folder + "/owner", "")) return false;
  } else {
    // A file of its own, all zeros: views of an earlier memory of the name,
    // still mapped, keep theirs.
    const std::string temporary = folder + "/.memory-" + std::to_string(getpid());
    const int fd = open(temporary.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool sized = ftruncate(fd, static_cast<off_t>(size)) == 0;
    close(fd);
    if (!sized || rename(temporary.c_str(), (folder + "/memory").c_str()) != 0) {
      unlink(temporary.c_str());
      return false;
    }
  }
  return WriteFileText(folder + "/kind", KindText(kind, size));
}

KernelObjectHandle* CreateObject(const std::string& name, ObjectKind kind, std::uint32_t size) {
  const std::string machine = MachineFolder();
  if (machine.empty()) {
    internal::SetLastError(platform::kErrInvalidHandle);
    return nullptr;
  }
  if (kind == ObjectKind::Memory && size == 0) {
    internal::SetLastError(platform::kErrInvalidParameter);
    return nullptr;
  }
  const std::string folder = ObjectFolder(machine, name);
  if (folder.empty()) return nullptr;
  mkdir(folder.c_str(), 0755);

  const int space = open((machine + "/objects/.namespace").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (space < 0) {
    internal::SetLastError(platform::kErrAccessDenied);
    return nullptr;
  }
  RetryingFlock(space, LOCK_EX);
  std::uint32_t error = platform::kErrNone;
  bool existed = false;
  std::uint32_t actualSize = size;
  const int handles = open((folder + "/handles").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (handles < 0) {
    error = platform::kErrAccessDenied;
  } else if (flock(handles, LOCK_EX | LOCK_NB) == 0) {
    if (!MakeAnew(folder, kind, size)) error = platform::kErrAccessDenied;
  } else {
    existed = true;
    std::string text;
    unsigned long stored = 0;
    if (!ReadFileText(folder + "/kind", text)) {
      error = platform::kErrInvalidHandle;
    } else if (kind == ObjectKind::Mutex) {
      if (text != KindText(kind, 0)) error = platform::kErrInvalidHandle;  // another kind has the name
    } else if (std::sscanf(text.c_str(), "memory %lu", &stored) != 1 || stored == 0) {
      error = platform::kErrInvalidHandle;
    } else {
      actualSize = static_cast<std::uint32_t>(stored);  // an existing one keeps its size
    }
  }
  if (error == platform::kErrNone) RetryingFlock(handles, LOCK_SH);
  close(space);  // lets go of the namespace
  if (error != platform::kErrNone) {
    if (handles >= 0) close(handles);
    internal::SetLastError(error);
    return nullptr;
  }
  auto* handle = new KernelObjectHandle{folder, kind, actualSize, handles};
  internal::SetLastError(existed ? platform::kErrAlreadyExists : platform::kErrNone);
  return handle;
}

}  // namespace

KernelObjectHandle* CreateMutexObject(const std::string& name) { return CreateObject(name, ObjectKind::Mutex, 0); }

KernelObjectHandle* CreateMemoryObject(const std::string& name, std::uint32_t size) {
  return CreateObject(name, ObjectKind::Memory, size);
}

MutexTake TakeMutexObject(KernelObjectHandle* mutex) {
  if (!mutex || mutex->kind != ObjectKind::Mutex) {
    internal::SetLastError(platform::kErrInvalidHandle);
    return MutexTake::Failed;
  }
  const long thread = ThisThread();
  {
    std::lock_guard<std::mutex> guard(tableLock);
    auto owned = Owned().find(mutex->folder);
    if (owned != Owned().end() && owned->second.thread == thread) {
      ++owned->second.count;
      return MutexTake::Taken;
    }
  }
  const int fd = open((mutex->folder + "/owner").c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    internal::SetLastError(platform::kErrInvalidHandle);
    return MutexTake::Failed;
  }
  RetryingFlock(fd, LOCK_EX);
  // An owner record under a lock that was free: its owner ended holding it.
  std::string record;
  const bool abandoned = internal::ReadAll(fd, record) && !record.empty();
  const std::string mine = std::to_string(ThisProcessId()) + " " + std::to_string(thread) + "\n";
  // Should the record not be written, the mutex is still taken; only a
  // later abandonment would go unseen.
  WriteRecord(fd, mine);
  std::lock_guard<std::mutex> guard(tableLock);
  Owned()[mutex->folder] = Ownership{thread, 1, fd};
  return abandoned ? MutexTake::Abandoned : MutexTake::Taken;
}

bool ReleaseMutexObject(KernelObjectHandle* mutex) {
  if (!mutex || mutex->kind != ObjectKind::Mutex) {
    internal::SetLastError(platform::kErrInvalidHandle);
    return false;
  }
  std::lock_guard<std::mutex> guard(tableLock);
  auto owned = Owned().find(mutex->folder);
  if (owned == Owned().end() || owned->second.thread != ThisThread()) {
    internal::SetLastError(platform::kErrNotOwner);
    return false;
  }
  if (--owned->second.count == 0) {
    const int fd = owned->second.fd;
    // The record goes before the lock, so the next owner sees a clean release.
    WriteRecord(fd, "");
    flock(fd, LOCK_UN);
    close(fd);
    Owned().erase(owned);
  }
  return true;
}

void* MapMemoryObject(KernelObjectHandle* memory, std::uint32_t length) {
  if (!memory || memory->kind != ObjectKind::Memory) {
    internal::SetLastError(platform::kErrInvalidHandle);
    return nullptr;
  }
  const std::size_t bytes = length == 0 ? memory->size : length;
  if (bytes > memory->size) {
    internal::SetLastError(platform::kErrAccessDenied);
    return nullptr;
  }
  const int fd = open((memory->folder + "/memory").c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    internal::SetLastError(platform::kErrAccessDenied);
    return nullptr;
  }
  void* view = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  close(fd);
  if (view == MAP_FAILED) {
    internal::SetLastError(platform::kErrNotEnoughQuota);
    return nullptr;
  }
  std::lock_guard<std::mutex> guard(tableLock);
  Views()[view] = View{bytes};
  return view;
}

bool UnmapMemoryView(void* view) {
  std::lock_guard<std::mutex> guard(tableLock);
  auto found = Views().find(view);
  if (found == Views().end()) {
    internal::SetLastError(platform::kErrInvalidAddress);
    return false;
  }
  munmap(view, found->second.length);
  Views().erase(found);
  return true;
}

void CloseObject(KernelObjectHandle* object) {
  if (!object) return;
  close(object->handlesFd);
  delete object;
}

}  // namespace emu
