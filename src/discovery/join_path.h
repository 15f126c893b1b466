#pragma once
// Joining a folder and a name the way the copy, script and removal
// operations do.
#include <string>

// True when the last character of `folder` is a backslash or a slash (a
// trail byte of a double-byte character is no backslash).
bool EndsWithSeparator(const std::string& folder);

// `folder`, a backslash unless the folder already ends with a backslash or
// a slash, and `name`. An empty folder gives a single backslash before the
// name.
std::string JoinFolderAndName(const std::string& folder, const std::string& name);
