#pragma once
// A fresh emulated machine for one uninstall case, with the users it is
// asked for, and the few things the cases put on it and look for.
#include <string>
#include <vector>

#include "temporary_machine.h"

namespace uninstall_tests {

// The users of the machines: programs run as the first.
emu::MachineSettings TwoUsers(bool administrator = true);

// From now on the machine's user is a standard user (what an administrator
// put on it stays).
void BecomeStandardUser();

// Applies REGEDIT4 text (without its header line) to the machine's registry.
void ImportRegistry(const std::string& text);
bool KeyExists(const std::string& fullKeyPath);
// The value's data up to its first zero; false when key or value is missing.
bool ReadValue(const std::string& fullKeyPath, const std::string& name, std::string& text);

// Creates the file and every missing folder above it.
void PutFile(const std::string& windowsPath, const std::string& content = "x");
void MakeFolders(const std::string& windowsPath);

// How often the transcript holds `line`.
int TranscriptCount(const std::string& line);

}  // namespace uninstall_tests
