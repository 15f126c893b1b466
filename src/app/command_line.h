#pragma once
// Splitting a command line into arguments the way the Windows C runtime
// fills argv: blanks and tabs separate; double quotes group and are removed;
// 2n backslashes before a quote give n backslashes, 2n+1 give n and a
// literal quote; other backslashes are plain; "" inside quotes is a quote.
// The program name (position 0) only honours quotes.
#include <string>
#include <vector>

// Tells a lead byte of a double-byte character; its trail byte is then taken
// with it and never read as a backslash or a quote.
using LeadByteTest = bool (*)(unsigned char);

std::vector<std::string> SplitCommandLine(const std::string& commandLine,
                                          LeadByteTest isLeadByte = nullptr);
