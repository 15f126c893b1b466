#pragma once
// Names in script and log lines are relative to the source or the
// installation folder. A name that is absolute or climbs out of its folder
// would let a script (or a log the uninstaller reads with administrator
// rights) reach any file of the machine; such lines are passed over.
#include <string>

// True when `name` stays inside the folder it is joined to: it holds no
// colon (a drive, or a stream of a file), does not begin with a backslash or
// a slash (the root of a drive, or a network path), and no component
// between backslashes or slashes is "..". Windows drops trailing dots and
// blanks from names, so a component made of dots and blanks only that
// holds two dots or more counts as ".." too. The test is byte-wise: the
// trail byte of a double-byte character that equals a backslash only makes
// it stricter. An empty name stays inside.
bool StaysInsideFolder(const std::string& name);

// True when both names of a file line's text stay inside their folders:
// the source and the destination of "source>destination", or the one name
// of a line without ">".
bool FileLineStaysInside(const std::string& text);
