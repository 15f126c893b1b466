#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/log_line.h"
#include "script/log_reader.h"

namespace {

std::vector<std::string> ReadAll(LogReader& reader) {
  std::vector<std::string> lines;
  std::string line;
  while (ReadLogLine(reader, line)) lines.push_back(line);
  return lines;
}

std::vector<std::string> ReadAll(const std::string& content) {
  LogReader reader(content);
  return ReadAll(reader);
}

using Lines = std::vector<std::string>;

struct ReadCase {
  const char* name;
  std::string content;
  Lines lines;
};

TEST(ReadLogLine, SplitsAndTrimsLikeTheTextModeLineBuffer) {
  const ReadCase cases[] = {
      {"crlf", "File Copy: a.dll > b.dll  \r\nMake Dir: help\r\n", {"File Copy: a.dll > b.dll", "Make Dir: help"}},
      {"lf", "File Copy: a.dll\nMake Dir: help\n", {"File Copy: a.dll", "Make Dir: help"}},
      {"last line without line end", "File Copy: a.dll\r\nFile Del: x.dll", {"File Copy: a.dll", "File Del: x.dll"}},
      {"one blank stays one blank", " \r\n", {" "}},
      {"a lone line end stays", "\r\n\nx\n", {"\n", "\n", "x"}},
      {"tabs and control characters trimmed", "Make Dir: a\t\x01 \r\n", {"Make Dir: a"}},
      {"leading blanks kept", "  File Copy: a.dll\n", {"  File Copy: a.dll"}},
      {"lone CR is not a line end", "a\rb\r\n", {"a\rb"}},
      {"bytes above 127 are not trimmed", "a\xa0\n", {"a\xa0"}},
      {"Ctrl-Z ends the text", "a\r\n\x1a" "b\r\n", {"a"}},
      {"zero byte ends the line", std::string("a\0b\nc\n", 6), {"a", "c"}},
      {"empty file", "", {}},
  };
  for (const ReadCase& c : cases) EXPECT_EQ(ReadAll(c.content), c.lines) << c.name;
}

TEST(ReadLogLine, LongLineArrivesInPiecesOf511) {
  const std::string head = "File Del: " + std::string(501, 'x');  // 511 characters
  const std::string rest(89, 'y');
  const Lines lines = ReadAll(head + rest + "\r\nMake Dir: help\r\n");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], head);
  EXPECT_EQ(ClassifyLogLine(lines[0]).kind, LineKind::FileDel);
  EXPECT_EQ(lines[1], rest);
  EXPECT_EQ(ClassifyLogLine(lines[1]).kind, LineKind::Other);
  EXPECT_EQ(lines[2], "Make Dir: help");
}

TEST(ReadLogLine, PieceAfterTheFirst511MayCarryAPrefix) {
  const std::string head(511, 'a');
  const Lines lines = ReadAll(head + "File Del: b.dll\r\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(ClassifyLogLine(lines[1]).kind, LineKind::FileDel);
  EXPECT_EQ(ClassifyLogLine(lines[1]).text, "b.dll");
}

TEST(ReadLogLine, LineOfExactly511LeavesItsLineEndAsALineOfItsOwn) {
  const std::string head(511, 'a');
  EXPECT_EQ(ReadAll(head + "\r\nb\r\n"), (Lines{head, "\n", "b"}));
}

TEST(LogReader, RewindStartsAgainAtTheFirstLine) {
  LogReader reader("File Del: a\r\nMake Dir: b\r\n");
  const Lines first = ReadAll(reader);
  std::string line;
  EXPECT_FALSE(ReadLogLine(reader, line));
  reader.Rewind();
  EXPECT_EQ(ReadAll(reader), first);
  EXPECT_EQ(first, (Lines{"File Del: a", "Make Dir: b"}));
}

TEST(LogReader, DefaultReaderHasNoLines) {
  LogReader reader;
  std::string line = "stale";
  EXPECT_FALSE(ReadLogLine(reader, line));
}

}  // namespace
