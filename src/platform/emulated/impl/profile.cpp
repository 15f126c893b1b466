#include "platform/profile.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/emulated/machine/internal/faults.h"
#include "platform/emulated/machine/internal/file_lock.h"
#include "platform/emulated/machine/internal/paths.h"
#include "platform/emulated/machine/internal/settings_file.h"
#include "platform/errors.h"
#include "platform/files.h"

// Settings files are read and written through the file calls, so the
// machine's rules on rights and files in use apply to them as well; the
// text is read and written as the machine's restart reads it.
namespace platform {

namespace {

using emu::internal::FileLock;

// A file named without a folder lives in the Windows folder.
std::string ProfilePath(const std::string& file) {
  if (emu::internal::LastSeparator(file) != std::string::npos) return file;
  if (file.size() >= 2 && file[1] == ':') return file;
  return WindowsFolder() + "\\" + file;
}

}  // namespace

std::uint32_t ReadSettingsSection(const std::string& section, char* buffer, std::uint32_t size,
                                 const std::string& file) {
  if (!buffer || size == 0) return 0;
  if (emu::internal::InjectedFault("ReadSettingsSection", ProfilePath(file))) {
    buffer[0] = '\0';
    if (size > 1) buffer[1] = '\0';
    return 0;
  }
  std::string text;
  std::string entries;  // each entry ended by its zero byte
  {
    FileLock lock(emu::internal::SettingsLockPath(), FileLock::Shared);
    if (!ReadWholeFile(ProfilePath(file), text)) text.clear();
  }
  for (const std::string& entry : emu::internal::SectionEntries(text, section)) {
    entries += entry;
    entries += '\0';
  }
  if (size == 1) {
    buffer[0] = '\0';
    return 0;
  }
  if (entries.size() + 1 <= size) {
    std::memcpy(buffer, entries.data(), entries.size());
    buffer[entries.size()] = '\0';
    if (entries.empty()) buffer[1] = '\0';
    return static_cast<std::uint32_t>(entries.size());
  }
  // Too small: what fits, cut off, and the two closing zero bytes.
  std::memcpy(buffer, entries.data(), size - 2);
  buffer[size - 2] = '\0';
  buffer[size - 1] = '\0';
  return size - 2;
}

// The whole read-modify-write keeps the settings lock alone, so that
// processes writing sections of one file at once keep each other's.
bool WriteSettingsSection(const std::string& section, const char* entries, const std::string& file) {
  const std::string path = ProfilePath(file);
  if (emu::internal::InjectedFault("WriteSettingsSection", path)) return false;
  FileLock lock(emu::internal::SettingsLockPath(), FileLock::Exclusive);
  std::string text;
  if (!ReadWholeFile(path, text)) {
    if (LastError() != kErrFileNotFound) return false;
    text.clear();
  }
  std::vector<std::string> lines;
  if (entries) {
    for (const char* entry = entries; *entry; entry += std::strlen(entry) + 1) lines.emplace_back(entry);
  }
  return WriteWholeFile(path, emu::internal::WithSection(text, section, entries ? &lines : nullptr));
}

}  // namespace platform
