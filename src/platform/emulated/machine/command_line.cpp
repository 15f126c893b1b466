#include "platform/emulated/machine/processes.h"

#include "platform/emulated/machine/internal/code_page.h"

namespace emu {

std::string QuoteArgument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (std::size_t i = 0; i < argument.size(); ++i) {
    const char c = argument[i];
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') {
      quoted.append(backslashes * 2 + 1, '\\');
    } else {
      quoted.append(backslashes, '\\');
    }
    backslashes = 0;
    quoted += c;
    if (internal::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < argument.size()) {
      quoted += argument[++i];
    }
  }
  // Backslashes before the closing quote are doubled so that it stays a quote.
  quoted.append(backslashes * 2, '\\');
  quoted += '"';
  return quoted;
}

std::string QuoteProgramName(const std::string& program) {
  if (!program.empty() && program.find_first_of(" \t") == std::string::npos) return program;
  return "\"" + program + "\"";
}

std::string JoinCommandLine(const std::string& program, const std::vector<std::string>& arguments) {
  std::string line = QuoteProgramName(program);
  for (const std::string& argument : arguments) line += " " + QuoteArgument(argument);
  return line;
}

}  // namespace emu
