#pragma once
// Where things are: an existing installation, the default place for a new one,
// and the running program's own folder. These only look; they change nothing.
#include <string>

// The folder of a registered installation, without a trailing backslash; ""
// when none is registered.
std::string FindInstalledFolder();

// The system's program-files folder, without a trailing backslash.
std::string DefaultProgramFilesFolder();

// The folder that holds the running program file; "" when its path has no
// backslash.
std::string SourceFolder();
