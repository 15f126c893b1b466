#pragma once
// The shared block of the instance registry as every process of the product
// lays it out, and the list operations on it. Plain data: the registry
// calls these with the list mutex held.
#include <cstdint>
#include <vector>

// The application name under which the setup and the product register, and
// the names of the registry's kernel objects (each a prefix followed by it).
constexpr char kInstanceApplicationName[] = "Lumetra.Pictavo-Studio.v4";
constexpr char kListMutexPrefix[] = "COXInstanceManager_InstanceList_Mutex_";
constexpr char kAdditionalMutexPrefix[] = "COXInstanceManager_Additional_Mutex_";
constexpr char kFileMapPrefix[] = "COXInstanceManager_FileMap_";

// Posted (wParam 0) to the main window of every other registered process.
constexpr unsigned InstanceAddedMessage = 1946;    // lParam: the id just registered
constexpr unsigned InstanceRemovedMessage = 1947;  // lParam: the id just taken out

constexpr std::uint32_t kMaxInstances = 1000;
constexpr std::uint32_t kListAreaSize = 4008;        // before rounding to the granularity
constexpr std::uint32_t kAdditionalAreaSize = 1024;  // likewise

// At offset 0 of the list area; 32-bit little-endian fields, no gaps.
struct InstanceBlock {
  std::uint32_t Marker;  // 1 once the block was made
  std::uint32_t Count;   // registered ids, 0 to kMaxInstances
  std::uint32_t ProcessIds[kMaxInstances];  // in order of registration; the rest 0
};
static_assert(sizeof(InstanceBlock) == kListAreaSize, "the block's layout is shared with other programs");
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the shared block is little-endian"
#endif

// `size` raised to the next whole multiple of `granularity` (unchanged when
// it is one already, or when the granularity is 0).
std::uint32_t RoundUpToGranularity(std::uint32_t size, std::uint32_t granularity);

// The number of valid entries: `Count`, yet never more than the block holds,
// whatever another process wrote there.
std::uint32_t TrustedCount(const InstanceBlock& block);
// The valid ids in list order.
std::vector<std::uint32_t> ListedIds(const InstanceBlock& block);
// Appends `processId`; false, with nothing changed, when the list is full.
bool AppendId(InstanceBlock& block, std::uint32_t processId);
// Takes out the first entry equal to `processId`; those behind it move down
// one place and the vacated last slot becomes 0. false when it isn't listed.
bool RemoveId(InstanceBlock& block, std::uint32_t processId);
