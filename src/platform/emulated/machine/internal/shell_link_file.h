#pragma once
// The bytes of a shortcut (".lnk") file in the Shell Link Binary File
// Format, as far as the machine's shortcuts need it: the header, a LinkInfo
// with the target's volume and local path, and the description and working
// folder as strings of the ANSI code page. Windows and lnkinfo read it.
#include <cstdint>
#include <string>

namespace emu {
namespace internal {

struct ShellLinkContents {
  std::string target;        // full Windows path, such as C:\Program Files\Pictavo 6\Ptav6.exe
  bool hasDescription = false;
  std::string description;
  bool hasWorkingFolder = false;
  std::string workingFolder;
  std::uint32_t targetAttributes = 0;  // FILE_ATTRIBUTE_* of the target, 0 when unknown
};

std::string ShellLinkBytes(const ShellLinkContents& link);

}  // namespace internal
}  // namespace emu
