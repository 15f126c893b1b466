#pragma once
// Carrying out the install script: the copy lines put the product files
// from the source folder (m_strSrcDir) into the installation folder
// (m_strInstDir), and the "Make Dir: " lines make its sub-folders. Every
// other line is left to the other readers of the format.
#include <string>

// `scriptPath` is the script's full path. "File Copy x64: " lines count
// only under WOW64; a "File Copy ind: " line copies only when no library
// of that name can be found elsewhere. A line whose names are absolute or
// climb out of their folder is passed over.
void RunInstallScript(const std::string& scriptPath);

// The library test of a "File Copy ind: " line: true when Windows would
// find a library named `name` without the copy that ships in
// `sourceFolder`, which is moved aside meanwhile and given its name back
// afterwards. The library is only looked at as data; none of its code runs.
bool LibraryFoundElsewhere(const std::string& name, const std::string& sourceFolder);
