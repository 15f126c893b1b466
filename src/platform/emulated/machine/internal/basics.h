#pragma once
// Small pieces that many parts of the machine share: text, descriptors
// and host errors.
#include <cstdint>
#include <string>

namespace emu {
namespace internal {

inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
inline char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Equal when ASCII letters are compared without regard to case.
bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b);

// `text` without the characters of `blanks` at either end.
std::string Trimmed(const std::string& text, const char* blanks = " \t\r\n");

// Everything from the descriptor's offset to the end; false on a read error.
bool ReadAll(int fd, std::string& text);
// All of `text`; false on a write error.
bool WriteAll(int fd, const std::string& text);

// The whole host file at `path`; false (errno set) when it can't be read.
bool ReadHostFile(const std::string& path, std::string& content);
// Writes `text` beside `path` (as <path>.new) and renames it into place, so
// that a reader, or a writer that dies midway, leaves the old file or the
// new one and never a part. False, with `error` set, on failure.
bool ReplaceHostFile(const std::string& path, const std::string& text, std::string& error);

// The Windows error for a failed host call on a file or folder.
std::uint32_t ErrorFromErrno(int error);

}  // namespace internal
}  // namespace emu
