#include <utility>

#include "platform/emulated/machine.h"

// Placeholder bodies; the machine core replaces them.
namespace emu {
void UseMachine(const std::string&) {}
std::string MachineFolder() { return ""; }
const MachineSettings& Settings() {
  static MachineSettings s;
  return s;
}
bool ToHostPath(const std::string&, std::string&) { return false; }
std::string ToWindowsPath(const std::string& hostPath) { return "Z:" + hostPath; }
FileHold::FileHold(FileHold&& other) noexcept { *this = std::move(other); }
FileHold& FileHold::operator=(FileHold&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = other.fd_;
    holdFile_ = std::move(other.holdFile_);
    other.fd_ = -1;
  }
  return *this;
}
FileHold::~FileHold() { Release(); }
void FileHold::Release() { fd_ = -1; }
FileHold HoldFile(const std::string&, HoldKind) { return FileHold(); }
bool FindHold(const std::string&, HoldKind&) { return false; }
}  // namespace emu
