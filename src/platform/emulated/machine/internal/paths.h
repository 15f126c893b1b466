#pragma once
// Windows paths on the emulated machine: their full form, this process's
// current folder, and the pieces the file calls share.
#include <cstddef>
#include <string>
#include <vector>

namespace emu {
namespace internal {

bool IsSeparator(char c);
// Index of the last separator that is a character of its own (never the
// trail byte of a double-byte character); npos when none.
std::size_t LastSeparator(const std::string& path);
// The names between separators, split by characters of the code page.
std::vector<std::string> SplitNames(const std::string& path);

// The full Windows path: drive letter upper-cased, relative paths joined to
// the current folder, "." and ".." applied, '\' separators, no trailing
// separator except at a drive's root, trailing dots and blanks of the last
// name dropped. false for an empty path or one with no drive letter (UNC).
bool FullWindowsPath(const std::string& path, std::string& full);

// This process's current folder (a full Windows path): PTV_CURRENT_FOLDER
// when the process was started on the machine, else C:\.
std::string CurrentWindowsFolder();
void SetCurrentWindowsFolder(const std::string& fullPath);

// The host folder of a drive letter of the machine ("/" for Z:); "" when the
// machine has no such drive.
std::string DriveFolder(char letter);

// Called when the process switches machines.
void ForgetPathState();

}  // namespace internal
}  // namespace emu
