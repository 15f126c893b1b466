#pragma once
// The REGEDIT4 text format in which the machine keeps its registry:
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Key]
//   @="default value"
//   "Text"="C:\\Folder \"quoted\""
//   "Number"=dword:0000002a
//   "Bytes"=hex:01,02,ff
//   "Other"=hex(7):61,00,00
//
//   [-HKEY_LOCAL_MACHINE\SOFTWARE\Gone]
//   "Removed"=-
//
// Every value keeps its type and its exact bytes: a REG_SZ is written as a
// quoted string only when its bytes are a clean zero-terminated string on
// one line, a REG_DWORD as dword only when it is four bytes long; anything
// else is written as hex. The type number in hex(N) is hexadecimal, as the
// registry editor writes it (REG_QWORD is hex(b)).
#include <cstdint>
#include <string>
#include <vector>

namespace emu {

struct RegTextValue {
  std::string name;  // "" for the default value (@)
  bool remove = false;  // "name"=-
  std::uint32_t type = 0;
  std::string data;  // the value's bytes
};

struct RegTextKey {
  std::string path;  // as written, root name included
  bool remove = false;  // [-path]
  int line = 0;  // where the section starts, for messages
  std::vector<RegTextValue> values;
};

struct RegTextError {
  int line = 0;
  std::string message;
  std::string Describe() const { return "line " + std::to_string(line) + ": " + message; }
};

// Reads REGEDIT4 text: LF or CR LF line ends, blank lines, ';' comment lines
// and lines continued by a trailing backslash.
bool ParseRegedit4(const std::string& text, std::vector<RegTextKey>& keys, RegTextError& error);

// Writers; each appends whole lines ending in "\n".
extern const char kRegedit4Header[];  // "REGEDIT4" and the blank line after it
void AppendRegKeyLine(std::string& out, const std::string& path);
void AppendRegValueLine(std::string& out, const std::string& name, std::uint32_t type,
                        const std::string& data);

// False for a name that the format cannot carry (it holds a line break).
bool RegNameFitsText(const std::string& name);

}  // namespace emu
