#pragma once
// Putting files into a folder, with files in use replaced at the next
// restart. Side files next to a target in use: name + ".old" (the file in
// use, moved aside and deleted at restart), name + ".old2" (the same while
// an earlier ".old" is still pending), name + ".new" (the fresh copy that
// takes the name at restart).
#include <string>

// Copies `name` (relative to `sourceFolder`, possibly with a sub-folder
// part) into `destinationFolder` under `destinationName`, or under `name`
// when that is empty. Nonzero when the file is in place now; 0 when the
// source is missing, the copy failed, or the new file only takes its place
// at the next restart. A copy onto itself does nothing and gives 1.
int CopyOneFile(const std::string& name, const std::string& sourceFolder, const std::string& destinationFolder,
                const std::string& destinationName);

// Copies every file of `sourceFolder` that `pattern` (a name or a wildcard
// pattern, possibly after a sub-folder part with backslashes) matches into
// `destinationFolder`, making that folder and its missing parents when
// something matches. Stops at the first file that can't be copied. The
// number of files copied.
int CopyMatchingFiles(const std::string& pattern, const std::string& destinationFolder,
                      const std::string& sourceFolder);
