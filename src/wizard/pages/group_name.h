#pragma once
// The checks of the program group's name, on plain values: the name is
// trimmed of white space at both ends, must be at least 3 bytes long, and
// must not be, in any letter case, the last folder name of the per-user or
// the all-users Startup folder (shortcuts there would start with Windows).
// Text is in the ANSI code page; the two text operations come from the
// caller, so the checks run alike with any code page.
#include <cstddef>
#include <functional>
#include <string>

struct AnsiTextRules {
  // The index of the character after the one at an index (CharNextA).
  std::function<std::size_t(const std::string&, std::size_t)> nextChar;
  // Lower-cases single-byte characters, leaves double-byte ones alone.
  std::function<void(std::string&)> lowerCase;
};

enum class GroupNameCheck { Accepted, TooShort, StartupFolder };

// Without blanks, tabs and line ends at its start and at its end.
std::string TrimGroupName(const std::string& name, const AnsiTextRules& rules);
// The text after the last backslash, or all of it when there is none.
std::string LastFolderName(const std::string& path, const AnsiTextRules& rules);
// `trimmed` as TrimGroupName gives it; the Startup folders as the registry
// holds them ("" when missing).
GroupNameCheck CheckGroupName(const std::string& trimmed, const std::string& userStartup,
                              const std::string& commonStartup, const AnsiTextRules& rules);
