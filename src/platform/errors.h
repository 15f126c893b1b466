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
  kErrDirNotEmpty = 145,
  kErrFilenameExcedRange = 206,  // a path longer than the ANSI file calls take
  kErrAlreadyExists = 183,
  kErrMoreData = 234,
  kErrNoMoreItems = 259,
  kErrDirectory = 267,  // a folder was named where a file is
  kErrNotOwner = 288,
  kErrInvalidAddress = 487,
  kErrInvalidWindowHandle = 1400,
  kErrResourceNameNotFound = 1814,  // no dialog template or image of that id
  kErrNotEnoughQuota = 1816,
};

// The error of the last failing call on this thread (GetLastError).
std::uint32_t LastError();
void SetLastError(std::uint32_t code);

}  // namespace platform
