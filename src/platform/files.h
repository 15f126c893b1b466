#pragma once
// Files and folders, with the results of the Windows file calls: every call
// reports success or failure and leaves the reason in LastError().
// Paths are Windows paths in the ANSI code page; '\' and '/' both separate.
#include <cstdint>
#include <string>

namespace platform {

enum FileAttribute : std::uint32_t {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
  kAttrNormal = 0x80,
};
constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFFu;

// CopyFileA: the copy keeps the source's attributes and times.
bool CopyFileTo(const std::string& from, const std::string& to, bool failIfExists);
// MoveFileA: rename or move a file or folder; fails when `to` exists.
bool MoveFileTo(const std::string& from, const std::string& to);
// MoveFileExA(from, to or NULL, MOVEFILE_DELAY_UNTIL_REBOOT): the move (or,
// with an empty `to`, the deletion) is carried out at the next restart.
bool MoveFileAtRestart(const std::string& from, const std::string& to);
bool DeleteFileAt(const std::string& path);
// CreateDirectoryA: one level; fails with kErrAlreadyExists when it exists.
bool CreateFolder(const std::string& path);
// RemoveDirectoryA: only an empty folder.
bool RemoveFolder(const std::string& path);
// GetFileAttributesA: kInvalidAttributes on failure.
std::uint32_t GetAttributes(const std::string& path);
bool SetAttributes(const std::string& path, std::uint32_t attributes);
// True for files and folders alike (the runtime's access(path, 0)).
bool PathExists(const std::string& path);

// FindFirstFileA / FindNextFileA / FindClose with the Windows pattern rules.
struct FindData {
  std::string name;
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;
};
struct FindState;
using FindHandle = FindState*;
// nullptr when nothing matches (LastError() kErrFileNotFound) or the folder is missing.
FindHandle FindFirst(const std::string& pattern, FindData& data);
// false at the end (kErrNoMoreFiles).
bool FindNext(FindHandle handle, FindData& data);
void FindClose(FindHandle handle);

// Whole-file reads and writes, for the small text files of the setup.
bool ReadWholeFile(const std::string& path, std::string& content);
// Creates or truncates.
bool WriteWholeFile(const std::string& path, const std::string& content);
// Creates the file when missing.
bool AppendToFile(const std::string& path, const std::string& content);

// GetTempPathA: ends with a backslash.
std::string TempFolder();
// GetTempFileNameA(folder, prefix, 0): creates an empty file named
// <prefix up to 3 chars><up to 4 hex digits>.tmp and returns its path; "" on failure.
std::string MakeTempFileName(const std::string& folder, const std::string& prefix);
// GetWindowsDirectoryA.
std::string WindowsFolder();
// GetCurrentDirectoryA / SetCurrentDirectoryA.
std::string CurrentFolder();
bool SetCurrentFolder(const std::string& path);

}  // namespace platform
