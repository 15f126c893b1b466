// The shared block's list operations and the main-window title test, on
// plain values.
#include <gtest/gtest.h>

#include <memory>

#include "instances/instance_block.h"
#include "instances/instance_rules.h"

namespace {

using Ids = std::vector<std::uint32_t>;

std::unique_ptr<InstanceBlock> BlockOf(const Ids& ids) {
  auto block = std::make_unique<InstanceBlock>();
  *block = InstanceBlock{};
  block->Marker = 1;
  for (std::uint32_t id : ids) EXPECT_TRUE(AppendId(*block, id));
  return block;
}

TEST(InstanceBlock, SizesAreRaisedToTheGranularity) {
  EXPECT_EQ(RoundUpToGranularity(4008, 65536), 65536u);
  EXPECT_EQ(RoundUpToGranularity(1024, 65536), 65536u);
  EXPECT_EQ(RoundUpToGranularity(65536, 65536), 65536u);
  EXPECT_EQ(RoundUpToGranularity(65537, 65536), 131072u);
  EXPECT_EQ(RoundUpToGranularity(4008, 0), 4008u);
}

TEST(InstanceBlock, TakingOutAnIdMovesTheOthersDownInTheirOrder) {
  struct Case {
    Ids before;
    std::uint32_t removed;
    bool found;
    Ids after;
  };
  const Case cases[] = {
      {{10, 20, 30}, 20, true, {10, 30}},
      {{10, 20, 30}, 10, true, {20, 30}},
      {{10, 20, 30}, 30, true, {10, 20}},
      {{10, 20, 10}, 10, true, {20, 10}},  // the first entry of it only
      {{10, 20, 30}, 40, false, {10, 20, 30}},
      {{}, 10, false, {}},
  };
  for (const Case& c : cases) {
    auto block = BlockOf(c.before);
    EXPECT_EQ(RemoveId(*block, c.removed), c.found) << c.removed;
    EXPECT_EQ(ListedIds(*block), c.after) << c.removed;
    EXPECT_EQ(block->Count, c.after.size());
    EXPECT_EQ(block->ProcessIds[c.after.size()], 0u) << "the vacated slot";
    EXPECT_EQ(block->Marker, 1u);
  }
}

TEST(InstanceBlock, AFullListTakesNoMore) {
  auto block = BlockOf({});
  for (std::uint32_t id = 1; id <= kMaxInstances; ++id) ASSERT_TRUE(AppendId(*block, id));
  EXPECT_FALSE(AppendId(*block, 5000));
  EXPECT_EQ(block->Count, kMaxInstances);
  EXPECT_EQ(block->ProcessIds[kMaxInstances - 1], kMaxInstances);
}

TEST(InstanceBlock, ACountBeyondTheBlockIsReadAsAFullList) {
  for (std::uint32_t count : {1001u, 0x80000000u, 0xFFFFFFFFu}) {
    auto block = BlockOf({7, 8, 9});
    block->Count = count;
    EXPECT_EQ(TrustedCount(*block), kMaxInstances) << count;
    EXPECT_EQ(ListedIds(*block).size(), kMaxInstances) << count;
    EXPECT_FALSE(AppendId(*block, 10)) << count;
    EXPECT_TRUE(RemoveId(*block, 8)) << count;
    EXPECT_EQ(block->Count, kMaxInstances - 1) << count;
    EXPECT_EQ(block->ProcessIds[1], 9u) << count;
    EXPECT_FALSE(RemoveId(*block, 12345)) << count;  // searched within the block only
  }
}

TEST(InstanceRules, OnlyATitleThatBeginsWithPictavoMarksTheMainWindow) {
  struct Case {
    const char* title;
    bool marks;
  };
  const Case cases[] = {
      {"Pictavo 6 - Untitled", true}, {"Pictavo", true},         {"PictavoX", true},
      {"pictavo 6", false},           {" Pictavo 6", false},      {"PICTAVO 6", false},
      {"", false},                    {"Pictav", false},          {"DDE Server Window", false},
      {"OleMainThreadWndName", false}, {"My Pictavo 6", false},
  };
  for (const Case& c : cases) EXPECT_EQ(TitleMarksMainWindow(c.title), c.marks) << "\"" << c.title << "\"";
}

}  // namespace
