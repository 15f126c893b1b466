#include "platform/text.h"

#include "platform/emulated/machine.h"

// The machine's ANSI code page: Windows-1252 (Western) or 932 (Shift-JIS).
namespace platform {

namespace {

constexpr unsigned kShiftJis = 932;

bool IsShiftJisLead(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

unsigned char LowerWestern(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
  switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
  }
}

}  // namespace

unsigned AnsiCodePage() { return emu::Settings().codePage == kShiftJis ? kShiftJis : 1252; }

bool IsLeadByte(unsigned char byte) { return AnsiCodePage() == kShiftJis && IsShiftJisLead(byte); }

std::size_t NextCharIndex(const std::string& s, std::size_t index) {
  if (index >= s.size()) return s.size();
  std::size_t step = IsLeadByte(static_cast<unsigned char>(s[index])) ? 2 : 1;
  return index + step < s.size() ? index + step : s.size();
}

void LowerCaseAnsi(std::string& s) {
  if (AnsiCodePage() == kShiftJis) {
    for (std::size_t i = 0; i < s.size();) {
      unsigned char c = static_cast<unsigned char>(s[i]);
      if (IsShiftJisLead(c)) {
        i += 2;  // the trail byte may look like a letter or a backslash; it is not one
        continue;
      }
      if (c >= 'A' && c <= 'Z') s[i] = static_cast<char>(c + 0x20);
      ++i;
    }
    return;
  }
  for (char& ch : s) ch = static_cast<char>(LowerWestern(static_cast<unsigned char>(ch)));
}

}  // namespace platform
