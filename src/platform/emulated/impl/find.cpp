// FindFirstFileA / FindNextFileA over the machine's folders.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/faults.h"
#include "platform/emulated/machine/internal/file_access.h"
#include "platform/emulated/machine/internal/paths.h"
#include "platform/emulated/machine/name_case.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/text.h"

namespace platform {

struct FindState {
  std::vector<FindData> entries;
  std::size_t next = 0;
};

namespace {

// A name or pattern cut into characters of the code page (one or two bytes each).
std::vector<std::string> Characters(const std::string& s) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < s.size();) {
    std::size_t next = NextCharIndex(s, i);
    out.push_back(s.substr(i, next - i));
    i = next;
  }
  return out;
}

bool IsStarOrDot(const std::string& c) { return c == "*" || c == "."; }

// '*' matches any run of characters and '?' exactly one. When the name has
// run out, what is left of the pattern still matches if it holds only '*'
// and '.': so "*.*" and "name.*" match a name without a dot.
bool Matches(const std::string& name, const std::string& pattern) {
  // Both lowered as the code page lowers names, then compared exactly.
  std::string loweredName = name;
  std::string loweredPattern = pattern;
  LowerCaseAnsi(loweredName);
  LowerCaseAnsi(loweredPattern);
  std::vector<std::string> n = Characters(loweredName);
  std::vector<std::string> p = Characters(loweredPattern);
  const std::size_t rows = n.size() + 1;
  const std::size_t columns = p.size() + 1;
  // matched[i * columns + j]: n[i..] matches p[j..].
  std::vector<char> matched(rows * columns, 0);
  for (std::size_t j = p.size() + 1; j-- > 0;) {
    matched[n.size() * columns + j] =
        j == p.size() || (IsStarOrDot(p[j]) && matched[n.size() * columns + j + 1]);
  }
  for (std::size_t i = n.size(); i-- > 0;) {
    for (std::size_t j = p.size(); j-- > 0;) {
      char& cell = matched[i * columns + j];
      if (p[j] == "*") {
        cell = matched[i * columns + j + 1] || matched[(i + 1) * columns + j];
      } else if (p[j] == "?") {
        cell = matched[(i + 1) * columns + j + 1];
      } else {
        cell = n[i] == p[j] && matched[(i + 1) * columns + j + 1];
      }
    }
  }
  return matched[0] != 0;
}

// Characters that a short (8.3) name can't hold.
bool IsInvalidInShortName(unsigned char c) {
  static const char kInvalid[] = "*?<>|\"+=,;[] ~.";
  return c < 0x20 || c > 0x7E || std::strchr(kInvalid, c) != nullptr;
}

// A name that is a short name already: at most eight characters, then at
// most one dot and one to three more.
bool IsShortName(const std::string& name) {
  if (name == "." || name == "..") return true;
  if (name.empty() || name.size() > 12) return false;
  std::size_t dot = std::string::npos;
  for (std::size_t i = 0; i < name.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (c == '.') {
      if (dot != std::string::npos || i == 0) return false;
      dot = i;
    } else if (IsInvalidInShortName(c)) {
      return false;
    }
  }
  if (dot == std::string::npos) return name.size() <= 8;
  std::size_t extension = name.size() - dot - 1;
  return dot <= 8 && extension >= 1 && extension <= 3;
}

char ShortNameChar(char c) {
  if (IsInvalidInShortName(static_cast<unsigned char>(c))) return '_';
  return emu::internal::AsciiUpper(c);
}

// The short name that a long name also answers to, as the file system makes
// one up: up to four characters of the name, '~' filling to five, three
// characters of a hash of the whole name, and the first three characters of
// the last extension. Searches match it too, so that "*.htm" finds
// "page.html". "" for a name that is short already.
std::string ShortNameOf(const std::string& name) {
  if (IsShortName(name)) return "";
  std::size_t extension = std::string::npos;
  for (std::size_t i = 1; i + 1 < name.size(); ++i) {
    if (name[i] == '.') extension = i;
  }
  unsigned hash = 0xBEEF;
  for (char c : name) {
    hash = ((hash << 3) ^ (hash >> 5) ^ static_cast<unsigned char>(emu::internal::AsciiLower(c))) & 0xFFFF;
  }
  static const char kHashChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
  std::string shortName;
  std::size_t baseEnd = extension == std::string::npos ? name.size() : extension;
  for (std::size_t i = 0; i < baseEnd && shortName.size() < 4; ++i) shortName += ShortNameChar(name[i]);
  while (shortName.size() < 5) shortName += '~';
  shortName += kHashChars[(hash >> 10) & 0x1F];
  shortName += kHashChars[(hash >> 5) & 0x1F];
  shortName += kHashChars[hash & 0x1F];
  if (extension != std::string::npos) {
    shortName += '.';
    for (std::size_t i = extension + 1; i < name.size() && i <= extension + 3; ++i) {
      shortName += ShortNameChar(name[i]);
    }
  }
  return shortName;
}

bool MatchesLongOrShortName(const std::string& name, const std::string& pattern) {
  if (Matches(name, pattern)) return true;
  std::string shortName = ShortNameOf(name);
  return !shortName.empty() && Matches(shortName, pattern);
}

bool ReadEntry(const std::string& host, const std::string& name, FindData& data) {
  struct stat st;
  if (stat(host.c_str(), &st) != 0) return false;
  data.name = name;
  data.attributes = emu::internal::AttributesOf(host, st);
  data.size = S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size);
  return true;
}

bool ListOrder(const FindData& a, const FindData& b) {
  bool aDots = a.name == "." || a.name == "..";
  bool bDots = b.name == "." || b.name == "..";
  if (aDots != bDots) return aDots;
  if (emu::NameLessIgnoringCase(a.name, b.name)) return true;
  if (emu::NameLessIgnoringCase(b.name, a.name)) return false;
  return a.name < b.name;
}

}  // namespace

FindHandle FindFirst(const std::string& pattern, FindData& data) {
  if (emu::internal::InjectedFault("FindFirst", pattern)) return nullptr;
  if (!emu::internal::FitsAnsiPath(pattern)) {
    SetLastError(kErrFilenameExcedRange);
    return nullptr;
  }
  // The folder part ends at the last separator; a bare "C:" prefix is a folder too.
  std::size_t separator = emu::internal::LastSeparator(pattern);
  std::string folder;
  std::string namePattern;
  if (separator != std::string::npos) {
    folder = pattern.substr(0, separator + 1);
    namePattern = pattern.substr(separator + 1);
  } else if (pattern.size() >= 2 && pattern[1] == ':') {
    folder = pattern.substr(0, 2);
    namePattern = pattern.substr(2);
  } else {
    folder = emu::internal::CurrentWindowsFolder();
    namePattern = pattern;
  }
  emu::internal::Target where;
  if (!emu::internal::Resolve(folder, where)) return nullptr;
  if (!where.exists || !S_ISDIR(where.st.st_mode)) {
    SetLastError(kErrPathNotFound);
    return nullptr;
  }
  if (!emu::internal::IsValidName(namePattern, true)) {
    SetLastError(kErrInvalidName);
    return nullptr;
  }
  if (namePattern.empty()) {
    SetLastError(kErrFileNotFound);
    return nullptr;
  }
  const std::string& folderHost = where.host;
  // A drive's root has no "." and ".." entries.
  bool isRoot = where.full.size() == 3;
  auto state = new FindState;
  if (DIR* dir = opendir(folderHost.c_str())) {
    while (dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      bool dots = name == "." || name == "..";
      if (dots && isRoot) continue;
      if (!MatchesLongOrShortName(name, namePattern)) continue;
      std::string host = folderHost == "/" ? "/" + name : folderHost + "/" + name;
      FindData found;
      if (ReadEntry(host, name, found)) state->entries.push_back(found);
    }
    closedir(dir);
  }
  if (state->entries.empty()) {
    delete state;
    SetLastError(kErrFileNotFound);
    return nullptr;
  }
  std::sort(state->entries.begin(), state->entries.end(), ListOrder);
  data = state->entries[0];
  state->next = 1;
  return state;
}

bool FindNext(FindHandle handle, FindData& data) {
  if (!handle) {
    SetLastError(kErrInvalidHandle);
    return false;
  }
  if (handle->next >= handle->entries.size()) {
    SetLastError(kErrNoMoreFiles);
    return false;
  }
  data = handle->entries[handle->next++];
  return true;
}

void FindClose(FindHandle handle) { delete handle; }

}  // namespace platform
