#pragma once
// Runs a case in a chosen ANSI code page: on Linux a fresh emulated machine
// with that code page, removed afterwards; on Windows the system's own code
// page, so a case that needs another one is skipped.
#include <memory>

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
  struct State;  // what the build needs to hold for the code page
  unsigned codePage_;
  std::unique_ptr<State> state_;
};

}  // namespace platform_tests
