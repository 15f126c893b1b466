#include "platform/named_objects.h"

#include "platform/win32/win32_support.h"

namespace platform {

namespace {
HANDLE Native(KernelObject object) { return reinterpret_cast<HANDLE>(object); }
KernelObject Ours(HANDLE handle) { return reinterpret_cast<KernelObject>(handle); }
}  // namespace

KernelObject CreateNamedMutex(const std::string& name) {
  return Ours(::CreateMutexA(nullptr, FALSE, name.c_str()));
}

MutexWait WaitForMutex(KernelObject mutex) {
  switch (::WaitForSingleObject(Native(mutex), INFINITE)) {
    case WAIT_OBJECT_0: return MutexWait::Taken;
    case WAIT_ABANDONED: return MutexWait::Abandoned;
    default: return MutexWait::Failed;
  }
}

bool ReleaseNamedMutex(KernelObject mutex) { return ::ReleaseMutex(Native(mutex)) != FALSE; }

KernelObject CreateSharedMemory(const std::string& name, std::uint32_t size) {
  return Ours(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_COMMIT, 0, size,
                                   name.c_str()));
}

void* MapSharedView(KernelObject memory, std::uint32_t length) {
  return ::MapViewOfFile(Native(memory), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, length);
}

bool UnmapSharedView(void* view) { return ::UnmapViewOfFile(view) != FALSE; }

void CloseKernelObject(KernelObject object) { ::CloseHandle(Native(object)); }

std::uint32_t AllocationGranularity() {
  SYSTEM_INFO info;
  ::GetSystemInfo(&info);
  return info.dwAllocationGranularity;
}

}  // namespace platform
