#include "platform/text.h"

// Placeholder bodies; the emulated code pages replace them.
namespace platform {
unsigned AnsiCodePage() { return 1252; }
bool IsLeadByte(unsigned char) { return false; }
std::size_t NextCharIndex(const std::string& s, std::size_t index) { return index < s.size() ? index + 1 : s.size(); }
void LowerCaseAnsi(std::string&) {}
}  // namespace platform
