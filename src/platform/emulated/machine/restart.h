#pragma once
// The file operations scheduled for the next restart, as Windows keeps
// them: the pending operations of the Session Manager key
// (PendingFileRenameOperations) and the [rename] section of WININIT.INI in
// the machine's Windows folder.
#include <string>
#include <vector>

namespace emu {

// Adds one operation to the pending operations: `source` (a full Windows
// path) is moved to `target`, or deleted when `target` is "". The list is
// read and extended under one lock of the hive, so that processes scheduling
// at the same time keep each other's operations. False, with `error` set,
// when the registry cannot be written.
bool AddPendingFileOperation(const std::string& source, const std::string& target, std::string& error);

// The operations scheduled now, in the order a restart carries them out,
// one line each: "delete <path>" or "rename <path> to <path>"; nothing is
// changed. False, with `error` set, when they can't be read.
bool ScheduledRestartOperations(std::vector<std::string>& operations, std::string& error);

// Carries out what Windows does with the scheduled operations while it
// starts: first the pending operations, then the [rename] section, each in
// the order written; then both are removed. The section is read and
// removed as the profile calls read and write it (the first section of
// that name), under the machine's lock on settings files. Nothing runs on the machine at
// that moment, so holds don't count. `done` gets one line per operation
// ("renamed ...", "deleted ..." or "not done: ..."); false, with `error`
// set, when the operations can't be read or removed (the operations carried
// out by then are in `done`).
bool CarryOutRestartOperations(std::vector<std::string>& done, std::string& error);

}  // namespace emu
