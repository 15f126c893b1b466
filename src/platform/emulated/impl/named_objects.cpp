#include "platform/named_objects.h"

#include "platform/emulated/machine/internal/faults.h"
#include "platform/emulated/machine/kernel_objects.h"

// The machine's named objects stand behind the handles.
namespace platform {

namespace {
emu::KernelObjectHandle* Machine(KernelObject object) { return reinterpret_cast<emu::KernelObjectHandle*>(object); }
KernelObject Ours(emu::KernelObjectHandle* object) { return reinterpret_cast<KernelObject>(object); }
// The granularity of Windows, which the machine keeps.
constexpr std::uint32_t kAllocationGranularity = 65536;
}  // namespace

KernelObject CreateNamedMutex(const std::string& name) {
  if (emu::internal::InjectedFault("CreateNamedMutex", name)) return nullptr;
  return Ours(emu::CreateMutexObject(name));
}

MutexWait WaitForMutex(KernelObject mutex) {
  if (emu::internal::InjectedFault("WaitForMutex")) return MutexWait::Failed;
  switch (emu::TakeMutexObject(Machine(mutex))) {
    case emu::MutexTake::Taken: return MutexWait::Taken;
    case emu::MutexTake::Abandoned: return MutexWait::Abandoned;
    case emu::MutexTake::Failed: break;
  }
  return MutexWait::Failed;
}

bool ReleaseNamedMutex(KernelObject mutex) { return emu::ReleaseMutexObject(Machine(mutex)); }

KernelObject CreateSharedMemory(const std::string& name, std::uint32_t size) {
  if (emu::internal::InjectedFault("CreateSharedMemory", name)) return nullptr;
  return Ours(emu::CreateMemoryObject(name, size));
}

void* MapSharedView(KernelObject memory, std::uint32_t length) {
  if (emu::internal::InjectedFault("MapSharedView")) return nullptr;
  return emu::MapMemoryObject(Machine(memory), length);
}

bool UnmapSharedView(void* view) { return emu::UnmapMemoryView(view); }

void CloseKernelObject(KernelObject object) { emu::CloseObject(Machine(object)); }

std::uint32_t AllocationGranularity() { return kAllocationGranularity; }

}  // namespace platform
