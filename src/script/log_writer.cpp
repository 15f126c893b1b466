#include "script/log_writer.h"

std::string FormatLogLine(const std::string& text) { return text + "\r\n"; }
