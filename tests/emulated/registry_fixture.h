#pragma once
// A fresh machine per registry test: only machine.ini, in a new temporary
// folder; the registry files appear as the tests write them.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/emulated/machine/hive.h"
#include "platform/emulated/machine/machine.h"
#include "platform/errors.h"
#include "platform/registry.h"

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ptv-registry-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    machine_ = pattern;
    UseSettings(true);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(machine_, ignored);
  }

  void UseSettings(bool administrator) {
    std::ofstream(machine_ + "/machine.ini")
        << "user=User\ncodepage=1252\nadministrator=" << (administrator ? 1 : 0) << "\nwindows64=0\n";
    emu::UseMachine(machine_);
  }

  std::string MachineHivePath() const { return machine_ + "/registry/HKEY_LOCAL_MACHINE.reg"; }
  std::string UserHivePath(const std::string& user = "User") const {
    return machine_ + "/registry/HKEY_USERS/" + user + ".reg";
  }

  static std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // The hive as the file holds it, parsed afresh.
  static emu::RegNode ParseFile(const std::string& path, const std::string& rootName) {
    emu::RegNode root;
    emu::RegTextError error;
    EXPECT_TRUE(emu::ParseHive(FileText(path), rootName, root, error)) << error.Describe();
    return root;
  }

  // Creates `path` below `root` and returns the open key.
  static platform::RegKey Create(platform::RegRoot root, const std::string& path) {
    platform::RegKey key = nullptr;
    EXPECT_TRUE(platform::CreateRegKey(platform::RootKey(root), path, key)) << platform::LastError();
    return key;
  }

  static bool SetString(platform::RegKey key, const std::string& name, const std::string& text) {
    return platform::SetRegValue(key, name, platform::kRegSz, text.c_str(),
                                 static_cast<std::uint32_t>(text.size() + 1));
  }

  // The value's bytes, or "<error N>".
  static std::string Query(platform::RegKey key, const std::string& name, std::uint32_t* type = nullptr) {
    std::uint32_t size = 0;
    if (!platform::QueryRegValue(key, name, type, nullptr, &size)) {
      return "<error " + std::to_string(platform::LastError()) + ">";
    }
    std::string data(size, '\0');
    if (!platform::QueryRegValue(key, name, type, &data[0], &size)) {
      return "<error " + std::to_string(platform::LastError()) + ">";
    }
    data.resize(size);
    return data;
  }

  std::string machine_;
};
