#pragma once
// A fresh machine per test: machine.ini and drive C: in a new temporary folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/emulated/machine/machine.h"

class BareMachineTest : public ::testing::Test {
 protected:
  void SetUp() override { MakeMachine("user=Tester\ncodepage=1252\nadministrator=1\nwindows64=0\n"); }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  void MakeMachine(const std::string& settings) {
    char pattern[] = "/tmp/ptv-machine-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    machine_ = root_ + "/machine";
    std::filesystem::create_directories(machine_ + "/drives/c/windows");
    std::filesystem::create_directories(machine_ + "/drives/c/users/Tester/Temp");
    std::ofstream(machine_ + "/machine.ini") << settings;
    emu::UseMachine(machine_);
  }

  // Rewrites machine.ini and makes the process read it again.
  void ChangeSettings(const std::string& settings) {
    std::ofstream(machine_ + "/machine.ini") << settings;
    emu::UseMachine(machine_);
  }

  std::string Host(const std::string& relative) const { return machine_ + "/drives/c/" + relative; }

  void MakeHostFile(const std::string& relative, const std::string& content = "x") {
    std::filesystem::path path(Host(relative));
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
  }

  void MakeHostFolder(const std::string& relative) { std::filesystem::create_directories(Host(relative)); }

  static bool HostExists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
  }

  static std::string HostContent(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::string root_;
  std::string machine_;
};
