#include "platform/profile.h"

#include <cstring>
#include <vector>

#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/paths.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/text.h"

// Settings files are read and written through the file calls, so the
// machine's rules on rights and files in use apply to them as well.
namespace platform {

namespace {

std::string Trim(const std::string& s) { return emu::internal::Trimmed(s, " \t"); }

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// The name of the section a line opens; false for any other line.
bool SectionHeader(const std::string& line, std::string& name) {
  std::string trimmed = Trim(line);
  if (trimmed.empty() || trimmed[0] != '[') return false;
  std::size_t close = trimmed.find(']');
  name = Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
  return true;
}

// A file named without a folder lives in the Windows folder.
std::string ProfilePath(const std::string& file) {
  if (emu::internal::LastSeparator(file) != std::string::npos) return file;
  if (file.size() >= 2 && file[1] == ':') return file;
  return WindowsFolder() + "\\" + file;
}

// "key=value" with blanks around both taken away; a line without '=' as it is.
std::string EntryOf(const std::string& line) {
  std::size_t eq = line.find('=');
  if (eq == std::string::npos) return Trim(line);
  return Trim(line.substr(0, eq)) + "=" + Trim(line.substr(eq + 1));
}

}  // namespace

std::uint32_t ReadSettingsSection(const std::string& section, char* buffer, std::uint32_t size,
                                 const std::string& file) {
  if (!buffer || size == 0) return 0;
  std::string text;
  std::string entries;  // each entry ended by its zero byte
  if (ReadWholeFile(ProfilePath(file), text)) {
    bool inSection = false;
    bool seen = false;
    std::string wanted = Trim(section);
    for (const std::string& line : SplitLines(text)) {
      std::string name;
      if (SectionHeader(line, name)) {
        if (inSection) seen = true;
        inSection = !seen && EqualsIgnoreCaseAscii(name, wanted);
        continue;
      }
      if (!inSection) continue;
      std::string entry = EntryOf(line);
      if (entry.empty() || entry[0] == ';') continue;
      entries += entry;
      entries += '\0';
    }
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

bool WriteSettingsSection(const std::string& section, const char* entries, const std::string& file) {
  std::string path = ProfilePath(file);
  std::string text;
  if (!ReadWholeFile(path, text)) {
    if (LastError() != kErrFileNotFound) return false;
    text.clear();
  }
  std::string body;
  if (entries) {
    for (const char* entry = entries; *entry; entry += std::strlen(entry) + 1) {
      body += entry;
      body += "\r\n";
    }
  }
  std::vector<std::string> lines = SplitLines(text);
  std::string out;
  bool replaced = false;
  bool skipping = false;
  for (const std::string& line : lines) {
    std::string name;
    if (SectionHeader(line, name)) {
      skipping = false;
      if (!replaced && EqualsIgnoreCaseAscii(name, Trim(section))) {
        // The header stays as it was written; a null list of entries deletes the section.
        if (entries) out += line + "\r\n" + body;
        replaced = true;
        skipping = true;
        continue;
      }
    }
    if (skipping) continue;
    out += line;
    out += "\r\n";
  }
  if (!replaced && entries) out += "[" + section + "]\r\n" + body;
  return WriteWholeFile(path, out);
}

}  // namespace platform
