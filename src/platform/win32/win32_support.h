#pragma once
// The one place where the platform layer's Windows build takes in the
// Windows headers, and owners for the handles those calls return: each
// closes its handle when it goes out of scope, keeping the thread's last
// error (a failed call's error outlives the clean-up).
#include <windows.h>
#include <shlobj.h>

namespace platform {
namespace win32 {

template <typename Traits>
class ScopedHandle {
 public:
  using Handle = typename Traits::Handle;

  ScopedHandle() = default;
  explicit ScopedHandle(Handle handle) : handle_(handle) {}
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ~ScopedHandle() { Reset(); }

  Handle Get() const { return handle_; }
  bool Valid() const { return handle_ != Traits::Invalid(); }
  // Gives up ownership without closing.
  Handle Release() {
    Handle handle = handle_;
    handle_ = Traits::Invalid();
    return handle;
  }
  // Closes what is held, keeping the last error, and takes `handle` instead.
  void Reset(Handle handle = Traits::Invalid()) {
    if (Valid()) {
      const DWORD error = ::GetLastError();
      Traits::Close(handle_);
      ::SetLastError(error);
    }
    handle_ = handle;
  }
  // Closes now, for callers whose result is the close's own (a write is
  // only done once the handle closed cleanly).
  bool Close() {
    if (!Valid()) return false;
    return Traits::Close(Release());
  }

 private:
  Handle handle_ = Traits::Invalid();
};

// A file, pipe or process handle (CloseHandle); CreateFileA fails with INVALID_HANDLE_VALUE.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle handle) { return ::CloseHandle(handle) != FALSE; }
};
using ScopedFileHandle = ScopedHandle<FileHandleTraits>;

// A search of FindFirstFileA (FindClose).
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle handle) { return ::FindClose(handle) != FALSE; }
};
using ScopedFindHandle = ScopedHandle<FindHandleTraits>;

// An opened registry key (RegCloseKey).
struct RegKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle key) { return ::RegCloseKey(key) == ERROR_SUCCESS; }
};
using ScopedRegKeyHandle = ScopedHandle<RegKeyTraits>;

}  // namespace win32
}  // namespace platform
