#pragma once
// Names without regard to case, as the file systems and the registry of
// the machine compare them: in code page 1252 every single-byte letter,
// accented ones included, folds by the code page's own mapping (the one
// LowerCaseAnsi uses); in 932 only ASCII letters do, and the bytes of a
// double-byte character are never folded.
#include <string>

namespace emu {

// Equal without regard to case.
bool NamesEqualIgnoringCase(const std::string& a, const std::string& b);
// The order of names compared byte by byte in upper case.
bool NameLessIgnoringCase(const std::string& a, const std::string& b);

}  // namespace emu
