#pragma once
// A machine made by CreateMachine in a new temporary folder, in use by the
// test process.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/emulated/machine/machine.h"
#include "platform/registry.h"

class CreatedMachineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ptv-created-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  // Makes the machine <root>/machine and uses it.
  void Create(const emu::MachineSettings& settings = emu::MachineSettings()) {
    machine_ = root_ + "/machine";
    std::string error;
    ASSERT_TRUE(emu::CreateMachine(machine_, settings, error)) << error;
    emu::UseMachine(machine_);
  }

  // A string value read through the registry calls; "" when missing.
  static std::string ReadString(platform::RegRoot root, const std::string& key, const std::string& name) {
    platform::RegKey opened = nullptr;
    if (!platform::OpenRegKey(platform::RootKey(root), key, false, opened)) return "";
    char buffer[1024] = {0};
    std::uint32_t size = sizeof buffer - 1;
    std::uint32_t type = 0;
    const bool read = platform::QueryRegValue(opened, name, &type, buffer, &size);
    platform::CloseRegKey(opened);
    return read ? std::string(buffer) : "";
  }

  static bool IsHostFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  }

  static std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::string root_;
  std::string machine_;
};
