#pragma once
// How the transcript quotes a text: in double quotes, with \", \\, \n, \r, \t
// and \xHH for other control bytes; bytes from 0x80 on stay as they are
// (code-page text). Header-only, so that the Wine test's dialog probe quotes
// the real dialogs' texts the same way.
#include <cstdio>
#include <string>

namespace emu {

inline std::string QuotedText(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (u < 0x20 || u == 0x7f) {
          char code[8];
          std::snprintf(code, sizeof code, "\\x%02x", u);
          out += code;
        } else {
          out.push_back(c);
        }
    }
  }
  return out + "\"";
}

}  // namespace emu
