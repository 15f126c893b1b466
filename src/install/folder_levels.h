#pragma once
// Folder paths taken apart into their levels, for making every missing
// level of a folder from the top down.
#include <string>
#include <vector>

// `text` without the blanks, tabs, CR, LF and backslashes at either end.
// Multibyte-aware: the trail byte of a double-byte character at the end is
// no backslash and stays.
std::string TrimFolderText(const std::string& text);

// The part of `path` before each of its backslashes at a position above 0,
// from left to right: C:\Apps\Pictavo 6 gives C: and C:\Apps.
std::vector<std::string> PartsBeforeBackslashes(const std::string& path);
