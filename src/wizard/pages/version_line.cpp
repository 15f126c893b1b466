#include "wizard/pages/version_line.h"

#include <cstdio>
#include <vector>

namespace {

struct Argument {
  bool isNumber;
  int number;
  std::string text;
};

std::string NumberText(const std::string& flags, int value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, ("%" + flags + "d").c_str(), value);
  return buffer;
}

std::string TextField(const std::string& flags, const std::string& value) {
  if (flags.empty()) return value;
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, ("%" + flags + "s").c_str(), value.c_str());
  return buffer;
}

}  // namespace

std::string BetaSuffix(const ProductVersion& version) {
  return version.beta != 0 ? "Beta " + std::to_string(version.beta) : "";
}

std::string FormatVersionLine(const std::string& pattern, const ProductVersion& version) {
  const std::vector<Argument> arguments = {
      {true, version.major, ""}, {true, version.minor, ""}, {true, version.release, ""}, {false, 0, BetaSuffix(version)}};
  std::size_t next = 0;
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') {
      out.push_back(pattern[i]);
      continue;
    }
    if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
      out.push_back('%');
      ++i;
      continue;
    }
    // Flags and width: '-', '0' and digits, at most a few.
    std::size_t end = i + 1;
    while (end < pattern.size() && end - i <= 4 &&
           (pattern[end] == '-' || (pattern[end] >= '0' && pattern[end] <= '9'))) {
      ++end;
    }
    if (end >= pattern.size() || (pattern[end] != 'd' && pattern[end] != 's')) {
      out.push_back('%');  // no field: the text stays as written
      continue;
    }
    const std::string flags = pattern.substr(i + 1, end - i - 1);
    if (next < arguments.size()) {
      const Argument& a = arguments[next++];
      out += a.isNumber ? NumberText(pattern[end] == 'd' ? flags : "", a.number) : TextField(flags, a.text);
    }
    i = end;
  }
  return out;
}
