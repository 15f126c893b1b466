#pragma once
// The names carried by file lines: "source>destination" pairs and the
// " | " remark that file removal drops. Byte-wise, like the C string calls
// the format was made for: neither '>' nor '|' may stand in a file name.
#include <string>

struct SourceDestination {
  std::string source;       // relative to the source folder
  std::string destination;  // relative to the installation folder
  bool hasArrow = false;
};

// The first '>' splits the text; a later one belongs to the destination.
// The source loses its trailing white space, the destination its leading
// white space. Without '>' both sides are the whole text, untrimmed.
SourceDestination SplitSourceDestination(const std::string& text);

// The text before the first " | " (blank, bar, blank); the whole text when
// there is none. Only file removal cuts its file lines this way.
std::string CutAtBar(const std::string& text);
