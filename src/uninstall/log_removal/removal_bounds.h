#pragma once
// Where a removal may reach: the installation folder and the shell folders
// that an installation puts shortcuts and group folders into. A log line
// that names a place elsewhere is passed over, whatever the log says.
#include <string>
#include <vector>

// true when `path` lies below `folder`: it begins with the folder (ASCII
// letters without regard to case) followed by a backslash or a forward
// slash, and what follows is a name that stays inside the folder
// (StaysInsideFolder: no drive, no leading separator, no climb by "..").
// A trailing separator of `folder` counts as that separator.
// The folder itself is not below itself; an empty folder contains nothing.
bool LiesBelow(const std::string& path, const std::string& folder);

// true when `path` lies below one of `folders`.
bool LiesBelowAny(const std::string& path, const std::vector<std::string>& folders);
