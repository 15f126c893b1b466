#include "platform/win32/win32_support.h"

#include <algorithm>
#include <vector>

#include "platform/errors.h"
#include "platform/files.h"

namespace platform {

struct FindState {
  win32::ScopedFindHandle handle;
};

namespace {

void Fill(const WIN32_FIND_DATAA& found, FindData& data) {
  data.name = found.cFileName;
  data.attributes = found.dwFileAttributes;
  data.size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
}

bool WriteAll(HANDLE file, const std::string& content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file, content.data() + done, chunk, &written, nullptr)) return false;
    done += written;
  }
  return true;
}

// A string filled by a call of the GetTempPathA kind: the call returns the
// length without the terminating zero, or the size needed when too small.
template <typename Call>
std::string ReadPathString(Call call) {
  std::vector<char> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD length = call(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return "";
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(length + 1);
  }
}

}  // namespace

bool CopyFileTo(const std::string& from, const std::string& to, bool failIfExists) {
  return ::CopyFileA(from.c_str(), to.c_str(), failIfExists ? TRUE : FALSE) != FALSE;
}

bool MoveFileTo(const std::string& from, const std::string& to) {
  return ::MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

bool MoveFileAtRestart(const std::string& from, const std::string& to) {
  return ::MoveFileExA(from.c_str(), to.empty() ? nullptr : to.c_str(),
                       MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
}

bool DeleteFileAt(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

bool CreateFolder(const std::string& path) {
  return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool RemoveFolder(const std::string& path) { return ::RemoveDirectoryA(path.c_str()) != FALSE; }

std::uint32_t GetAttributes(const std::string& path) {
  return ::GetFileAttributesA(path.c_str());
}

bool SetAttributes(const std::string& path, std::uint32_t attributes) {
  return ::SetFileAttributesA(path.c_str(), attributes) != FALSE;
}

bool PathExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

FindHandle FindFirst(const std::string& pattern, FindData& data) {
  WIN32_FIND_DATAA found;
  HANDLE handle = ::FindFirstFileA(pattern.c_str(), &found);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  Fill(found, data);
  FindState* state = new FindState;
  state->handle.Reset(handle);
  return state;
}

bool FindNext(FindHandle handle, FindData& data) {
  if (!handle) {
    ::SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  WIN32_FIND_DATAA found;
  if (!::FindNextFileA(handle->handle.Get(), &found)) return false;
  Fill(found, data);
  return true;
}

void FindClose(FindHandle handle) {
  delete handle;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
  content.clear();
  // Others may keep writing a log we read; don't stand in their way.
  win32::ScopedFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  char buffer[64 * 1024];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) {
      content.clear();
      return false;
    }
    if (got == 0) break;
    content.append(buffer, got);
  }
  return true;
}

bool WriteWholeFile(const std::string& path, const std::string& content) {
  win32::ScopedFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  if (!WriteAll(file.Get(), content)) return false;
  return file.Close();
}

bool AppendToFile(const std::string& path, const std::string& content) {
  win32::ScopedFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  LARGE_INTEGER zero = {};
  if (!::SetFilePointerEx(file.Get(), zero, nullptr, FILE_END) || !WriteAll(file.Get(), content)) return false;
  return file.Close();
}

std::string TempFolder() {
  return ReadPathString([](DWORD size, char* buffer) { return ::GetTempPathA(size, buffer); });
}

std::string MakeTempFileName(const std::string& folder, const std::string& prefix) {
  char buffer[MAX_PATH + 1] = {};
  if (::GetTempFileNameA(folder.c_str(), prefix.c_str(), 0, buffer) == 0) return "";
  return buffer;
}

std::string WindowsFolder() {
  return ReadPathString(
      [](DWORD size, char* buffer) { return ::GetWindowsDirectoryA(buffer, size); });
}

std::string CurrentFolder() {
  return ReadPathString(
      [](DWORD size, char* buffer) { return ::GetCurrentDirectoryA(size, buffer); });
}

bool SetCurrentFolder(const std::string& path) {
  return ::SetCurrentDirectoryA(path.c_str()) != FALSE;
}

}  // namespace platform
