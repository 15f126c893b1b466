#pragma once
// The line grammar shared by the install script and the uninstall log.
// Every line that matters begins with one of eight prefixes; the blank that
// ends a prefix belongs to it and the match is exact and case-sensitive.
#include <string>

enum class LineKind {
  FileCopy,       // "File Copy: "
  FileCopyX64,    // "File Copy x64: "
  FileCopyInd,    // "File Copy ind: "
  FileOverwrite,  // "File Overwrite: "
  FileDel,        // "File Del: "
  MakeDir,        // "Make Dir: "
  MadeDir,        // "Made Dir: "
  ShellLink,      // "Shell Link: "
  Other,          // no prefix: ignored by every reader
};

struct LogLine {
  LineKind kind = LineKind::Other;
  // What follows the prefix; for Other the whole line.
  std::string text;
};

// The prefix of a kind, blank included; "" for Other.
const char* LogLinePrefix(LineKind kind);

// Tests the prefixes at the very first character; leading blanks are not
// skipped, so an indented line is Other.
LogLine ClassifyLogLine(const std::string& line);

// True for the five kinds that name files (copy, x64 copy, ind copy,
// overwrite, delete): the lines that file removal acts on.
bool IsFileLine(LineKind kind);
