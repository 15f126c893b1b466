#include "wizard/pages/group_name.h"

namespace {

// The runtime's white space: blank, tab and the line ends.
bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The shortest name the group may have, in bytes.
constexpr std::size_t kShortestName = 3;

}  // namespace

std::string TrimGroupName(const std::string& name, const AnsiTextRules& rules) {
  std::size_t start = 0;
  while (start < name.size() && IsWhiteSpace(name[start])) start = rules.nextChar(name, start);
  // The end: after the last character that is not white space, found walking
  // whole characters so that no trail byte is taken for a blank.
  std::size_t end = start;
  for (std::size_t i = start; i < name.size();) {
    const std::size_t next = rules.nextChar(name, i);
    if (!(next == i + 1 && IsWhiteSpace(name[i]))) end = next;
    i = next;
  }
  return name.substr(start, end - start);
}

std::string LastFolderName(const std::string& path, const AnsiTextRules& rules) {
  std::size_t after = 0;
  for (std::size_t i = 0; i < path.size();) {
    const std::size_t next = rules.nextChar(path, i);
    if (next == i + 1 && path[i] == '\\') after = next;
    i = next;
  }
  return path.substr(after);
}

GroupNameCheck CheckGroupName(const std::string& trimmed, const std::string& userStartup,
                              const std::string& commonStartup, const AnsiTextRules& rules) {
  if (trimmed.size() < kShortestName) return GroupNameCheck::TooShort;
  std::string name = trimmed;
  rules.lowerCase(name);
  for (const std::string& startup : {userStartup, commonStartup}) {
    std::string last = LastFolderName(startup, rules);
    rules.lowerCase(last);
    if (name == last) return GroupNameCheck::StartupFolder;
  }
  return GroupNameCheck::Accepted;
}
