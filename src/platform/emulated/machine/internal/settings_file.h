#pragma once
// Settings (.ini) files as text, read and written one way for the profile
// calls and for the machine's restart (which carries out the [rename]
// section of WININIT.INI): sections "[name]" of lines "key=value". Section
// names compare without regard to ASCII case, and only the first section of
// a name counts, as with the profile calls of Windows.
#include <string>
#include <vector>

namespace emu {
namespace internal {

// The entries of the first section named `section`: each line "key=value"
// with the blanks around key and value taken away, a line without '=' as it
// is (trimmed); blank lines and ';' comments are left out.
std::vector<std::string> SectionEntries(const std::string& text, const std::string& section);

// `text` with the first section named `section` holding `entries` (one line
// each) instead of what it held, its header kept as written; a new section
// goes at the end. With `entries` null the section goes, header and all.
// Every other line stays as it was; the lines written end in CR LF.
std::string WithSection(const std::string& text, const std::string& section, const std::vector<std::string>* entries);

// Every read of a machine's settings file keeps this lock shared, every
// read-modify-write keeps it alone: processes writing sections of one file
// at once keep each other's. The lock is <machine>/settings.lock.
std::string SettingsLockPath();

}  // namespace internal
}  // namespace emu
