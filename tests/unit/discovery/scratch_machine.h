#pragma once
// A fresh emulated machine for one case, removed afterwards, plus the few
// things the discovery cases put on it.
#include <string>

namespace discovery_tests {

class ScratchMachine {
 public:
  explicit ScratchMachine(unsigned codePage = 1252);
  ~ScratchMachine();
  ScratchMachine(const ScratchMachine&) = delete;
  ScratchMachine& operator=(const ScratchMachine&) = delete;

  bool Ready() const { return ready_; }

 private:
  std::string host_;
  bool ready_ = false;
};

// Creates the folder and every missing folder above it.
bool MakeFolders(const std::string& windowsPath);
// Writes a file, making its folder first.
bool PutFile(const std::string& windowsPath, const std::string& content);

}  // namespace discovery_tests
