#include "uninstall_machine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/regedit4.h"
#include "platform/files.h"

namespace uninstall_tests {

emu::MachineSettings TwoUsers(bool administrator) {
  emu::MachineSettings settings;
  settings.userName = "Ann";
  settings.otherUsers = {"Ben"};
  settings.administrator = administrator;
  return settings;
}

void BecomeStandardUser() {
  const std::string folder = emu::MachineFolder();
  std::ifstream in(folder + "/machine.ini");
  std::string settings((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t at = settings.find("administrator=1");
  ASSERT_NE(at, std::string::npos);
  settings[at + std::string("administrator=").size()] = '0';
  std::ofstream(folder + "/machine.ini", std::ios::trunc) << settings;
  emu::UseMachine(folder);
  ASSERT_FALSE(emu::Settings().administrator);
}

void ImportRegistry(const std::string& text) {
  emu::RegistryStore store = emu::RegistryStore::OfMachineInUse();
  std::string error;
  ASSERT_TRUE(store.Import(std::string(emu::kRegedit4Header) + text, error)) << error;
}

bool KeyExists(const std::string& fullKeyPath) {
  emu::RegistryStore store = emu::RegistryStore::OfMachineInUse();
  std::string text;
  std::string error;
  return store.Export(fullKeyPath, text, error);
}

bool ReadValue(const std::string& fullKeyPath, const std::string& name, std::string& text) {
  emu::RegistryStore store = emu::RegistryStore::OfMachineInUse();
  std::uint32_t type = 0;
  std::string data;
  std::string error;
  if (!store.GetValue(fullKeyPath, name, type, data, error)) return false;
  text = data.substr(0, data.find('\0'));
  return true;
}

void MakeFolders(const std::string& windowsPath) {
  for (std::size_t at = windowsPath.find('\\');; at = windowsPath.find('\\', at + 1)) {
    const std::string level = windowsPath.substr(0, at);
    if (level.size() > 2 && !platform::PathExists(level)) {
      ASSERT_TRUE(platform::CreateFolder(level)) << level;
    }
    if (at == std::string::npos) return;
  }
}

void PutFile(const std::string& windowsPath, const std::string& content) {
  MakeFolders(windowsPath.substr(0, windowsPath.rfind('\\')));
  ASSERT_TRUE(platform::WriteWholeFile(windowsPath, content)) << windowsPath;
}

int TranscriptCount(const std::string& line) {
  std::ifstream in(emu::TranscriptPath(emu::MachineFolder()));
  int count = 0;
  for (std::string each; std::getline(in, each);) {
    if (each == line) ++count;
  }
  return count;
}

}  // namespace uninstall_tests
