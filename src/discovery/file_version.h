#pragma once
// The product version of a program file.
#include <string>

// Sets the setup state's m_ver to the file version of the file at `path`, or
// to 0.0.0.0 when the file is missing or carries no version resource.
void ReadFileVersion(const std::string& path);
