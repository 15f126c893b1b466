#pragma once
// Windows command lines: one string that the started program splits into its
// arguments by the rules of the C runtime's start-up code.
#include <string>
#include <vector>

namespace emu {

// The arguments of `commandLine`, the program name first. The program name
// ends at the first blank, or runs up to the closing quote when it starts
// with one; the other arguments follow the backslash-and-quote rules, where
// 2n backslashes before a quote give n backslashes and open or close a quoted
// part, 2n+1 give n backslashes and a literal quote, and "" inside a quoted
// part is a literal quote.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// `argument` written so that SplitCommandLine gives it back unchanged.
std::string QuoteArgument(const std::string& argument);
// The program name, quoted when it holds a blank (it can't hold a quote).
std::string QuoteProgramName(const std::string& program);
// The program name and the arguments as one command line.
std::string JoinCommandLine(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace emu
