#pragma once
// Windows paths of the machine and the host files they stand for.
#include <string>

namespace emu {

// The Windows path to the host path inside the machine, found without regard
// to case; components that do not exist keep the case given. Relative paths
// start at the current folder. false for a path that names no drive of the
// machine or is malformed.
bool ToHostPath(const std::string& windowsPath, std::string& hostPath);
// The host path back to a Windows path: inside a drive folder of the machine
// it is that drive's path, elsewhere Z: and the host path.
std::string ToWindowsPath(const std::string& hostPath);

// The folder part of a Windows path: "C:\a" for "C:\a\b", "C:\" for "C:\b";
// "" when it holds no separator.
std::string FolderOf(const std::string& windowsPath);

}  // namespace emu
