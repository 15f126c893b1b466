// Children on the emulated machine: a copy of the host program on the
// machine, started with the machine's own launcher.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "child_process.h"
#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/process_table.h"

namespace test_support {

namespace {

class MachineChild : public ChildProcess {
 public:
  MachineChild(int hostPid, std::uint32_t id) : hostPid_(hostPid), id_(id) {}
  ~MachineChild() override {
    if (hostPid_ > 0) {
      kill(hostPid_, SIGKILL);
      waitpid(hostPid_, nullptr, 0);
    }
  }
  std::uint32_t Id() const override { return id_; }
  bool WaitForEnd(unsigned timeoutMs) override {
    if (hostPid_ <= 0) return true;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      if (waitpid(hostPid_, nullptr, WNOHANG) == hostPid_) {
        hostPid_ = -1;
        return true;
      }
      if (std::chrono::steady_clock::now() >= deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }

 private:
  int hostPid_;
  std::uint32_t id_;
};

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::string& hostProgram, const std::string& machinePath,
                                                  const std::vector<std::string>& args) {
  std::string hostCopy;
  if (!emu::ToHostPath(machinePath, hostCopy)) return nullptr;
  std::error_code error;
  if (!std::filesystem::exists(hostCopy, error)) {
    std::filesystem::create_directories(std::filesystem::path(hostCopy).parent_path(), error);
    if (!std::filesystem::copy_file(hostProgram, hostCopy, error)) return nullptr;
  }
  std::uint32_t id = 0;
  const int pid = emu::LaunchProgram(machinePath, emu::JoinCommandLine(machinePath, args), "C:\\", &id);
  if (pid < 0) return nullptr;
  return std::make_unique<MachineChild>(pid, id);
}

std::string ThisProgram() { return std::filesystem::read_symlink("/proc/self/exe").string(); }

}  // namespace test_support
