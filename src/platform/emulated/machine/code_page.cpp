#include "platform/emulated/machine/internal/code_page.h"

#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/name_case.h"

// The machine's ANSI code page: Windows-1252 (Western) or 932 (Shift-JIS).
namespace emu {
namespace internal {

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

// Both cases of every single-byte character of one code page.
struct CaseTable {
  unsigned char lower[256];
  unsigned char upper[256];
  bool doubleByte;

  explicit CaseTable(bool western) : doubleByte(!western) {
    for (int c = 0; c < 256; ++c) {
      lower[c] = upper[c] = static_cast<unsigned char>(c);
    }
    for (int c = 0; c < 256; ++c) {
      const auto byte = static_cast<unsigned char>(c);
      const unsigned char small = western ? LowerWestern(byte) : (c >= 'A' && c <= 'Z' ? byte + 0x20 : byte);
      if (small != byte) {
        lower[byte] = small;
        upper[small] = byte;
      }
    }
  }

  // A lead byte followed by a character: the two are one character, as NextCharIndex has it.
  bool StartsDoubleByte(const std::string& s, std::size_t i) const {
    return doubleByte && IsShiftJisLead(static_cast<unsigned char>(s[i])) && i + 1 < s.size() && s[i + 1] != '\0';
  }
};

const CaseTable& MachineCaseTable() {
  static const CaseTable western(true);
  static const CaseTable japanese(false);
  return AnsiCodePage() == kShiftJis ? japanese : western;
}

}  // namespace

unsigned AnsiCodePage() { return Settings().codePage == kShiftJis ? kShiftJis : 1252; }

bool IsLeadByte(unsigned char byte) { return AnsiCodePage() == kShiftJis && IsShiftJisLead(byte); }

std::size_t NextCharIndex(const std::string& s, std::size_t index) {
  if (index >= s.size()) return s.size();
  // As CharNextA: a lead byte takes its trail byte along unless the string
  // ends (or a zero byte follows) right after it.
  if (IsLeadByte(static_cast<unsigned char>(s[index])) && index + 1 < s.size() && s[index + 1] != '\0') {
    return index + 2;
  }
  return index + 1;
}

void LowerCaseAnsi(std::string& s) {
  const CaseTable& table = MachineCaseTable();
  for (std::size_t i = 0; i < s.size(); ++i) {
    // The trail byte may look like a letter or a backslash; it is not one.
    if (table.StartsDoubleByte(s, i)) {
      ++i;
      continue;
    }
    s[i] = static_cast<char>(table.lower[static_cast<unsigned char>(s[i])]);
  }
}

}  // namespace internal

bool NamesEqualIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  if (a == b) return true;
  // Called for every entry of a folder being searched: the code page is asked once.
  const internal::CaseTable& table = internal::MachineCaseTable();
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (table.StartsDoubleByte(a, i)) {
      if (x != y || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (x != y && table.lower[x] != table.lower[y]) {
      return false;
    }
  }
  return true;
}

bool NameLessIgnoringCase(const std::string& a, const std::string& b) {
  const internal::CaseTable& table = internal::MachineCaseTable();
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    // Up to here the names agree, so a double-byte character starts in both or in neither.
    if (table.StartsDoubleByte(a, i) && x == y && i + 1 < common) {
      if (a[i + 1] != b[i + 1]) return static_cast<unsigned char>(a[i + 1]) < static_cast<unsigned char>(b[i + 1]);
      ++i;
      continue;
    }
    if (table.upper[x] != table.upper[y]) return table.upper[x] < table.upper[y];
  }
  return a.size() < b.size();
}

}  // namespace emu
