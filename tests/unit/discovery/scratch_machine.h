#pragma once
// A fresh emulated machine for one case, removed afterwards, plus the few
// things the discovery cases put on it.
#include <string>

#include "temporary_machine.h"

namespace discovery_tests {

class ScratchMachine {
 public:
  explicit ScratchMachine(unsigned codePage = 1252);
  ~ScratchMachine();
  ScratchMachine(const ScratchMachine&) = delete;
  ScratchMachine& operator=(const ScratchMachine&) = delete;

  bool Ready() const { return machine_.Ready(); }

 private:
  test_support::TemporaryMachine machine_;
};

// Creates the folder and every missing folder above it.
bool MakeFolders(const std::string& windowsPath);
// Writes a file, making its folder first.
bool PutFile(const std::string& windowsPath, const std::string& content);

}  // namespace discovery_tests
