#include "script/log_reader.h"

namespace {

// What the C runtime's text mode delivers from the stored bytes.
std::string TranslateTextMode(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\x1a') break;  // Ctrl-Z marks the end of a text file
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text.push_back(c);
  }
  return text;
}

}  // namespace

LogReader::LogReader(std::string content) : text_(TranslateTextMode(content)) {}

bool LogReader::ReadRaw(std::string& piece) {
  piece.clear();
  if (position_ >= text_.size()) return false;
  const std::size_t limit = kLogLineBufferSize - 1;
  while (position_ < text_.size() && piece.size() < limit) {
    const char c = text_[position_++];
    piece.push_back(c);
    if (c == '\n') break;
  }
  return true;
}

void TrimLogLineEnd(std::string& line) {
  std::size_t length = line.size();
  while (length > 1 && static_cast<unsigned char>(line[length - 1]) <= 32) --length;
  line.resize(length);
}

bool ReadLogLine(LogReader& reader, std::string& line) {
  if (!reader.ReadRaw(line)) return false;
  // The buffer is a C string: a zero byte ends the line.
  const std::size_t zero = line.find('\0');
  if (zero != std::string::npos) line.resize(zero);
  TrimLogLineEnd(line);
  return true;
}
