#pragma once
// Text in the system's ANSI code page.
#include <cstddef>
#include <string>

namespace platform {

unsigned AnsiCodePage();
// IsDBCSLeadByte.
bool IsLeadByte(unsigned char byte);
// The index of the character after the one at `index` (CharNextA): a lead
// byte and its trail byte are one character. Never past s.size().
std::size_t NextCharIndex(const std::string& s, std::size_t index);
// Lower-cases single-byte characters by the code page's mapping and leaves
// both bytes of double-byte characters alone. The length does not change.
void LowerCaseAnsi(std::string& s);

// Pure helpers on top of the above.
// ASCII letters compare without regard to case; every other byte exactly.
bool EqualsIgnoreCaseAscii(const std::string& a, const std::string& b);
// Index of the first occurrence of `needle` that starts on a character
// boundary; std::string::npos when none. An empty needle is found at 0.
std::size_t FindAnsi(const std::string& haystack, const std::string& needle);
// Index of the last '\' that is a character of its own (never the trail byte
// of a double-byte character); npos when none.
std::size_t FindLastBackslash(const std::string& s);

}  // namespace platform
