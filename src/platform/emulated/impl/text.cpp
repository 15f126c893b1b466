#include "platform/text.h"

#include "platform/emulated/machine/internal/code_page.h"

// The text calls follow the machine's code page.
namespace platform {

unsigned AnsiCodePage() { return emu::internal::AnsiCodePage(); }

bool IsLeadByte(unsigned char byte) { return emu::internal::IsLeadByte(byte); }

std::size_t NextCharIndex(const std::string& s, std::size_t index) { return emu::internal::NextCharIndex(s, index); }

void LowerCaseAnsi(std::string& s) { emu::internal::LowerCaseAnsi(s); }

}  // namespace platform
