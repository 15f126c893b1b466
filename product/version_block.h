#pragma once
// A VS_VERSIONINFO block with nothing but the fixed file information, laid out
// byte for byte as in a Windows version resource (little-endian, UTF-16 key),
// so that the Linux program can carry the same version a Windows build gets
// from its resource script.
#include <array>
#include <cstddef>
#include <cstdint>

namespace ptav6 {

// 6 bytes of header, the key "VS_VERSION_INFO" with its zero (32 bytes),
// 2 bytes of padding, then VS_FIXEDFILEINFO (13 double words).
inline constexpr std::size_t kVersionBlockSize = 6 + 32 + 2 + 52;
using VersionBlock = std::array<unsigned char, kVersionBlockSize>;

constexpr void PutWord(VersionBlock& block, std::size_t at, std::uint16_t value) {
  block[at] = static_cast<unsigned char>(value & 0xFF);
  block[at + 1] = static_cast<unsigned char>(value >> 8);
}

constexpr void PutDoubleWord(VersionBlock& block, std::size_t at, std::uint32_t value) {
  PutWord(block, at, static_cast<std::uint16_t>(value & 0xFFFF));
  PutWord(block, at + 2, static_cast<std::uint16_t>(value >> 16));
}

constexpr VersionBlock MakeVersionBlock(std::uint16_t major, std::uint16_t minor,
                                        std::uint16_t release, std::uint16_t beta) {
  VersionBlock block{};
  PutWord(block, 0, static_cast<std::uint16_t>(kVersionBlockSize));  // wLength
  PutWord(block, 2, 52);                                              // wValueLength
  PutWord(block, 4, 0);                                               // wType: binary
  const char key[] = "VS_VERSION_INFO";
  for (std::size_t i = 0; i < sizeof(key); ++i) PutWord(block, 6 + 2 * i, static_cast<unsigned char>(key[i]));
  const std::size_t fixed = 40;
  const std::uint32_t versionMs = (std::uint32_t{major} << 16) | minor;
  const std::uint32_t versionLs = (std::uint32_t{release} << 16) | beta;
  PutDoubleWord(block, fixed + 0, 0xFEEF04BDu);   // dwSignature
  PutDoubleWord(block, fixed + 4, 0x00010000u);   // dwStrucVersion
  PutDoubleWord(block, fixed + 8, versionMs);     // dwFileVersionMS
  PutDoubleWord(block, fixed + 12, versionLs);    // dwFileVersionLS
  PutDoubleWord(block, fixed + 16, versionMs);    // dwProductVersionMS
  PutDoubleWord(block, fixed + 20, versionLs);    // dwProductVersionLS
  PutDoubleWord(block, fixed + 24, 0x3F);         // dwFileFlagsMask
  PutDoubleWord(block, fixed + 28, 0);            // dwFileFlags
  PutDoubleWord(block, fixed + 32, 0x00040004u);  // dwFileOS: VOS_NT_WINDOWS32
  PutDoubleWord(block, fixed + 36, 1);            // dwFileType: VFT_APP
  return block;                                   // subtype and date stay 0
}

}  // namespace ptav6
