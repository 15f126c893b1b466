#include "instances/instance_block.h"

std::uint32_t RoundUpToGranularity(std::uint32_t size, std::uint32_t granularity) {
  if (granularity == 0 || size % granularity == 0) return size;
  return (size / granularity + 1) * granularity;
}

std::uint32_t TrustedCount(const InstanceBlock& block) {
  return block.Count < kMaxInstances ? block.Count : kMaxInstances;
}

std::vector<std::uint32_t> ListedIds(const InstanceBlock& block) {
  return std::vector<std::uint32_t>(block.ProcessIds, block.ProcessIds + TrustedCount(block));
}

bool AppendId(InstanceBlock& block, std::uint32_t processId) {
  if (block.Count >= kMaxInstances) return false;
  block.ProcessIds[block.Count] = processId;
  ++block.Count;
  return true;
}

bool RemoveId(InstanceBlock& block, std::uint32_t processId) {
  const std::uint32_t count = TrustedCount(block);
  std::uint32_t i = 0;
  while (i < count && block.ProcessIds[i] != processId) ++i;
  if (i == count) return false;
  // In an order that leaves Count valid entries at every step, should the
  // process be killed on the way.
  for (; i + 1 < count; ++i) block.ProcessIds[i] = block.ProcessIds[i + 1];
  block.Count = count - 1;
  block.ProcessIds[count - 1] = 0;
  return true;
}
