#pragma once
#include <chrono>
#include <thread>

namespace test_support {

template <typename Condition>
bool Eventually(Condition condition, unsigned timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace test_support
