#include "platform/errors.h"
#include "platform/files.h"

// Placeholder bodies; the emulated file system replaces them.
namespace platform {
bool CopyFileTo(const std::string&, const std::string&, bool) { return false; }
bool MoveFileTo(const std::string&, const std::string&) { return false; }
bool MoveFileAtRestart(const std::string&, const std::string&) { return false; }
bool DeleteFileAt(const std::string&) { return false; }
bool CreateFolder(const std::string&) { return false; }
bool RemoveFolder(const std::string&) { return false; }
std::uint32_t GetAttributes(const std::string&) { return kInvalidAttributes; }
bool SetAttributes(const std::string&, std::uint32_t) { return false; }
bool PathExists(const std::string&) { return false; }
FindHandle FindFirst(const std::string&, FindData&) { return nullptr; }
bool FindNext(FindHandle, FindData&) { return false; }
void FindClose(FindHandle) {}
bool ReadWholeFile(const std::string&, std::string&) { return false; }
bool WriteWholeFile(const std::string&, const std::string&) { return false; }
bool AppendToFile(const std::string&, const std::string&) { return false; }
std::string TempFolder() { return ""; }
std::string MakeTempFileName(const std::string&, const std::string&) { return ""; }
std::string WindowsFolder() { return ""; }
std::string CurrentFolder() { return ""; }
bool SetCurrentFolder(const std::string&) { return false; }
}  // namespace platform
