#include "instances/close_instances.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "instances/instance_manager.h"
#include "platform/process.h"
#include "platform/process_control.h"
#include "platform/text.h"
#include "platform/window.h"

namespace {

// The close request's wParam, which tells the product who asks.
constexpr std::uintptr_t kCloseFromSetup = 1001;
constexpr unsigned kCloseGraceMs = 10;

// Whether the process's program file is named as the product's.
bool RunsProductProgram(std::uint32_t processId) {
  platform::ProcessHandle process = platform::OpenProcessById(processId, platform::kProcessQueryLimitedInformation);
  if (process == nullptr) return false;
  const std::string path = platform::ProcessProgramPath(process);
  platform::CloseProcessHandle(process);
  const std::size_t separator = platform::FindLastBackslash(path);
  const std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
  return platform::EqualsIgnoreCaseAscii(name, "Ptav6.exe");
}

}  // namespace

void CloseRunningInstances(COXInstanceManager& registry, int otherCount) {
  std::vector<std::uint32_t> ids;
  if (otherCount <= 0 || !registry.ListInstances(ids)) return;
  const std::uint32_t self = platform::CurrentProcessId();
  const std::size_t visits = std::min(ids.size(), static_cast<std::size_t>(otherCount));
  for (std::size_t i = 0; i < visits; ++i) {
    const std::uint32_t id = ids[i];
    if (id == self) continue;
    const platform::WindowHandle window = registry.FindInstanceWindow(id);
    if (window != nullptr) platform::PostWindowMessage(window, platform::kWmClose, kCloseFromSetup, 0);
    platform::SleepMilliseconds(kCloseGraceMs);
    if (window == nullptr && !RunsProductProgram(id)) continue;
    if (platform::ProcessHandle process = platform::OpenProcessById(id, platform::kProcessTerminate)) {
      platform::EndProcess(process, 0);
      platform::CloseProcessHandle(process);
    }
  }
}
