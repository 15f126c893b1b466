#pragma once
// Undoing what an uninstall log (or an install script) lists: the
// installation clears an earlier one with it, and the uninstaller removes an
// installation with it. None of these reports anything: a failed call is
// passed over and the next line or match follows. Lines whose names are
// absolute or climb out of the base folder are passed over, so nothing
// outside the installation is touched.
#include <string>
#include <vector>

// Deletes every shortcut that a "Shell Link: " line names (a file whose
// name ends in ".lnk", nothing else), then removes every folder that a
// "Made Dir: " line names together with each parent it leaves empty.
void RemoveLoggedLinksAndDirs(const std::string& logPath);

// The same within bounds, as the uninstaller reads its logs: a line whose
// shortcut or folder does not lie below one of the folders `within` is
// passed over, and the climb through emptied parents stops below the
// deepest of those folders that holds the line's folder; that one stays.
void RemoveLoggedLinksAndDirsWithin(const std::string& logPath, const std::vector<std::string>& within);

// Deletes from `baseFolder` the files that the log's file lines name (the
// destination of a "source>destination" line; what follows " | " is a
// remark), then tries to remove each folder of a "Make Dir: " line once.
// `prefix` is the one line prefix to act on, or empty for all five file
// line kinds.
void RemoveLoggedFiles(const std::string& logPath, const std::string& baseFolder, const std::string& prefix);

// Deletes every file in `folder` that `pattern` (a name or wildcard pattern,
// possibly after a sub-folder part) matches, read-only and hidden ones
// included. The number of files deleted.
int DeleteMatchingFiles(const std::string& pattern, const std::string& folder);
