#pragma once
// Windows command lines: one string that the started program splits into its
// arguments by the rules of the C runtime's start-up code
// (platform::SplitCommandLine), and the quoting that builds such a string.
#include <string>
#include <vector>

#include "platform/command_line.h"

namespace emu {

// A program started on the machine gets the arguments that the program
// itself would split from its command line.
using platform::SplitCommandLine;

// `argument` written so that SplitCommandLine gives it back unchanged.
std::string QuoteArgument(const std::string& argument);
// The program name, quoted when it holds a blank (it can't hold a quote).
std::string QuoteProgramName(const std::string& program);
// The program name and the arguments as one command line.
std::string JoinCommandLine(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace emu
