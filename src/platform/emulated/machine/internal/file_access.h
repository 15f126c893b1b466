#pragma once
// What the file calls share: resolving a Windows path to the host file,
// the Windows error for what is missing, attributes kept in mode bits, the
// rule on folders that need administrator rights, and files in use.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace emu {
namespace internal {

struct Target {
  std::string full;  // full Windows path
  std::string host;  // host path
  bool exists = false;
  struct stat st {};
};

// A single name without the characters Windows refuses in names ('*' and
// '?' pass when wildcards are allowed).
bool IsValidName(const std::string& name, bool wildcardsAllowed);

// The ANSI file calls take a path of at most 259 characters (MAX_PATH with
// its terminating zero), counted as the code page counts them, before they
// look at anything else.
constexpr std::size_t kMaxAnsiPathChars = 259;
bool FitsAnsiPath(const std::string& path);

enum class NameUse { File, Pattern };
// Resolves `path`; false with LastError() set when it is too long for the
// ANSI calls (kErrFilenameExcedRange), names no drive or holds characters
// Windows refuses in names (with NameUse::Pattern, '*' and '?' are allowed
// in the last name).
bool Resolve(const std::string& path, Target& target, NameUse use = NameUse::File);

// The error for a missing target: kErrFileNotFound when its folder exists,
// kErrPathNotFound when the folder is missing too.
std::uint32_t MissingError(const std::string& host);
bool ParentFolderExists(const std::string& host);
bool IsFolder(const std::string& host);

// Windows attributes of a host file. Read-only is the owner's write bit,
// hidden is S_ISVTX and system is S_ISGID, so they follow the file through
// renames and every process sees them.
std::uint32_t AttributesOf(const std::string& host, const struct stat& st);
mode_t ModeWithAttributes(mode_t mode, std::uint32_t attributes);

// Without administrator rights, the Windows folder, the Program Files and
// all-users Start-menu and desktop folders and everything in them can't be
// written.
bool WriteNeedsAdministrator(const std::string& host);
// kErrAccessDenied when the machine's user may not write `host`, else 0.
std::uint32_t WriteRightsError(const std::string& host);

// What is about to happen to a file that may be in use.
enum class Change { Delete, Overwrite, Move };
// Why `host` can't undergo `change` while it is in use; 0 when it can. A
// file held open allows none of them (kErrSharingViolation). A running
// program's file can be moved, not overwritten (kErrSharingViolation), and
// not deleted (kErrAccessDenied).
std::uint32_t InUseError(const std::string& host, Change change);

// Copies the content and times of `from` to `to`. A new file gets the mode
// bits of `from`, and so its attributes; a file that is replaced keeps its
// own attributes and takes only the executable bits. With `mayReplace`
// false the copy is made only as a new file, in one step with the look for
// an existing one (kErrAlreadyExists when there is one). Sets LastError()
// on failure.
bool CopyHostFile(const std::string& from, const struct stat& fromStat, const std::string& to,
                  bool mayReplace = true);

// Renames `from` to `to` only when nothing is at `to`, in one step with the
// look: false with errno EEXIST when something is.
bool RenameWithoutReplacing(const std::string& from, const std::string& to);

}  // namespace internal
}  // namespace emu
