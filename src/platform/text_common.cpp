#include "platform/text.h"

namespace platform {

namespace {
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool EqualsIgnoreCaseAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::size_t FindAnsi(const std::string& haystack, const std::string& needle) {
  if (needle.empty()) return 0;
  for (std::size_t i = 0; i < haystack.size(); i = NextCharIndex(haystack, i)) {
    if (haystack.compare(i, needle.size(), needle) == 0) return i;
  }
  return std::string::npos;
}

std::size_t FindLastBackslash(const std::string& s) {
  std::size_t last = std::string::npos;
  for (std::size_t i = 0; i < s.size(); i = NextCharIndex(s, i)) {
    if (s[i] == '\\') last = i;
  }
  return last;
}

}  // namespace platform
