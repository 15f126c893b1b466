// Named mutexes and shared memory: creating and opening by name, the kinds
// sharing one namespace, ownership, abandonment, and the memory's lifetime.
#include <cstring>

#include "children.h"
#include "fixture.h"
#include "platform/named_objects.h"
#include "platform/process_control.h"

namespace conformance {
namespace {

using platform::LastError;

// A name no other run uses, so that every case starts with no such object.
std::string FreshName(const char* stem) {
  static unsigned counter = 0;
  return std::string("PtvConformance.") + stem + "." + std::to_string(platform::CurrentProcessId()) + "." +
         std::to_string(++counter);
}

class NamedObjectTest : public ScratchTest {};

TEST_F(NamedObjectTest, AMutexIsCreatedOnceAndThenOpened) {
  const std::string name = FreshName("mutex");
  platform::KernelObject first = platform::CreateNamedMutex(name);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(LastError(), platform::kErrNone);
  platform::KernelObject second = platform::CreateNamedMutex(name);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(LastError(), platform::kErrAlreadyExists);
  platform::CloseKernelObject(second);
  platform::CloseKernelObject(first);
  // Gone with its last handle: made anew.
  platform::KernelObject again = platform::CreateNamedMutex(name);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(LastError(), platform::kErrNone);
  platform::CloseKernelObject(again);
}

TEST_F(NamedObjectTest, MutexesAndMemoryShareOneNamespace) {
  const std::string name = FreshName("shared");
  platform::KernelObject memory = platform::CreateSharedMemory(name, 4096);
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(platform::CreateNamedMutex(name), nullptr);
  EXPECT_EQ(LastError(), platform::kErrInvalidHandle);
  platform::CloseKernelObject(memory);

  platform::KernelObject mutex = platform::CreateNamedMutex(name);
  ASSERT_NE(mutex, nullptr);
  EXPECT_EQ(platform::CreateSharedMemory(name, 4096), nullptr);
  EXPECT_EQ(LastError(), platform::kErrInvalidHandle);
  platform::CloseKernelObject(mutex);

  EXPECT_EQ(platform::CreateNamedMutex("PtvConformance\\inner"), nullptr);
  EXPECT_EQ(LastError(), platform::kErrPathNotFound);
}

TEST_F(NamedObjectTest, TheOwnerTakesAMutexAgainAndReleasesItAsOftenAsItTookIt) {
  platform::KernelObject mutex = platform::CreateNamedMutex(FreshName("owned"));
  ASSERT_NE(mutex, nullptr);
  EXPECT_FALSE(platform::ReleaseNamedMutex(mutex));
  EXPECT_EQ(LastError(), platform::kErrNotOwner);
  EXPECT_EQ(platform::WaitForMutex(mutex), platform::MutexWait::Taken);
  EXPECT_EQ(platform::WaitForMutex(mutex), platform::MutexWait::Taken);
  EXPECT_TRUE(platform::ReleaseNamedMutex(mutex));
  EXPECT_TRUE(platform::ReleaseNamedMutex(mutex));
  EXPECT_FALSE(platform::ReleaseNamedMutex(mutex));
  EXPECT_EQ(LastError(), platform::kErrNotOwner);
  platform::CloseKernelObject(mutex);
}

TEST_F(NamedObjectTest, AMutexWhoseOwnerWasKilledIsAbandonedNeverLockedForEver) {
  const std::string name = FreshName("abandoned");
  platform::KernelObject mutex = platform::CreateNamedMutex(name);
  ASSERT_NE(mutex, nullptr);
  auto holder = StartChild("--hold-mutex", name, At("ready"));
  ASSERT_NE(holder, nullptr);
  platform::ProcessHandle process = platform::OpenProcessById(holder->Id(), platform::kProcessTerminate);
  ASSERT_NE(process, nullptr);
  EXPECT_TRUE(platform::EndProcess(process, 1));
  platform::CloseProcessHandle(process);
  ASSERT_TRUE(holder->WaitForEnd(20000));
  EXPECT_EQ(platform::WaitForMutex(mutex), platform::MutexWait::Abandoned);
  EXPECT_TRUE(platform::ReleaseNamedMutex(mutex));
  // Released in the orderly way it is no longer abandoned.
  EXPECT_EQ(platform::WaitForMutex(mutex), platform::MutexWait::Taken);
  EXPECT_TRUE(platform::ReleaseNamedMutex(mutex));
  platform::CloseKernelObject(mutex);
}

TEST_F(NamedObjectTest, SharedMemoryStartsZeroedAndIsSharedByItsHandles) {
  const std::string name = FreshName("memory");
  EXPECT_EQ(platform::CreateSharedMemory(name, 0), nullptr);
  EXPECT_EQ(LastError(), platform::kErrInvalidParameter);

  platform::KernelObject first = platform::CreateSharedMemory(name, 131072);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(LastError(), platform::kErrNone);
  auto* view = static_cast<unsigned char*>(platform::MapSharedView(first, 4008));
  ASSERT_NE(view, nullptr);
  const unsigned char zeros[4008] = {};
  EXPECT_EQ(std::memcmp(view, zeros, sizeof zeros), 0);
  view[4007] = 0x5A;

  // Opened again, even with another size: the same memory, of its first size.
  platform::KernelObject second = platform::CreateSharedMemory(name, 262144);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(LastError(), platform::kErrAlreadyExists);
  auto* other = static_cast<unsigned char*>(platform::MapSharedView(second, 0));
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(other[4007], 0x5A);
  EXPECT_EQ(platform::MapSharedView(second, 131073), nullptr);
  EXPECT_EQ(LastError(), platform::kErrAccessDenied);
  EXPECT_TRUE(platform::UnmapSharedView(other));
  platform::CloseKernelObject(second);

  // With its last handle closed the name is free, and the next memory of
  // that name is new; a view mapped before still has the old one.
  platform::CloseKernelObject(first);
  platform::KernelObject fresh = platform::CreateSharedMemory(name, 131072);
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(LastError(), platform::kErrNone);
  auto* clean = static_cast<unsigned char*>(platform::MapSharedView(fresh, 4008));
  ASSERT_NE(clean, nullptr);
  EXPECT_EQ(clean[4007], 0);
  EXPECT_EQ(view[4007], 0x5A);
  EXPECT_TRUE(platform::UnmapSharedView(view));
  EXPECT_FALSE(platform::UnmapSharedView(view));
  platform::UnmapSharedView(clean);
  platform::CloseKernelObject(fresh);
}

TEST_F(NamedObjectTest, ViewsArePlacedInUnitsOf64KiB) { EXPECT_EQ(platform::AllocationGranularity(), 65536u); }

}  // namespace
}  // namespace conformance
