#pragma once
// A registry hive in memory: a tree of keys holding typed values, and its
// conversion from and to REGEDIT4 text. Key and value names keep the case of
// their creation and compare without regard to case, as the machine's code
// page folds letters (see name_case.h). Subkeys are kept
// in the order in which the registry enumerates them (names compared in
// upper case); values in the order of their creation.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/emulated/machine/regedit4.h"

namespace emu {

// Windows' limits on the registry. Nesting counts the levels from the top
// of the registry: HKEY_LOCAL_MACHINE stands for two (\REGISTRY\MACHINE), a
// user's hive for three (\REGISTRY\USER\<user>).
constexpr std::size_t kMaxRegKeyNameChars = 255;
constexpr std::size_t kMaxRegValueNameChars = 16383;
constexpr std::size_t kMaxRegLevels = 512;

// How many levels a hive's root stands for, from its full name (such as
// HKEY_LOCAL_MACHINE or HKEY_USERS\User).
std::size_t RegLevelsOfRoot(const std::string& rootName);
// Why the key at `path` below a root of `rootLevels` levels can't exist: a
// name longer than kMaxRegKeyNameChars characters, or nesting deeper than
// kMaxRegLevels; "" when it can.
std::string RegPathProblem(const std::vector<std::string>& path, std::size_t rootLevels);
// Whether a value name is within kMaxRegValueNameChars characters.
bool RegValueNameFits(const std::string& name);
// Why the section `key` of REGEDIT4 text, for the key at `path`, can't be
// applied: the RegPathProblem of a key it makes, or a value name that is
// too long; "" when it can.
std::string RegTextKeyProblem(const std::vector<std::string>& path, std::size_t rootLevels, const RegTextKey& key);

// True when the names are equal without regard to case.
bool RegNamesEqual(const std::string& a, const std::string& b);
// The registry's enumeration order: names compared byte by byte in upper case.
bool RegNameLess(const std::string& a, const std::string& b);
// The key path split at backslashes; empty components are dropped.
std::vector<std::string> SplitRegPath(const std::string& path);
std::string JoinRegPath(const std::vector<std::string>& components);

struct RegValue {
  std::string name;
  std::uint32_t type = 0;
  std::string data;
};

struct RegNode {
  std::string name;
  std::vector<RegValue> values;
  std::vector<RegNode> subkeys;

  const RegNode* FindSubkey(const std::string& subkeyName) const;
  RegNode* FindSubkey(const std::string& subkeyName);
  // The subkey of that name, made when missing.
  RegNode& AddSubkey(const std::string& subkeyName, bool* created = nullptr);
  bool RemoveSubkey(const std::string& subkeyName);

  const RegValue* FindValue(const std::string& valueName) const;
  // An existing value keeps its name's case and its place.
  void SetValue(const std::string& valueName, std::uint32_t type, const std::string& data);
  bool RemoveValue(const std::string& valueName);
};

// The key at `path` below `root`; null when missing.
const RegNode* FindRegKey(const RegNode& root, const std::vector<std::string>& path);
RegNode* FindRegKey(RegNode& root, const std::vector<std::string>& path);
// The key at `path`, made with any missing keys above it.
RegNode& CreateRegKeyPath(RegNode& root, const std::vector<std::string>& path, bool* created = nullptr);

// Applies one section of REGEDIT4 text to the key at `path` below `root`:
// a removal takes the key's tree away (all of the root's contents when
// `path` is empty); otherwise the key is made and its values set or removed.
void ApplyRegTextKey(RegNode& root, const std::vector<std::string>& path, const RegTextKey& key);

// Appends `key` and its whole tree as REGEDIT4 sections, `keyPath` naming
// `key`. The section of `key` itself is left out when it holds no values
// and `writeEmptyTop` is false (a hive root). The tree is walked without
// recursion.
void AppendRegTree(std::string& out, const RegNode& key, const std::string& keyPath, bool writeEmptyTop);

// A hive file's text: every key is written with `rootName` (such as
// HKEY_LOCAL_MACHINE or HKEY_USERS\User) in front of its path.
std::string FormatHive(const RegNode& root, const std::string& rootName);
// Reads a hive file's text; every key must lie inside `rootName` and keep
// to the registry's limits.
bool ParseHive(const std::string& text, const std::string& rootName, RegNode& root, RegTextError& error);

}  // namespace emu
