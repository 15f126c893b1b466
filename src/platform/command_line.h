#pragma once
// Splitting a command line into arguments the way the Windows C runtime's
// start-up code fills argv. Both the program (for its own command line) and
// the emulated launcher (for the programs it starts) use this one splitter.
#include <string>
#include <vector>

namespace platform {

// The arguments of `commandLine`, the program name first.
// - The program name ends at the first blank or tab outside quotes; its
//   quotes only group and are dropped, and it knows no escapes, so
//   "C:\a b\setup.exe"x gives C:\a b\setup.exex.
// - The other arguments are separated by blanks and tabs; double quotes
//   group and are removed; 2n backslashes before a quote give n backslashes
//   (the quote groups), 2n+1 give n and a literal quote; other backslashes
//   are plain; "" inside a quoted part is a literal quote.
// A lead byte of the ANSI code page takes its trail byte with it, so a trail
// byte is never read as a quote, a backslash or a blank.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

}  // namespace platform
