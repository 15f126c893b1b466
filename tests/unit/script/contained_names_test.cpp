#include <gtest/gtest.h>

#include "script/contained_names.h"

namespace {

struct NameCase {
  const char* name;
  bool inside;
};

TEST(StaysInsideFolder, RefusesAbsoluteAndClimbingNames) {
  const NameCase cases[] = {
      {"Ptav6.exe", true},
      {"help\\index.htm", true},
      {"help\\*.htm", true},
      {"sub/deeper/x.dll", true},
      {".hidden", true},
      {"a..b.txt", true},
      {"..a", true},
      {".\\a.dll", true},
      {"", true},
      {" a.dll", true},
      // A drive, the root of the current drive, a network path.
      {"C:\\Windows\\system32\\kernel32.dll", false},
      {"c:boot.ini", false},
      {"a.txt:stream", false},
      {"\\Windows\\win.ini", false},
      {"/etc/passwd", false},
      {"\\\\server\\share\\x", false},
      // Climbing out, at the start, in the middle, at the end, either separator.
      {"..\\x.dll", false},
      {"help\\..\\..\\x.dll", false},
      {"help/../../x.dll", false},
      {"help\\..", false},
      {"..", false},
      // Windows drops trailing dots and blanks, so these climb too.
      {"...\\x.dll", false},
      {".. \\x.dll", false},
      {". .\\x.dll", false},
  };
  for (const NameCase& c : cases) EXPECT_EQ(StaysInsideFolder(c.name), c.inside) << c.name;
}

TEST(FileLineStaysInside, LooksAtBothSidesOfTheArrow) {
  const NameCase cases[] = {
      {"a.dll > b.dll", true},
      {"a.dll>sub\\b.dll", true},
      {"*.hlp", true},
      {"a.dll > ..\\b.dll", false},
      {"..\\a.dll > b.dll", false},
      {"a.dll >  C:\\b.dll", false},
      {"C:\\a.dll>b.dll", false},
      // A later '>' belongs to the destination.
      {"a > ..\\b > c", false},
  };
  for (const NameCase& c : cases) EXPECT_EQ(FileLineStaysInside(c.name), c.inside) << c.name;
}

}  // namespace
