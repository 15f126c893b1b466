#include "script/log_line.h"

#include <cstring>

namespace {

struct PrefixEntry {
  LineKind kind;
  const char* prefix;
};

constexpr PrefixEntry kPrefixes[] = {
    {LineKind::FileCopy, "File Copy: "},         {LineKind::FileCopyX64, "File Copy x64: "},
    {LineKind::FileCopyInd, "File Copy ind: "},  {LineKind::FileOverwrite, "File Overwrite: "},
    {LineKind::FileDel, "File Del: "},           {LineKind::MakeDir, "Make Dir: "},
    {LineKind::MadeDir, "Made Dir: "},           {LineKind::ShellLink, "Shell Link: "},
};

}  // namespace

const char* LogLinePrefix(LineKind kind) {
  for (const PrefixEntry& entry : kPrefixes) {
    if (entry.kind == kind) return entry.prefix;
  }
  return "";
}

LogLine ClassifyLogLine(const std::string& line) {
  for (const PrefixEntry& entry : kPrefixes) {
    const std::size_t length = std::strlen(entry.prefix);
    if (line.compare(0, length, entry.prefix) == 0) {
      return LogLine{entry.kind, line.substr(length)};
    }
  }
  return LogLine{LineKind::Other, line};
}

bool IsFileLine(LineKind kind) {
  switch (kind) {
    case LineKind::FileCopy:
    case LineKind::FileCopyX64:
    case LineKind::FileCopyInd:
    case LineKind::FileOverwrite:
    case LineKind::FileDel:
      return true;
    default:
      return false;
  }
}
