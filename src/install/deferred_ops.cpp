#include "install/deferred_ops.h"

#include <cstdint>
#include <vector>

#include "platform/files.h"
#include "platform/profile.h"

namespace {

const char kRenameSection[] = "rename";
const char kWininit[] = "WININIT.INI";  // without a folder: the one in the Windows folder
// The buffer the section is first read into; a longer section is read
// again into a larger one, so no entry is ever lost.
constexpr std::uint32_t kFirstSectionBuffer = 16384;
constexpr std::uint32_t kLargestSectionBuffer = 64u << 20;

// Every entry of the section, each ended by its zero byte.
bool ReadWholeSection(std::string& entries) {
  for (std::uint32_t size = kFirstSectionBuffer; size <= kLargestSectionBuffer; size *= 2) {
    std::vector<char> buffer(size, '\0');
    const std::uint32_t copied = platform::ReadSettingsSection(kRenameSection, buffer.data(), size, kWininit);
    // A section that doesn't fit comes back cut, counted as size - 2.
    if (copied + 2 < size) {
      entries.assign(buffer.data(), copied);
      return true;
    }
  }
  return false;
}

}  // namespace

int AppendRenameEntry(const std::string& key, const std::string& value) {
  std::string entries;
  if (!ReadWholeSection(entries)) return 0;
  entries += key + "=" + value;
  entries += '\0';
  entries += '\0';
  return platform::WriteSettingsSection(kRenameSection, entries.data(), kWininit) ? 1 : 0;
}

int ScheduleDelete(const std::string& path) {
  if (platform::MoveFileAtRestart(path, "")) return 1;
  return AppendRenameEntry("NUL", path);
}

int ScheduleRename(const std::string& existingPath, const std::string& newPath) {
  if (platform::MoveFileAtRestart(existingPath, newPath)) return 1;
  // The section names the new path first.
  return AppendRenameEntry(newPath, existingPath);
}
