#include "fixture.h"

#include <chrono>
#include <sstream>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/process_control.h"

namespace instances_tests {

std::string Id(std::uint32_t id) { return std::to_string(id); }

RawBlock::RawBlock() {
  mutex_ = platform::CreateNamedMutex(kListMutexName);
  memory_ = platform::CreateSharedMemory(kFileMapName, 2 * 65536);
  existed_ = memory_ != nullptr && platform::LastError() == platform::kErrAlreadyExists;
  if (mutex_ && memory_) block_ = static_cast<InstanceBlock*>(platform::MapSharedView(memory_, 65536));
}

RawBlock::~RawBlock() {
  if (block_) platform::UnmapSharedView(block_);
  if (memory_) platform::CloseKernelObject(memory_);
  if (mutex_) platform::CloseKernelObject(mutex_);
}

std::vector<std::uint32_t> RawBlock::Ids() {
  std::vector<std::uint32_t> ids;
  Locked([&](InstanceBlock& block) { ids.assign(block.ProcessIds, block.ProcessIds + TrustedCount(block)); });
  return ids;
}

std::uint32_t RawBlock::Count() {
  std::uint32_t count = 0;
  Locked([&](InstanceBlock& block) { count = block.Count; });
  return count;
}

void InstancesTest::SetUp() {
  system_ = MakeSystem();
  ASSERT_TRUE(system_->Ready());
  static unsigned counter = 0;
  // Ids come again in later runs under Wine: the time makes the name new.
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  folder_ = platform::TempFolder() + "ptvinst-" + Id(platform::CurrentProcessId()) + "-" +
            std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(now).count()) + "-" + Id(++counter);
  ASSERT_TRUE(platform::CreateFolder(folder_)) << folder_ << ": error " << platform::LastError();
}

void InstancesTest::TearDown() {
  children_.clear();  // ends whatever still runs
}

std::string InstancesTest::LogPath(const std::string& name) const { return folder_ + "\\" + name + ".log"; }

test_support::ChildProcess* InstancesTest::StartProduct(const std::string& name, const std::vector<std::string>& args) {
  std::vector<std::string> all = {"-log", LogPath(name)};
  all.insert(all.end(), args.begin(), args.end());
  auto child = test_support::ChildProcess::Start(PTV_STAND_IN_PRODUCT, system_->ProductPath(), all);
  EXPECT_NE(child, nullptr) << "the product does not start";
  if (!child) return nullptr;
  EXPECT_TRUE(LogGets(name, "ready " + Id(child->Id()))) << "the product " << name << " did not get ready";
  children_.push_back(std::move(child));
  return children_.back().get();
}

std::vector<std::string> InstancesTest::Log(const std::string& name) const {
  std::string content;
  std::vector<std::string> lines;
  if (!platform::ReadWholeFile(LogPath(name), content)) return lines;
  std::istringstream in(content);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool InstancesTest::LogHas(const std::string& name, const std::string& line) const {
  for (const std::string& entry : Log(name)) {
    if (entry == line) return true;
  }
  return false;
}

bool InstancesTest::LogGets(const std::string& name, const std::string& line) const {
  return test_support::Eventually([&] { return LogHas(name, line); });
}

}  // namespace instances_tests
