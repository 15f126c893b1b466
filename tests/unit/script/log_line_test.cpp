#include <gtest/gtest.h>

#include "script/file_names.h"
#include "script/log_line.h"
#include "script/log_writer.h"

namespace {

struct ClassifyCase {
  const char* line;
  LineKind kind;
  const char* text;
  bool fileLine;  // one of the five kinds that name files
};

TEST(ClassifyLogLine, TellsTheEightPrefixesAndNearMisses) {
  const ClassifyCase cases[] = {
      {"File Copy: a.dll", LineKind::FileCopy, "a.dll", true},
      {"File Copy x64: b.dll", LineKind::FileCopyX64, "b.dll", true},
      {"File Copy ind: mfc42.dll", LineKind::FileCopyInd, "mfc42.dll", true},
      {"File Overwrite: c.ini", LineKind::FileOverwrite, "c.ini", true},
      {"File Del: old.dll | no longer shipped", LineKind::FileDel, "old.dll | no longer shipped", true},
      {"Make Dir: help", LineKind::MakeDir, "help", false},
      {"Made Dir: C:\\Menu\\Pictavo 6", LineKind::MadeDir, "C:\\Menu\\Pictavo 6", false},
      {"Shell Link: C:\\Menu\\Pictavo 6\\Pictavo 6.lnk", LineKind::ShellLink,
       "C:\\Menu\\Pictavo 6\\Pictavo 6.lnk", false},
      // The prefix's blank is part of it; what follows is kept as it is.
      {"File Copy:  a.dll", LineKind::FileCopy, " a.dll", true},
      {"File Copy: ", LineKind::FileCopy, "", true},
      // Near misses.
      {"File Copy:a.dll", LineKind::Other, "File Copy:a.dll", false},
      {"file copy: a.dll", LineKind::Other, "file copy: a.dll", false},
      {"  File Copy: a.dll", LineKind::Other, "  File Copy: a.dll", false},
      {"File Copy X64: a.dll", LineKind::Other, "File Copy X64: a.dll", false},
      {"File Copy:", LineKind::Other, "File Copy:", false},
      {" ", LineKind::Other, " ", false},
      {"", LineKind::Other, "", false},
  };
  for (const ClassifyCase& c : cases) {
    const LogLine line = ClassifyLogLine(c.line);
    EXPECT_EQ(line.kind, c.kind) << c.line;
    EXPECT_EQ(line.text, c.text) << c.line;
    EXPECT_EQ(IsFileLine(line.kind), c.fileLine) << c.line;
  }
}

TEST(LogLinePrefix, RebuildsTheLineItClassifies) {
  for (LineKind kind : {LineKind::FileCopy, LineKind::FileCopyX64, LineKind::FileCopyInd, LineKind::FileOverwrite,
                        LineKind::FileDel, LineKind::MakeDir, LineKind::MadeDir, LineKind::ShellLink}) {
    const LogLine line = ClassifyLogLine(std::string(LogLinePrefix(kind)) + "x");
    EXPECT_EQ(line.kind, kind) << LogLinePrefix(kind);
    EXPECT_EQ(line.text, "x");
  }
  EXPECT_STREQ(LogLinePrefix(LineKind::Other), "");
}

struct SplitCase {
  const char* text;
  const char* source;
  const char* destination;
  bool hasArrow;
};

TEST(SplitSourceDestination, AppliesTheArrowRule) {
  const SplitCase cases[] = {
      {"a.dll > b.dll", "a.dll", "b.dll", true},
      {"a.dll>sub\\b.dll", "a.dll", "sub\\b.dll", true},
      {"a > b > c", "a", "b > c", true},
      {"a.dll  >  b.dll", "a.dll", "b.dll", true},
      {"a.dll\t\v\f>\t\r\nb.dll", "a.dll", "b.dll", true},
      {"  a.dll > b.dll", "  a.dll", "b.dll", true},  // leading blanks of the source stay
      {" a.dll", " a.dll", " a.dll", false},          // no arrow: whole and untrimmed
      {"help\\*.htm", "help\\*.htm", "help\\*.htm", false},
      {">b.dll", "", "b.dll", true},
  };
  for (const SplitCase& c : cases) {
    const SourceDestination split = SplitSourceDestination(c.text);
    EXPECT_EQ(split.source, c.source) << c.text;
    EXPECT_EQ(split.destination, c.destination) << c.text;
    EXPECT_EQ(split.hasArrow, c.hasArrow) << c.text;
  }
}

TEST(CutAtBar, DropsTheRemarkAfterTheFirstSeparator) {
  const std::pair<const char*, const char*> cases[] = {
      {"old.dll | no longer shipped", "old.dll"},
      {"a | b | c", "a"},
      {"a|b", "a|b"},      // blanks on both sides are part of the separator
      {"a |b", "a |b"},
      {"a.dll", "a.dll"},
      {" | x", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CutAtBar(c.first), c.second) << c.first;
}

TEST(FormatLogLine, EndsTheLineWithCrLf) {
  EXPECT_EQ(FormatLogLine("Made Dir: C:\\Menu\\Pictavo 6"), "Made Dir: C:\\Menu\\Pictavo 6\r\n");
  EXPECT_EQ(FormatLogLine(""), "\r\n");
}

}  // namespace
