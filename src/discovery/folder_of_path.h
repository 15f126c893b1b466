#pragma once
// Parent folders of Windows paths in the ANSI code page. The trail byte of a
// double-byte character is never taken for a backslash.
#include <string>

// True when the last character of `path` is a backslash.
bool EndsWithBackslash(const std::string& path);
// Removes one trailing backslash, if there is one.
void RemoveTrailingBackslash(std::string& path);

// The parent folder of `path`, without a trailing backslash: C:\A\B\x.lnk
// gives C:\A\B, C:\A\B\ gives C:\A, C:\A gives C:. A path with no backslash
// other than a leading one (C:, \A, "") gives "".
std::string FolderOfPath(const std::string& path);
