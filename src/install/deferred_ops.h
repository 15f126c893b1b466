#pragma once
// Files that are in use now, deleted or renamed at the next restart of
// Windows. The restart-time facility of the system comes first; where the
// system has none (or the process may not use it), the entry goes to the
// "rename" section of WININIT.INI in the Windows folder, which older
// Windows carries out while it starts. Both carry out their operations in
// the order they were scheduled. Nonzero when the operation was recorded.
#include <string>

int ScheduleDelete(const std::string& path);
// At restart `existingPath` takes the name `newPath`.
int ScheduleRename(const std::string& existingPath, const std::string& newPath);

// The fallback on its own: appends "key=value" after every entry the
// "rename" section holds, however many, and writes the section back whole
// (the section repeats keys, so it is never written one key at a time).
// Nonzero when the section was written.
int AppendRenameEntry(const std::string& key, const std::string& value);
