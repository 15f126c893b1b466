#include "discovery/log_file.h"

#include <utility>

#include "platform/files.h"
#include "script/log_writer.h"

bool OpenLogFile(const std::string& path, LogReader& reader) {
  std::string content;
  if (!platform::ReadWholeFile(path, content)) return false;
  reader = LogReader(std::move(content));
  return true;
}

void AppendLogLine(const std::string& path, const std::string& text) {
  platform::AppendToFile(path, FormatLogLine(text));
}
