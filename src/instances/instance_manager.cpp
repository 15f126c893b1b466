#include "instances/instance_manager.h"

#include "instances/instance_block.h"
#include "instances/instance_window.h"
#include "platform/errors.h"
#include "platform/process_control.h"
#include "platform/window.h"

COXInstanceManager::COXInstanceManager()
    : m_strApplicationName(kInstanceApplicationName),
      m_nListAreaSize(kListAreaSize),
      m_nAdditionalAreaSize(kAdditionalAreaSize) {
  m_hListMutex = platform::CreateNamedMutex(kListMutexPrefix + m_strApplicationName);
  m_hAdditionalMutex = platform::CreateNamedMutex(kAdditionalMutexPrefix + m_strApplicationName);
  // Without the list mutex no access to the block could be guarded: the
  // registry stays out of reach and this process runs on unregistered.
  if (m_hListMutex == nullptr) return;

  const std::uint32_t granularity = platform::AllocationGranularity();
  m_nListAreaSize = RoundUpToGranularity(m_nListAreaSize, granularity);
  m_nAdditionalAreaSize = RoundUpToGranularity(m_nAdditionalAreaSize, granularity);
  m_hFileMap = platform::CreateSharedMemory(kFileMapPrefix + m_strApplicationName,
                                            m_nListAreaSize + m_nAdditionalAreaSize);
  if (m_hFileMap != nullptr && platform::LastError() != platform::kErrAlreadyExists) {
    // New shared memory comes filled with zeros: only the marker needs
    // writing, and a process that registered since the block was made keeps
    // its entry.
    WithBlock([](InstanceBlock& block) {
      block.Marker = 1;
      return true;
    });
  }
  RegisterInstance(platform::CurrentProcessId());
}

COXInstanceManager::~COXInstanceManager() {
  UnregisterInstance(platform::CurrentProcessId());
  if (m_pAdditionalView != nullptr) platform::UnmapSharedView(m_pAdditionalView);
  if (m_hFileMap != nullptr) platform::CloseKernelObject(m_hFileMap);
  if (m_hAdditionalMutex != nullptr) platform::CloseKernelObject(m_hAdditionalMutex);
  if (m_hListMutex != nullptr) platform::CloseKernelObject(m_hListMutex);
}

template <typename Work>
bool COXInstanceManager::WithBlock(Work work) {
  if (m_hFileMap == nullptr) return false;
  m_pListView = platform::MapSharedView(m_hFileMap, m_nListAreaSize);
  if (m_pListView == nullptr) return false;
  // No time limit; a mutex its owner left behind when it ended is ours now.
  if (platform::WaitForMutex(m_hListMutex) == platform::MutexWait::Failed) {
    platform::UnmapSharedView(m_pListView);
    m_pListView = nullptr;
    return false;
  }
  const bool result = work(*static_cast<InstanceBlock*>(m_pListView));
  platform::UnmapSharedView(m_pListView);
  m_pListView = nullptr;
  platform::ReleaseNamedMutex(m_hListMutex);
  return result;
}

std::uint32_t COXInstanceManager::CountInstances() {
  std::uint32_t count = 0;
  WithBlock([&](InstanceBlock& block) {
    count = TrustedCount(block);
    return true;
  });
  return count;
}

bool COXInstanceManager::ListInstances(std::vector<std::uint32_t>& list) {
  return WithBlock([&](InstanceBlock& block) {
    list = ListedIds(block);
    return true;
  });
}

bool COXInstanceManager::RegisterInstance(std::uint32_t processId) {
  return WithBlock([&](InstanceBlock& block) {
    if (block.Count >= kMaxInstances) return false;
    // Posting does not wait for the receivers, so the lock is held only briefly.
    for (std::uint32_t id : ListedIds(block)) {
      if (platform::WindowHandle window = FindInstanceWindow(id)) {
        platform::PostWindowMessage(window, InstanceAddedMessage, 0, static_cast<std::intptr_t>(processId));
      }
    }
    return AppendId(block, processId);
  });
}

bool COXInstanceManager::UnregisterInstance(std::uint32_t processId) {
  return WithBlock([&](InstanceBlock& block) {
    if (!RemoveId(block, processId)) return false;
    for (std::uint32_t id : ListedIds(block)) {
      if (platform::WindowHandle window = FindInstanceWindow(id)) {
        platform::PostWindowMessage(window, InstanceRemovedMessage, 0, static_cast<std::intptr_t>(processId));
      }
    }
    return true;
  });
}

platform::WindowHandle COXInstanceManager::FindInstanceWindow(std::uint32_t processId) const {
  return ::FindInstanceWindow(processId);
}
