#include "platform/emulated/machine/regedit4.h"

#include <cstdio>

#include "platform/emulated/machine/internal/basics.h"

#include "platform/registry.h"

namespace emu {

const char kRegedit4Header[] = "REGEDIT4\n\n";

namespace {

// Hex lines are broken before they pass 80 columns, continuation lines
// indented by two spaces, as the registry editor writes them.
constexpr std::size_t kHexLineLimit = 77;

bool StartsWithNoCase(const std::string& text, std::size_t at, const char* prefix) {
  for (std::size_t i = 0; prefix[i] != 0; ++i) {
    if (at + i >= text.size()) return false;
    if (internal::AsciiLower(text[at + i]) != prefix[i]) return false;
  }
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& text) { return internal::Trimmed(text, " \t"); }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendQuoted(std::string& out, const std::string& text) {
  out += '"';
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
}

// A REG_SZ that the quoted form carries exactly: one terminating zero at
// the end, no zero or line break before it.
bool IsCleanString(const std::string& data) {
  if (data.empty() || data.back() != '\0') return false;
  for (std::size_t i = 0; i + 1 < data.size(); ++i) {
    char c = data[i];
    if (c == '\0' || c == '\r' || c == '\n') return false;
  }
  return true;
}

// Reads a quoted string starting at text[at] == '"'; `at` ends past the closing quote.
bool ReadQuoted(const std::string& text, std::size_t& at, std::string& result, std::string& problem) {
  result.clear();
  for (++at; at < text.size(); ++at) {
    char c = text[at];
    if (c == '"') {
      ++at;
      return true;
    }
    if (c == '\\') {
      if (at + 1 >= text.size() || (text[at + 1] != '\\' && text[at + 1] != '"')) {
        problem = "a backslash in a quoted string must be written \\\\ (or \\\" for a quote)";
        return false;
      }
      c = text[++at];
    }
    result += c;
  }
  problem = "a quoted string has no closing quote";
  return false;
}

bool ReadHexBytes(const std::string& text, std::string& bytes, std::string& problem) {
  bytes.clear();
  if (Trim(text).empty()) return true;  // "hex:" holds no bytes
  std::size_t at = 0;
  for (;;) {
    std::size_t comma = text.find(',', at);
    bool last = comma == std::string::npos;
    std::string item = Trim(text.substr(at, last ? std::string::npos : comma - at));
    if (item.empty()) {
      if (last) return true;  // a comma may end the list
      problem = "an empty item in a hex list";
      return false;
    }
    int high = HexDigit(item[0]);
    int low = item.size() == 2 ? HexDigit(item[1]) : 0;
    if (item.size() > 2 || high < 0 || low < 0) {
      problem = "\"" + item + "\" is not a hex byte";
      return false;
    }
    bytes += static_cast<char>(item.size() == 2 ? high * 16 + low : high);
    if (last) return true;
    at = comma + 1;
  }
}

// The data part of a value line, after '='.
bool ReadValueData(const std::string& text, RegTextValue& value, std::string& problem) {
  if (text == "-") {
    value.remove = true;
    return true;
  }
  if (!text.empty() && text[0] == '"') {
    std::size_t at = 0;
    if (!ReadQuoted(text, at, value.data, problem)) return false;
    if (!Trim(text.substr(at)).empty()) {
      problem = "unexpected text after the quoted string";
      return false;
    }
    value.type = platform::kRegSz;
    value.data += '\0';
    return true;
  }
  if (StartsWithNoCase(text, 0, "dword:")) {
    std::string digits = Trim(text.substr(6));
    if (digits.empty() || digits.size() > 8) {
      problem = "a dword needs 1 to 8 hex digits";
      return false;
    }
    std::uint32_t number = 0;
    for (char c : digits) {
      int digit = HexDigit(c);
      if (digit < 0) {
        problem = "\"" + digits + "\" is not a hex dword";
        return false;
      }
      number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    value.type = platform::kRegDword;
    value.data.clear();
    for (int i = 0; i < 4; ++i) value.data += static_cast<char>((number >> (8 * i)) & 0xff);
    return true;
  }
  if (StartsWithNoCase(text, 0, "hex:")) {
    value.type = platform::kRegBinary;
    return ReadHexBytes(text.substr(4), value.data, problem);
  }
  if (StartsWithNoCase(text, 0, "hex(")) {
    std::size_t close = text.find(')');
    if (close == std::string::npos || close == 4 || close > 12 || close + 1 >= text.size() ||
        text[close + 1] != ':') {
      problem = "hex(N): expected, N the type number in hex";
      return false;
    }
    std::uint32_t type = 0;
    for (std::size_t i = 4; i < close; ++i) {
      int digit = HexDigit(text[i]);
      if (digit < 0) {
        problem = "the type in hex(N) must be a hex number";
        return false;
      }
      type = type * 16 + static_cast<std::uint32_t>(digit);
    }
    value.type = type;
    return ReadHexBytes(text.substr(close + 2), value.data, problem);
  }
  problem = "a value must be \"text\", dword:, hex:, hex(N): or -";
  return false;
}

bool ReadValueLine(const std::string& line, RegTextValue& value, std::string& problem) {
  std::size_t at = 0;
  if (line[0] == '@') {
    value.name.clear();
    at = 1;
  } else if (!ReadQuoted(line, at, value.name, problem)) {
    return false;
  }
  while (at < line.size() && IsBlank(line[at])) ++at;
  if (at >= line.size() || line[at] != '=') {
    problem = "'=' expected after the value name";
    return false;
  }
  return ReadValueData(Trim(line.substr(at + 1)), value, problem);
}

// Splits text into lines without their line ends; a line that ends in a
// backslash outside of a key line is joined with the next one.
struct LogicalLine {
  std::string text;
  int number;
};

std::vector<LogicalLine> SplitLines(const std::string& text) {
  std::vector<LogicalLine> lines;
  std::size_t at = 0;
  int number = 0;
  bool continuing = false;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    at = end + 1;
    ++number;
    if (continuing) {
      lines.back().text += Trim(line);
    } else {
      lines.push_back({line, number});
    }
    std::string& current = lines.back().text;
    std::string trimmed = Trim(current);
    continuing = !trimmed.empty() && trimmed.back() == '\\' && trimmed[0] != '[' && trimmed[0] != ';';
    if (continuing) {
      current = trimmed;
      current.pop_back();
    }
  }
  return lines;
}

}  // namespace

bool ParseRegedit4(const std::string& text, std::vector<RegTextKey>& keys, RegTextError& error) {
  keys.clear();
  std::string body = text;
  if (body.compare(0, 3, "\xEF\xBB\xBF") == 0) body.erase(0, 3);
  std::vector<LogicalLine> lines = SplitLines(body);
  if (lines.empty() || Trim(lines[0].text) != "REGEDIT4") {
    error = {1, "the first line must be REGEDIT4"};
    return false;
  }
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::string line = Trim(lines[i].text);
    int number = lines[i].number;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      if (line.back() != ']') {
        error = {number, "a key line must end with ']'"};
        return false;
      }
      RegTextKey key;
      key.line = number;
      key.path = line.substr(1, line.size() - 2);
      if (!key.path.empty() && key.path[0] == '-') {
        key.remove = true;
        key.path.erase(0, 1);
      }
      if (key.path.empty()) {
        error = {number, "a key line names no key"};
        return false;
      }
      keys.push_back(std::move(key));
      continue;
    }
    if (line[0] != '"' && line[0] != '@') {
      error = {number, "not a key, a value or a comment: " + line};
      return false;
    }
    if (keys.empty()) {
      error = {number, "a value before the first key"};
      return false;
    }
    if (keys.back().remove) {
      error = {number, "a value under a key that is being removed"};
      return false;
    }
    RegTextValue value;
    std::string problem;
    if (!ReadValueLine(line, value, problem)) {
      error = {number, problem};
      return false;
    }
    keys.back().values.push_back(std::move(value));
  }
  return true;
}

void AppendRegKeyLine(std::string& out, const std::string& path) {
  out += '[';
  out += path;
  out += "]\n";
}

void AppendRegValueLine(std::string& out, const std::string& name, std::uint32_t type,
                        const std::string& data) {
  std::size_t lineStart = out.size();
  if (name.empty()) {
    out += '@';
  } else {
    AppendQuoted(out, name);
  }
  out += '=';
  if (type == platform::kRegSz && IsCleanString(data)) {
    AppendQuoted(out, data.substr(0, data.size() - 1));
    out += '\n';
    return;
  }
  char buffer[32];
  if (type == platform::kRegDword && data.size() == 4) {
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = number * 256 + static_cast<unsigned char>(data[i]);
    std::snprintf(buffer, sizeof buffer, "dword:%08x\n", number);
    out += buffer;
    return;
  }
  if (type == platform::kRegBinary) {
    out += "hex:";
  } else {
    std::snprintf(buffer, sizeof buffer, "hex(%x):", type);
    out += buffer;
  }
  for (std::size_t i = 0; i < data.size(); ++i) {
    std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned char>(data[i]));
    out += buffer;
    if (i + 1 == data.size()) break;
    out += ',';
    if (out.size() - lineStart >= kHexLineLimit) {
      out += "\\\n  ";
      lineStart = out.size() - 2;
    }
  }
  out += '\n';
}

bool RegNameFitsText(const std::string& name) {
  return name.find('\n') == std::string::npos && name.find('\r') == std::string::npos;
}

}  // namespace emu
