#pragma once
// A case of the installation engine: a scratch folder (on a fresh emulated
// machine on Linux, in the temporary folder on Windows) with a package
// folder and an installation folder in the setup state, and what the
// system has scheduled for the next restart.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fixture.h"
#include "restart_operations.h"
#include "platform/profile.h"
#include "state/setup_state.h"

namespace install_tests {

using conformance::Operation;
using conformance::PendingOperations;
using conformance::PendingOperationsIn;

// The entries of the "rename" section of WININIT.INI, in order.
inline std::vector<std::string> RenameEntries() {
  std::vector<char> buffer(1 << 20, '\0');
  const std::uint32_t copied = platform::ReadSettingsSection("rename", buffer.data(),
                                                             static_cast<std::uint32_t>(buffer.size()), "WININIT.INI");
  std::vector<std::string> entries;
  for (std::size_t at = 0; at < copied;) {
    const std::string entry(&buffer[at]);
    entries.push_back(entry);
    at += entry.size() + 1;
  }
  return entries;
}

class InstallTest : public conformance::ScratchTest {
 protected:
  void SetUp() override {
    conformance::ScratchTest::SetUp();
    TheSetupState() = SetupState();
    TheSetupState().m_strSrcDir = At("pkg");
    TheSetupState().m_strInstDir = At("inst");
    MakeFolder("pkg");
  }
  void TearDown() override { TheSetupState() = SetupState(); }

  bool Exists(const std::string& name) const { return platform::PathExists(At(name)); }
};

}  // namespace install_tests
