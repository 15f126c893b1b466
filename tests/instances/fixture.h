#pragma once
// One case's world: the system to run on (a fresh emulated machine, or the
// Wine prefix as it is), a folder for the products' records, the products
// started, and a look at the shared block by its literal names.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "child_process.h"
#include "instances/instance_block.h"
#include "platform/named_objects.h"

namespace instances_tests {

// The names of the protocol, written out here so that a change of the
// registry's own constants shows.
constexpr char kListMutexName[] = "COXInstanceManager_InstanceList_Mutex_Lumetra.Pictavo-Studio.v4";
constexpr char kAdditionalMutexName[] = "COXInstanceManager_Additional_Mutex_Lumetra.Pictavo-Studio.v4";
constexpr char kFileMapName[] = "COXInstanceManager_FileMap_Lumetra.Pictavo-Studio.v4";

// Set up per build: a machine of its own for each case on Linux.
class System {
 public:
  virtual ~System() = default;
  virtual bool Ready() const = 0;
  // The Windows path the product's copy gets on an emulated machine.
  virtual std::string ProductPath() const = 0;
};
std::unique_ptr<System> MakeSystem();

// The shared block opened by name and mapped, with the list mutex taken
// while it is read or written.
class RawBlock {
 public:
  RawBlock();
  ~RawBlock();
  bool Opened() const { return block_ != nullptr; }
  bool ExistedBefore() const { return existed_; }
  // Runs `work` on the block with the list mutex held.
  template <typename Work>
  void Locked(Work work) {
    platform::WaitForMutex(mutex_);
    work(*block_);
    platform::ReleaseNamedMutex(mutex_);
  }
  std::vector<std::uint32_t> Ids();  // the first Count entries
  std::uint32_t Count();

 private:
  platform::KernelObject mutex_ = nullptr;
  platform::KernelObject memory_ = nullptr;
  InstanceBlock* block_ = nullptr;
  bool existed_ = false;
};

class InstancesTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the stand-in product recording into the log `name` and waits
  // until its windows are open; fails the case when it doesn't start.
  test_support::ChildProcess* StartProduct(const std::string& name, const std::vector<std::string>& args = {});
  // The product's record so far, one entry per line.
  std::vector<std::string> Log(const std::string& name) const;
  bool LogHas(const std::string& name, const std::string& line) const;
  // Waits until the log has the line.
  bool LogGets(const std::string& name, const std::string& line) const;
  std::string LogPath(const std::string& name) const;

  std::unique_ptr<System> system_;
  std::string folder_;
  std::vector<std::unique_ptr<test_support::ChildProcess>> children_;
};

std::string Id(std::uint32_t id);

}  // namespace instances_tests
