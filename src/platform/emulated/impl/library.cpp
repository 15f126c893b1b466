// Libraries on the machine are plain files: a library that Windows could
// load from a folder of its search order is a file of that name there.
// Nothing of a library ever runs; loading one as data only finds it.
#include "platform/library.h"

#include <string>
#include <vector>

#include "platform/emulated/machine/internal/paths.h"
#include "platform/emulated/machine/machine.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/registry.h"

namespace platform {

struct LibraryState {
  std::string path;
};

struct Wow64QueryState {};

namespace {

const char kEnvironmentKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

// The machine's PATH: the Path value of the system environment; "" without one.
std::string MachinePath() {
  RegKey key = nullptr;
  std::string path;
  if (OpenRegKey(RootKey(RegRoot::LocalMachine), kEnvironmentKey, false, key)) {
    char buffer[2048] = {};
    std::uint32_t size = sizeof buffer - 1;
    std::uint32_t type = 0;
    if (QueryRegValue(key, "Path", &type, buffer, &size) && (type == kRegSz || type == kRegExpandSz)) {
      path = std::string(buffer, size).c_str();
    }
    CloseRegKey(key);
  }
  return path;
}

// The folders of Windows' search order for a library, in that order.
std::vector<std::string> SearchFolders() {
  std::vector<std::string> folders;
  folders.push_back(emu::FolderOf(ProgramPath()));
  folders.push_back(WindowsFolder() + "\\system32");
  folders.push_back(WindowsFolder());
  folders.push_back(CurrentFolder());
  const std::string path = MachinePath();
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(';', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) folders.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return folders;
}

bool IsFile(const std::string& path) {
  const std::uint32_t attributes = GetAttributes(path);
  return attributes != kInvalidAttributes && !(attributes & kAttrDirectory);
}

}  // namespace

LibraryHandle LoadLibraryAsData(const std::string& name) {
  if (name.empty()) {
    SetLastError(kErrInvalidParameter);
    return nullptr;
  }
  const std::size_t separator = emu::internal::LastSeparator(name);
  const bool bare = separator == std::string::npos;
  std::string file = name;
  // A bare name without an extension is a ".dll"; a trailing dot keeps it bare.
  if (bare && file.find('.') == std::string::npos) file += ".dll";
  if (name.size() >= 2 && (name[1] == ':' || (emu::internal::IsSeparator(name[0]) && emu::internal::IsSeparator(name[1])))) {
    // A full path is the one place to look.
    if (IsFile(file)) return new LibraryState{file};
  } else {
    for (std::string folder : SearchFolders()) {
      if (folder.empty()) continue;
      if (!emu::internal::IsSeparator(folder.back())) folder += '\\';
      if (IsFile(folder + file)) return new LibraryState{folder + file};
    }
  }
  SetLastError(kErrModNotFound);
  return nullptr;
}

void FreeLoadedLibrary(LibraryHandle library) { delete library; }

// Every machine's kernel32 has the entry point; the machine's settings say
// whether it runs 64-bit Windows, under which a 32-bit setup runs in WOW64.
Wow64Query FindWow64Query() {
  static const Wow64QueryState entry;
  return &entry;
}

bool AskWow64Query(Wow64Query query) { return query != nullptr && emu::Settings().windows64; }

}  // namespace platform
