#pragma once
// Runs a case in a chosen ANSI code page: on Linux a fresh emulated machine
// with that code page, removed afterwards; on Windows the system's own code
// page, so a case that needs another one is skipped.
#include <string>

namespace platform_tests {

class AnsiCodePage {
 public:
  explicit AnsiCodePage(unsigned codePage);
  ~AnsiCodePage();
  AnsiCodePage(const AnsiCodePage&) = delete;
  AnsiCodePage& operator=(const AnsiCodePage&) = delete;

  // True when the platform layer now works in the code page asked for.
  bool Active() const;

 private:
  unsigned codePage_;
  std::string host_;  // the emulated machine's host folder; "" on Windows
};

}  // namespace platform_tests
