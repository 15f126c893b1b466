// The instance registry with real processes: the stand-in product, which
// registers as every running copy does, and this test program.
#include <cstring>

#include "fixture.h"
#include "instances/instance_manager.h"
#include "instances/instance_window.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/process_control.h"
#include "platform/window.h"

namespace instances_tests {
namespace {

using Ids = std::vector<std::uint32_t>;

TEST_F(InstancesTest, TheFirstCreatesTheBlockTheSecondOpensItAndNotifiesTheFirst) {
  auto* a = StartProduct("a");
  ASSERT_NE(a, nullptr);
  {
    RawBlock raw;
    ASSERT_TRUE(raw.Opened());
    EXPECT_TRUE(raw.ExistedBefore());
    raw.Locked([&](InstanceBlock& block) {
      EXPECT_EQ(block.Marker, 1u);
      EXPECT_EQ(block.Count, 1u);
      EXPECT_EQ(block.ProcessIds[0], a->Id());
      const InstanceBlock zeros = {};
      EXPECT_EQ(std::memcmp(block.ProcessIds + 1, zeros.ProcessIds, sizeof zeros.ProcessIds - 4), 0)
          << "the entries behind the list are not 0";
    });
  }
  // The objects of the protocol, by their names: both mutexes and the block
  // of two granules exist.
  for (const char* name : {kListMutexName, kAdditionalMutexName}) {
    platform::KernelObject mutex = platform::CreateNamedMutex(name);
    ASSERT_NE(mutex, nullptr) << name;
    EXPECT_EQ(platform::LastError(), platform::kErrAlreadyExists) << name;
    platform::CloseKernelObject(mutex);
  }
  platform::KernelObject memory = platform::CreateSharedMemory(kFileMapName, 1);
  ASSERT_NE(memory, nullptr);
  void* whole = platform::MapSharedView(memory, 131072);
  EXPECT_NE(whole, nullptr);
  if (whole) platform::UnmapSharedView(whole);
  EXPECT_EQ(platform::MapSharedView(memory, 131073), nullptr) << "the block is larger than 131072 bytes";
  platform::CloseKernelObject(memory);

  auto* b = StartProduct("b");
  ASSERT_NE(b, nullptr);
  EXPECT_TRUE(LogGets("a", "added " + Id(b->Id())));
  RawBlock raw;
  EXPECT_EQ(raw.Ids(), (Ids{a->Id(), b->Id()}));
  EXPECT_FALSE(LogHas("b", "added " + Id(b->Id()))) << "a process is not told of itself";
}

TEST_F(InstancesTest, TakingOutTheMiddleOfThreeKeepsTheOrderAndTellsTheOthers) {
  auto* a = StartProduct("a");
  auto* b = StartProduct("b");
  auto* c = StartProduct("c");
  ASSERT_TRUE(a && b && c);
  // Asked to close, the product ends in the orderly way and takes itself out.
  const platform::WindowHandle window = FindInstanceWindow(b->Id());
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(platform::PostWindowMessage(window, platform::kWmClose, 0, 0));
  ASSERT_TRUE(b->WaitForEnd(20000));
  EXPECT_TRUE(LogHas("b", "close 0"));
  EXPECT_TRUE(LogGets("a", "removed " + Id(b->Id())));
  EXPECT_TRUE(LogGets("c", "removed " + Id(b->Id())));
  RawBlock raw;
  raw.Locked([&](InstanceBlock& block) {
    EXPECT_EQ(block.Count, 2u);
    EXPECT_EQ(block.ProcessIds[0], a->Id());
    EXPECT_EQ(block.ProcessIds[1], c->Id());
    EXPECT_EQ(block.ProcessIds[2], 0u) << "the vacated slot";
  });
}

TEST_F(InstancesTest, AFullListTakesNoMoreAndPostsNothing) {
  auto* a = StartProduct("a");
  ASSERT_NE(a, nullptr);
  COXInstanceManager registry;  // this program is the second
  EXPECT_TRUE(LogGets("a", "added " + Id(platform::CurrentProcessId())));
  ASSERT_TRUE(registry.RegisterInstance(0x40000001u));
  {
    // The other 997 as processes without windows would have left them.
    RawBlock raw;
    raw.Locked([](InstanceBlock& block) {
      for (std::uint32_t fake = 2; fake <= 998; ++fake) ASSERT_TRUE(AppendId(block, 0x40000000u + fake));
    });
  }
  EXPECT_EQ(registry.CountInstances(), 1000u);
  EXPECT_FALSE(registry.RegisterInstance(0x50000000u));
  EXPECT_EQ(registry.CountInstances(), 1000u);

  // A product started now can't register: nobody hears of it, and its
  // orderly end finds nothing to take out.
  auto* late = StartProduct("late");
  ASSERT_NE(late, nullptr);
  EXPECT_FALSE(LogHas("a", "added " + Id(late->Id())));
  Ids ids;
  ASSERT_TRUE(registry.ListInstances(ids));
  EXPECT_EQ(ids.size(), 1000u);
  EXPECT_EQ(ids.front(), a->Id());
  EXPECT_EQ(ids[1], platform::CurrentProcessId());
  EXPECT_EQ(ids.back(), 0x40000000u + 998);
}

TEST_F(InstancesTest, ACountBeyondTheListIsNeverTrusted) {
  COXInstanceManager registry;
  ASSERT_TRUE(registry.RegisterInstance(0x40000001u));
  RawBlock raw;
  ASSERT_TRUE(raw.Opened());
  // What another process wrote there: a count the block can't hold.
  raw.Locked([](InstanceBlock& block) { block.Count = 0xFFFFFFF0u; });
  EXPECT_EQ(registry.CountInstances(), 1000u);
  Ids ids;
  ASSERT_TRUE(registry.ListInstances(ids));
  EXPECT_EQ(ids.size(), 1000u);
  EXPECT_FALSE(registry.RegisterInstance(0x40000002u));
  EXPECT_TRUE(registry.UnregisterInstance(0x40000001u));
  EXPECT_EQ(raw.Count(), 999u);
  EXPECT_FALSE(registry.UnregisterInstance(0x40000001u)) << "an id not listed";
}

struct TitleCase {
  const char* name;
  const char* title;
  bool taken;
};

TEST_F(InstancesTest, TheMainWindowIsTakenByItsTitleAloneAmongTheProcessWindows) {
  // Each product also opens an owned options window and a tool window whose
  // titles begin with "Pictavo": the walk meets them first and passes them by.
  const TitleCase cases[] = {
      {"document", "Pictavo 6 - Holiday.pv6", true},
      {"word", "Pictavo", true},
      {"small", "pictavo 6 - Holiday.pv6", false},
      {"blank", " Pictavo 6 - Holiday.pv6", false},
      {"capitals", "PICTAVO 6", false},
      {"empty", "", false},
  };
  std::vector<std::pair<const TitleCase*, test_support::ChildProcess*>> started;
  for (const TitleCase& c : cases) started.emplace_back(&c, StartProduct(c.name, {"-title", c.title}));
  COXInstanceManager registry;
  for (const auto& [c, product] : started) {
    ASSERT_NE(product, nullptr) << c->name;
    const platform::WindowHandle window = registry.FindInstanceWindow(product->Id());
    if (c->taken) {
      ASSERT_NE(window, nullptr) << c->name;
      EXPECT_EQ(platform::WindowTitle(window, 512), c->title) << c->name;
      EXPECT_EQ(platform::WindowOwner(window), nullptr) << c->name;
      EXPECT_TRUE(LogGets(c->name, "added " + Id(platform::CurrentProcessId()))) << c->name;
    } else {
      EXPECT_EQ(window, nullptr) << c->name;
    }
  }
  // A process without any window gets no notice, and the others still do.
  auto* windowless = StartProduct("windowless", {"-nowindow"});
  ASSERT_NE(windowless, nullptr);
  EXPECT_EQ(registry.FindInstanceWindow(windowless->Id()), nullptr);
  EXPECT_TRUE(LogGets("document", "added " + Id(windowless->Id())));
  EXPECT_EQ(registry.FindInstanceWindow(platform::CurrentProcessId()), nullptr);
}

TEST_F(InstancesTest, AKilledProcessStaysCountedWhileOthersHoldTheBlock) {
  auto* a = StartProduct("a");
  auto* b = StartProduct("b");
  ASSERT_TRUE(a && b);
  {
    RawBlock raw;
    ASSERT_TRUE(raw.Opened());
    for (auto* victim : {a, b}) {
      platform::ProcessHandle process = platform::OpenProcessById(victim->Id(), platform::kProcessTerminate);
      ASSERT_NE(process, nullptr);
      EXPECT_TRUE(platform::EndProcess(process, 9));
      platform::CloseProcessHandle(process);
      ASSERT_TRUE(victim->WaitForEnd(20000));
      EXPECT_EQ(raw.Ids(), (Ids{a->Id(), b->Id()})) << "a killed process can't take itself out";
    }
  }
  // Nobody holds the block any more: it is gone with every id in it.
  RawBlock fresh;
  ASSERT_TRUE(fresh.Opened());
  EXPECT_FALSE(fresh.ExistedBefore());
  EXPECT_EQ(fresh.Count(), 0u);
}

TEST_F(InstancesTest, AListLockLeftByAKilledProcessCountsAsTaken) {
  auto* a = StartProduct("a");
  ASSERT_NE(a, nullptr);
  const std::string ready = folder_ + "\\holder-ready";
  auto holder = test_support::ChildProcess::Start(test_support::ThisProgram(), "C:\\Tools\\holder.exe",
                                                  {"--hold-list", ready});
  ASSERT_NE(holder, nullptr);
  ASSERT_TRUE(test_support::Eventually([&] { return platform::PathExists(ready); }));
  platform::ProcessHandle process = platform::OpenProcessById(holder->Id(), platform::kProcessTerminate);
  ASSERT_NE(process, nullptr);
  EXPECT_TRUE(platform::EndProcess(process, 1));
  platform::CloseProcessHandle(process);
  ASSERT_TRUE(holder->WaitForEnd(20000));
  // Never locked for ever: the next process registers and is heard of.
  COXInstanceManager registry;
  EXPECT_EQ(registry.CountInstances(), 2u);
  EXPECT_TRUE(LogGets("a", "added " + Id(platform::CurrentProcessId())));
}

}  // namespace
}  // namespace instances_tests
