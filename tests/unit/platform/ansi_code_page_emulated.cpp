#include <stdlib.h>

#include <cstdio>
#include <filesystem>

#include "ansi_code_page.h"
#include "platform/emulated/machine.h"
#include "platform/text.h"

namespace platform_tests {

AnsiCodePage::AnsiCodePage(unsigned codePage) : codePage_(codePage) {
  std::string pattern = (std::filesystem::temp_directory_path() / "ptvplatform-XXXXXX").string();
  if (!mkdtemp(&pattern[0])) return;
  host_ = pattern;
  emu::MachineSettings settings;
  settings.codePage = codePage;
  std::string error;
  if (!emu::CreateMachine(host_ + "/machine", settings, error)) {
    std::fprintf(stderr, "no emulated machine: %s\n", error.c_str());
    return;
  }
  emu::UseMachine(host_ + "/machine");
}

AnsiCodePage::~AnsiCodePage() {
  if (host_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(host_, ignored);
}

bool AnsiCodePage::Active() const { return platform::AnsiCodePage() == codePage_; }

}  // namespace platform_tests
