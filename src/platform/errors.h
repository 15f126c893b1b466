#pragma once
// Error numbers as the Windows calls report them, so that callers on both
// builds see the same codes.
#include <cstdint>

namespace platform {

enum ErrorCode : std::uint32_t {
  kErrNone = 0,
  kErrFileNotFound = 2,
  kErrPathNotFound = 3,
  kErrAccessDenied = 5,
  kErrInvalidHandle = 6,
  kErrNoMoreFiles = 18,
  kErrSharingViolation = 32,
  kErrFileExists = 80,
  kErrInvalidParameter = 87,
  kErrCallNotImplemented = 120,  // the system has no such facility
  kErrInsufficientBuffer = 122,
  kErrInvalidName = 123,
  kErrModNotFound = 126,         // no library of that name
  kErrDirNotEmpty = 145,
  kErrAlreadyExists = 183,
  kErrMoreData = 234,
  kErrNoMoreItems = 259,
  kErrDirectory = 267,  // a folder was named where a file is
};

// The error of the last failing call on this thread (GetLastError).
std::uint32_t LastError();
void SetLastError(std::uint32_t code);

}  // namespace platform
