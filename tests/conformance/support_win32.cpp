// The conformance cases on the real Windows API: scratch folders in the
// temporary folder, files put in use by this process or by a copy of this
// program.
#include <windows.h>

#include <cstring>
#include <string>

#include "support.h"

namespace conformance {

namespace {

const char kHoldRunningSwitch[] = "--hold-running";

// A name no other run of the suite (in this prefix or on this machine) uses.
std::string UniqueName(const char* stem) {
  static unsigned counter = 0;
  return std::string(stem) + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
         std::to_string(++counter);
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        ::DeleteFileA(path.c_str());
      }
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
  }
  ::SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::RemoveDirectoryA(folder.c_str());
}

class OpenHandle : public FileInUse {
 public:
  explicit OpenHandle(HANDLE handle) : handle_(handle) {}
  ~OpenHandle() override { ::CloseHandle(handle_); }

 private:
  HANDLE handle_;
};

class RunningCopy : public FileInUse {
 public:
  explicit RunningCopy(HANDLE process) : process_(process) {}
  ~RunningCopy() override {
    ::TerminateProcess(process_, 0);
    ::WaitForSingleObject(process_, 10000);
    ::CloseHandle(process_);
  }

 private:
  HANDLE process_;
};

std::unique_ptr<FileInUse> StartCopyOfThisProgram(const std::string& path) {
  char self[MAX_PATH + 1] = {};
  if (::GetModuleFileNameA(nullptr, self, sizeof self) == 0) return nullptr;
  if (!::CopyFileA(self, path.c_str(), FALSE)) return nullptr;

  // The copy tells when it runs, so the case never races its start.
  const std::string eventName = UniqueName("PtvConformanceReady");
  HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
  if (!ready) return nullptr;
  std::string commandLine = "\"" + path + "\" " + kHoldRunningSwitch + " " + eventName;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!::CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started)) {
    ::CloseHandle(ready);
    return nullptr;
  }
  ::CloseHandle(started.hThread);
  HANDLE waitFor[] = {ready, started.hProcess};
  const DWORD woke = ::WaitForMultipleObjects(2, waitFor, FALSE, 30000);
  ::CloseHandle(ready);
  auto copy = std::make_unique<RunningCopy>(started.hProcess);
  if (woke != WAIT_OBJECT_0) return nullptr;  // the copy ended or never signalled
  return copy;
}

}  // namespace

bool RunAsChildProgram(int argc, char** argv, int& exitStatus) {
  if (argc < 3 || std::strcmp(argv[1], kHoldRunningSwitch) != 0) return false;
  HANDLE ready = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
  if (!ready) {
    exitStatus = 2;
    return true;
  }
  ::SetEvent(ready);
  ::CloseHandle(ready);
  ::Sleep(120000);  // ended by the case long before this
  exitStatus = 0;
  return true;
}

int AssociationNoticesGiven() { return -1; }

bool ReadOnlyFilesRefuseWrites() {
  static const bool refused = [] {
    char temp[MAX_PATH + 1] = {};
    if (::GetTempPathA(sizeof temp, temp) == 0) return true;
    const std::string probe = std::string(temp) + UniqueName("ptvconf-readonly");
    HANDLE file = ::CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_READONLY, nullptr);
    if (file == INVALID_HANDLE_VALUE) return true;
    ::CloseHandle(file);
    file = ::CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool opened = file != INVALID_HANDLE_VALUE;
    if (opened) ::CloseHandle(file);
    ::SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(probe.c_str());
    return !opened;
  }();
  return refused;
}

bool RunsAsAdministrator() {
  SID_IDENTIFIER_AUTHORITY authority = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!::AllocateAndInitializeSid(&authority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0,
                                  0, 0, 0, &administrators)) {
    return false;
  }
  BOOL member = FALSE;
  if (!::CheckTokenMembership(nullptr, administrators, &member)) member = FALSE;
  ::FreeSid(administrators);
  return member != FALSE;
}

struct Scratch::Impl {};

// The real API runs as whoever runs the suite, whatever the case asks for.
Scratch::Scratch(Account) {
  char temp[MAX_PATH + 1] = {};
  if (::GetTempPathA(sizeof temp, temp) == 0) return;
  const std::string folder = std::string(temp) + UniqueName("ptvconf");
  if (::CreateDirectoryA(folder.c_str(), nullptr)) folder_ = folder;
}

Scratch::~Scratch() {
  if (!folder_.empty()) RemoveTree(folder_);
}

std::unique_ptr<FileInUse> PutFileInUse(const std::string& windowsPath, Use use) {
  if (use == Use::RunningProgram) return StartCopyOfThisProgram(windowsPath);
  HANDLE handle = ::CreateFileA(windowsPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<OpenHandle>(handle);
}

}  // namespace conformance
