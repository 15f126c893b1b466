#include "platform/emulated/machine/internal/settings_file.h"

#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/file_lock.h"

namespace emu {
namespace internal {

namespace {

std::string Trim(const std::string& s) { return Trimmed(s, " \t"); }

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
  const std::string trimmed = Trim(line);
  if (trimmed.empty() || trimmed[0] != '[') return false;
  const std::size_t close = trimmed.find(']');
  name = Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
  return true;
}

// "key=value" with blanks around both taken away; a line without '=' as it is.
std::string EntryOf(const std::string& line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string::npos) return Trim(line);
  return Trim(line.substr(0, eq)) + "=" + Trim(line.substr(eq + 1));
}

}  // namespace

std::vector<std::string> SectionEntries(const std::string& text, const std::string& section) {
  std::vector<std::string> entries;
  const std::string wanted = Trim(section);
  bool inSection = false;
  for (const std::string& line : SplitLines(text)) {
    std::string name;
    if (SectionHeader(line, name)) {
      if (inSection) break;
      inSection = EqualsIgnoringAsciiCase(name, wanted);
      continue;
    }
    if (!inSection) continue;
    const std::string entry = EntryOf(line);
    if (entry.empty() || entry[0] == ';') continue;
    entries.push_back(entry);
  }
  return entries;
}

std::string WithSection(const std::string& text, const std::string& section, const std::vector<std::string>* entries) {
  std::string body;
  if (entries != nullptr) {
    for (const std::string& entry : *entries) body += entry + "\r\n";
  }
  const std::string wanted = Trim(section);
  std::string out;
  bool replaced = false;
  bool skipping = false;
  // Lines are kept as they are, line ends included; only the section changes.
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    const std::string raw = text.substr(start, end - start);
    start = end;
    std::string line = raw.substr(0, raw.find_first_of("\r\n"));
    std::string name;
    if (SectionHeader(line, name)) {
      skipping = false;
      if (!replaced && EqualsIgnoringAsciiCase(name, wanted)) {
        if (entries != nullptr) out += line + "\r\n" + body;
        replaced = true;
        skipping = true;
        continue;
      }
    }
    if (!skipping) out += raw;
  }
  if (!replaced && entries != nullptr) {
    if (!out.empty() && out.back() != '\n') out += "\r\n";
    out += "[" + section + "]\r\n" + body;
  }
  return out;
}

std::string SettingsLockPath() { return MachineLockPath("settings"); }

}  // namespace internal
}  // namespace emu
