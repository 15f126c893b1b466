#include "platform/emulated/machine/internal/shell_link_file.h"

namespace emu {
namespace internal {

namespace {

// LinkFlags.
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kHasName = 0x04;
constexpr std::uint32_t kHasWorkingDir = 0x10;
// LinkInfoFlags: VolumeID and LocalBasePath are present.
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x01;
constexpr std::uint32_t kDriveFixed = 3;
constexpr std::uint32_t kShowNormal = 1;
constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;
constexpr std::uint32_t kVolumeIdHeaderSize = 0x10;
// CLSID_ShellLink, 00021401-0000-0000-C000-000000000046, in its stored byte order.
constexpr unsigned char kShellLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                               0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

void Put16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void PutZeros(std::string& out, std::size_t count) { out.append(count, '\0'); }

// A StringData structure without IsUnicode: a character count, then the
// characters in the system's code page, no terminator.
void PutStringData(std::string& out, const std::string& text) {
  Put16(out, static_cast<std::uint32_t>(text.size()));
  out += text;
}

// A serial number of the volume, the same for every link to that drive.
std::uint32_t DriveSerial(char drive) {
  return 0x50540000u | static_cast<unsigned char>(drive);
}

std::string LinkInfo(const std::string& target) {
  // The VolumeID with an empty label right after its header.
  const std::uint32_t volumeSize = kVolumeIdHeaderSize + 1;
  std::string volume;
  Put32(volume, volumeSize);
  Put32(volume, kDriveFixed);
  Put32(volume, DriveSerial(target.empty() ? 'C' : target[0]));
  Put32(volume, kVolumeIdHeaderSize);  // VolumeLabelOffset
  volume.push_back('\0');

  const std::uint32_t volumeOffset = kLinkInfoHeaderSize;
  const std::uint32_t basePathOffset = volumeOffset + volumeSize;
  const std::uint32_t suffixOffset = basePathOffset + static_cast<std::uint32_t>(target.size()) + 1;
  const std::uint32_t total = suffixOffset + 1;

  std::string info;
  Put32(info, total);
  Put32(info, kLinkInfoHeaderSize);
  Put32(info, kVolumeIdAndLocalBasePath);
  Put32(info, volumeOffset);
  Put32(info, basePathOffset);
  Put32(info, 0);  // no CommonNetworkRelativeLink
  Put32(info, suffixOffset);
  info += volume;
  info += target;
  info.push_back('\0');
  info.push_back('\0');  // an empty CommonPathSuffix
  return info;
}

}  // namespace

std::string ShellLinkBytes(const ShellLinkContents& link) {
  // An empty description is stored as none: that is what a reader gets
  // back for either, and lnkinfo refuses an empty string of the code page.
  const bool hasName = link.hasDescription && !link.description.empty();
  std::uint32_t flags = kHasLinkInfo;
  if (hasName) flags |= kHasName;
  if (link.hasWorkingFolder) flags |= kHasWorkingDir;

  std::string out;
  Put32(out, kHeaderSize);
  out.append(reinterpret_cast<const char*>(kShellLinkClsid), sizeof kShellLinkClsid);
  Put32(out, flags);
  Put32(out, link.targetAttributes);
  PutZeros(out, 3 * 8);  // creation, access and write times: not set
  Put32(out, 0);         // file size: not set
  Put32(out, 0);         // icon index
  Put32(out, kShowNormal);
  Put16(out, 0);         // no hot key
  PutZeros(out, 2 + 4 + 4);

  out += LinkInfo(link.target);
  // The string data, in the format's order: name, relative path, working
  // folder, arguments, icon location.
  if (hasName) PutStringData(out, link.description);
  if (link.hasWorkingFolder) PutStringData(out, link.workingFolder);
  Put32(out, 0);  // the terminal block of the extra data
  return out;
}

}  // namespace internal
}  // namespace emu
