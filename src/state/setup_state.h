#pragma once
// The one record through which the steps of a setup run hand values to each other.
#include <cstdint>
#include <string>

struct ProductVersion {
  std::int32_t major = 0;
  std::int32_t minor = 0;
  std::int32_t release = 0;
  std::int32_t beta = 0;
};

struct SetupState {
  std::string m_strInstDir;
  std::string m_strSrcDir;
  std::string m_strGroup;
  ProductVersion m_ver;
  std::int32_t m_bNewInstall = 0;
  std::int32_t m_bUpgrade = 0;
  std::int32_t m_bRunAfter = 0;
  std::int32_t m_bAllUsers = 0;
  std::int32_t m_bAutoStart = 0;
  std::int32_t m_bDeskIcon = 1;
  std::int32_t m_bSilent = 0;
};

// The process-wide record.
SetupState& TheSetupState();
