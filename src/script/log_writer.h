#pragma once
// Lines appended to the uninstall log end with CR LF, as a file written in
// text mode stores them. The append itself is the caller's (AppendLogLine,
// discovery/log_file.h), so that this format library stays free of file calls.
#include <string>

std::string FormatLogLine(const std::string& text);
