#pragma once
// Script and log files on disk: the readers load a whole file and walk its
// lines with ReadLogLine; the writers append one line at a time.
#include <string>

#include "script/log_reader.h"

// Loads the file at `path` into `reader`; false when it can't be opened,
// and the reader then does nothing.
bool OpenLogFile(const std::string& path, LogReader& reader);

// Appends `text` and a line end to the log at `path`, creating the file when
// it is missing. A file that can't be written is passed over.
void AppendLogLine(const std::string& path, const std::string& text);
