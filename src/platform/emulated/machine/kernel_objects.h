#pragma once
// Named kernel objects of the machine: mutexes and shared memory, in one
// namespace (names compare exactly; "Local\" and "Global\" name the one
// namespace there is). Each object is a folder of <machine>/objects/:
//   handles   every open handle holds a shared lock on it; an object nobody
//             holds is gone, and the next create makes it anew
//   kind      "mutex", or "memory <size>"
//   owner     a mutex: locked by its owner, and holding "<process id>" while
//             owned; a record left by a holder that ended means abandoned
//   memory    shared memory: its bytes, mapped by every view; made anew as
//             another file, so that views mapped before keep what they had
// Creating and opening go under the lock of <machine>/objects/.namespace.
// No process waits on any other to make progress: every lock dies with its
// holder.
#include <cstdint>
#include <string>

namespace emu {

struct KernelObjectHandle;

// The mutex or memory called `name`, created when nobody holds it (LastError
// 0) or else opened (LastError kErrAlreadyExists); nullptr with LastError set
// on failure.
KernelObjectHandle* CreateMutexObject(const std::string& name);
KernelObjectHandle* CreateMemoryObject(const std::string& name, std::uint32_t size);

enum class MutexTake { Taken, Abandoned, Failed };
// Waits without limit; the owning thread takes it again at once.
MutexTake TakeMutexObject(KernelObjectHandle* mutex);
bool ReleaseMutexObject(KernelObjectHandle* mutex);

// The first `length` bytes of the memory (0: all), or nullptr.
void* MapMemoryObject(KernelObjectHandle* memory, std::uint32_t length);
bool UnmapMemoryView(void* view);

void CloseObject(KernelObjectHandle* object);

}  // namespace emu
