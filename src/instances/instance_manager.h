#pragma once
// COXInstanceManager: the registry of the running processes of the product
// and of this program, a list of process ids in named shared memory that
// every such process joins at its start and leaves at its orderly end. The
// object names, the block's layout (instance_block.h) and the notices posted
// to the main windows are shared with the product.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/named_objects.h"
#include "platform/ui.h"

class COXInstanceManager {
 public:
  // Opens or creates the named objects and registers this process.
  COXInstanceManager();
  // Takes this process out and lets go of everything.
  virtual ~COXInstanceManager();
  COXInstanceManager(const COXInstanceManager&) = delete;
  COXInstanceManager& operator=(const COXInstanceManager&) = delete;

  // The registered ids, this process included; 0 when the block can't be reached.
  std::uint32_t CountInstances();
  // The registered ids in list order; false, with `list` untouched, when
  // the block can't be reached.
  bool ListInstances(std::vector<std::uint32_t>& list);
  // Adds `processId`, after posting InstanceAddedMessage about it to the main
  // window of every process listed; false when the list is full or the block
  // can't be reached (nothing is posted then).
  bool RegisterInstance(std::uint32_t processId);
  // Takes out the first entry of `processId`, then posts
  // InstanceRemovedMessage about it to the main window of every process that
  // stays listed; false when it isn't listed.
  bool UnregisterInstance(std::uint32_t processId);
  // The main window of a process (instance_window.h).
  platform::WindowHandle FindInstanceWindow(std::uint32_t processId) const;

 private:
  // Maps the list area and takes the list mutex around `work`, which gets
  // the block; false when either can't be had.
  template <typename Work>
  bool WithBlock(Work work);

  std::string m_strApplicationName;
  std::uint32_t m_nListAreaSize;
  std::uint32_t m_nAdditionalAreaSize;
  platform::KernelObject m_hListMutex = nullptr;
  platform::KernelObject m_hAdditionalMutex = nullptr;
  platform::KernelObject m_hFileMap = nullptr;
  void* m_pListView = nullptr;        // mapped only while an operation runs
  void* m_pAdditionalView = nullptr;  // never mapped by this program
};
