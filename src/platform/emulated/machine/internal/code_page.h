#pragma once
// The machine's ANSI code page, as the text calls of its programs see it:
// which bytes lead a double-byte character, how a string steps from one
// character to the next, and which letters fold to lower case.
#include <cstddef>
#include <string>

namespace emu {
namespace internal {

unsigned AnsiCodePage();
bool IsLeadByte(unsigned char byte);
std::size_t NextCharIndex(const std::string& s, std::size_t index);
void LowerCaseAnsi(std::string& s);

}  // namespace internal
}  // namespace emu
