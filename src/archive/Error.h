// Errors of the archive core are values: a code a caller can branch on, a message written
// where the check failed, and the byte offset it concerns (-1 when none does). They turn
// into user-facing text only at the edge, in the window or the command-line tool.
#pragma once

#include <cstdint>
#include <string>

namespace zpk::archive {

enum class ErrorCode {
  CantOpen,       // the archive (or a file to read) could not be opened for reading
  CantRead,       // a read failed or came back short
  NegativePos,    // an entry's position is negative
  NegativeLen,    // an entry's length is negative
  OutOfRange,     // the bytes asked for lie (partly) beyond the end of the file
  CantWrite,      // the target file could not be created, written or put in place
  TargetExists,   // the target exists and replacing it was not allowed
  Cancelled,      // the caller's progress callback asked to stop
  BadStream,      // packed data is corrupt or ends before its stream does
};

struct Error {
  ErrorCode code;
  std::string message;
  std::int64_t offset = -1;
};

// "<message>" or "<message> (at byte N)" for display.
std::string Describe(const Error& error);

}  // namespace zpk::archive
