#pragma once
// Reading script and log lines the way every reader of the format does:
// the file is read as text (CR LF arrives as LF, a Ctrl-Z byte ends the
// text) through a 512-byte line buffer, so a line arrives in pieces of at
// most 511 characters; each piece is one line to its reader.
#include <cstddef>
#include <string>

class LogReader {
 public:
  LogReader() = default;
  // `content` is the file's bytes as stored.
  explicit LogReader(std::string content);

  // Starts again at the first line (the readers that make two passes).
  void Rewind() { position_ = 0; }

  // The next piece as the line buffer receives it: up to 511 characters,
  // ending after the first LF; false at the end of the text.
  bool ReadRaw(std::string& piece);

 private:
  std::string text_;  // after the text-mode translation
  std::size_t position_ = 0;
};

// The capacity of the readers' line buffer, terminator included.
constexpr std::size_t kLogLineBufferSize = 512;

// Reads the next line and removes its trailing characters of code 32 or
// less (line end included); the first character always stays. false at the
// end of the file.
bool ReadLogLine(LogReader& reader, std::string& line);

// Removes trailing characters of code 32 or less, never the first one.
void TrimLogLineEnd(std::string& line);
