#pragma once
// Owners for what the platform calls open, closed when the owner goes out of
// scope: a registry key (CloseRegKey) and a find handle (FindClose). Both
// builds use them alike.
//
//   platform::ScopedRegKey key;
//   if (!platform::OpenRegKey(root, path, false, key.Receive())) return ...;
//   platform::QueryRegValue(key.Get(), ...);
#include "platform/files.h"
#include "platform/registry.h"

namespace platform {

template <typename Handle, void (*Close)(Handle)>
class Scoped {
 public:
  Scoped() = default;
  explicit Scoped(Handle handle) : handle_(handle) {}
  Scoped(Scoped&& other) noexcept : handle_(other.Release()) {}
  Scoped& operator=(Scoped&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;
  ~Scoped() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Gives up ownership without closing.
  Handle Release() {
    Handle handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  // Closes what is held and takes `handle` instead.
  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr) Close(handle_);
    handle_ = handle;
  }
  // For a call that hands out what it opened through a reference: closes
  // what is held and lets the call fill the owner.
  Handle& Receive() {
    Reset();
    return handle_;
  }

 private:
  Handle handle_ = nullptr;
};

using ScopedRegKey = Scoped<RegKey, CloseRegKey>;
using ScopedFind = Scoped<FindHandle, FindClose>;

}  // namespace platform
