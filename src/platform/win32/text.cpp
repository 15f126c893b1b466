#include "platform/win32/win32_support.h"

#include "platform/text.h"

namespace platform {

unsigned AnsiCodePage() { return ::GetACP(); }

bool IsLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

std::size_t NextCharIndex(const std::string& s, std::size_t index) {
  if (index >= s.size()) return s.size();
  // As CharNextA: a lead byte takes its trail byte along unless the string
  // ends (or a zero byte follows) right after it.
  if (IsLeadByte(static_cast<unsigned char>(s[index])) && index + 1 < s.size() &&
      s[index + 1] != '\0') {
    return index + 2;
  }
  return index + 1;
}

void LowerCaseAnsi(std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t next = NextCharIndex(s, i);
    // One byte at a time so that the length never changes and the trail
    // byte of a double-byte character is never mistaken for a letter.
    if (next == i + 1) ::CharLowerBuffA(&s[i], 1);
    i = next;
  }
}

}  // namespace platform
