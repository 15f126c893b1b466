// Between fork and exec a program being started must not allocate memory:
// another thread of the parent may hold the allocator's lock at the fork,
// and the child would wait for it forever. This program replaces malloc
// and its kin so that any allocation in a forked child ends that child at
// once with a status of its own.
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cstddef>

#include "platform/emulated/machine/machine.h"
#include "platform/errors.h"
#include "temporary_machine.h"

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void __libc_free(void* block);
}

namespace {

constexpr int kAllocatedInChild = 99;
volatile sig_atomic_t inForkedChild = 0;

void RefuseInForkedChild() {
  if (inForkedChild) _exit(kAllocatedInChild);
}

}  // namespace

extern "C" {
void* malloc(std::size_t size) {
  RefuseInForkedChild();
  return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
  RefuseInForkedChild();
  return __libc_calloc(count, size);
}
void* realloc(void* block, std::size_t size) {
  RefuseInForkedChild();
  return __libc_realloc(block, size);
}
void free(void* block) {
  if (block != nullptr) RefuseInForkedChild();
  __libc_free(block);
}
}

namespace {

// A program started with a command line, a folder, and the holds on its
// file and its folder: it runs, and its status comes back.
TEST(LaunchAllocationTest, TheChildAllocatesNothingBeforeItsExec) {
  test_support::TemporaryMachine machine;
  ASSERT_TRUE(machine.Ready());
  for (const char* folder : {"C:\\", "C:\\windows"}) {
    const int pid = emu::LaunchProgram("Z:\\bin\\sh", "sh -c \"exit 7\"", folder);
    ASSERT_GT(pid, 0) << platform::LastError();
    EXPECT_EQ(emu::WaitForProgram(pid), 7) << "99: the child allocated memory before its exec";
  }
}

}  // namespace

int main(int argc, char** argv) {
  pthread_atfork(nullptr, nullptr, [] { inForkedChild = 1; });
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
