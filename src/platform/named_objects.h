#pragma once
// Named kernel objects shared between processes: mutexes and shared memory
// backed by the paging file. A name stands for its object for as long as
// some process holds a handle to it; a process that ends, however it ends,
// lets go of its handles.
#include <cstdint>
#include <string>

namespace platform {

struct KernelObjectState;
using KernelObject = KernelObjectState*;

// CreateMutexA(NULL, FALSE, name): the mutex, created not owned; an existing
// one is opened, and LastError() is then kErrAlreadyExists. nullptr on
// failure: kErrInvalidHandle when an object of another kind has the name.
KernelObject CreateNamedMutex(const std::string& name);

enum class MutexWait {
  Taken,      // WAIT_OBJECT_0
  Abandoned,  // WAIT_ABANDONED: its owner ended without releasing it; now taken
  Failed,     // WAIT_FAILED
};
// WaitForSingleObject(mutex, INFINITE). A thread that owns the mutex takes
// it again at once (each take needs its release).
MutexWait WaitForMutex(KernelObject mutex);
// ReleaseMutex: false with kErrNotOwner when this thread does not own it.
bool ReleaseNamedMutex(KernelObject mutex);

// CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE | SEC_COMMIT,
// 0, size, name): shared memory of `size` bytes, filled with zeros when new.
// An existing one is opened with the size it has, and LastError() is then
// kErrAlreadyExists. nullptr on failure: kErrInvalidParameter for size 0,
// kErrInvalidHandle when an object of another kind has the name.
KernelObject CreateSharedMemory(const std::string& name, std::uint32_t size);
// MapViewOfFile(memory, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, length): the
// first `length` bytes (0: all of it); nullptr on failure, kErrAccessDenied
// when `length` goes beyond the memory's size. The view stays usable until
// unmapped, even after its handle is closed; the name goes with the last
// handle all the same.
void* MapSharedView(KernelObject memory, std::uint32_t length);
// UnmapViewOfFile.
bool UnmapSharedView(void* view);

// CloseHandle on a mutex or shared memory.
void CloseKernelObject(KernelObject object);

// GetSystemInfo: dwAllocationGranularity, the unit in which views are placed.
std::uint32_t AllocationGranularity();

}  // namespace platform
