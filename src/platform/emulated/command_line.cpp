#include "platform/emulated/command_line.h"

#include "platform/text.h"

namespace emu {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  const std::size_t n = commandLine.size();

  // The program name: no escapes at all, so a path's backslashes stay.
  std::string program;
  if (i < n && commandLine[i] == '"') {
    ++i;
    while (i < n && commandLine[i] != '"') program += commandLine[i++];
    if (i < n) ++i;
  } else {
    while (i < n && !IsBlank(commandLine[i])) program += commandLine[i++];
  }
  arguments.push_back(program);

  for (;;) {
    while (i < n && IsBlank(commandLine[i])) ++i;
    if (i >= n) break;
    std::string argument;
    bool quoted = false;
    while (i < n && (quoted || !IsBlank(commandLine[i]))) {
      std::size_t backslashes = 0;
      while (i < n && commandLine[i] == '\\') {
        ++backslashes;
        ++i;
      }
      if (i < n && commandLine[i] == '"') {
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          argument += '"';
          ++i;
        } else if (quoted && i + 1 < n && commandLine[i + 1] == '"') {
          argument += '"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
        continue;
      }
      argument.append(backslashes, '\\');
      if (i >= n || (!quoted && IsBlank(commandLine[i]))) break;
      // A double-byte character travels whole: its trail byte may look like a backslash.
      if (platform::IsLeadByte(static_cast<unsigned char>(commandLine[i])) && i + 1 < n) {
        argument += commandLine[i++];
      }
      argument += commandLine[i++];
    }
    arguments.push_back(argument);
  }
  return arguments;
}

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
    if (platform::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < argument.size()) {
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
