// Buffered output to a file descriptor and the text helpers every command shares.
//
// Listings of a million entries are written through one large buffer and flushed only
// when it is full or at the end, never per line.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zpk::cli {

class Output {
 public:
  explicit Output(int fd, std::size_t capacity = std::size_t{1} << 20);
  ~Output();
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  Output& operator<<(std::string_view text);
  Output& operator<<(char c);
  Output& operator<<(std::int64_t value);
  // Appends value right-aligned in width characters.
  void Padded(std::int64_t value, std::size_t width);
  void Padded(std::string_view text, std::size_t width);

  // Where the next bytes go, with room for at least n of them (n at most the capacity),
  // for rows formatted in place; Commit(end) then keeps the bytes up to end.
  char* Room(std::size_t n) {
    if (size_ + n > capacity_) Flush();
    return buffer_.get() + size_;
  }
  void Commit(const char* end) { size_ = static_cast<std::size_t>(end - buffer_.get()); }

  // Writes out what is buffered; false once any write has failed.
  bool Flush();
  bool Failed() const { return failed_; }
  int Fd() const { return fd_; }

 private:
  int fd_;
  std::size_t capacity_;
  std::unique_ptr<char[]> buffer_;  // capacity_ bytes, the first size_ of them in use
  std::size_t size_ = 0;
  bool failed_ = false;
};

// Decoded text with every control character written as \xNN (C0, DEL) or \u00NN (C1), so
// that a listing never sends raw control bytes to a terminal.
std::string EscapeControls(std::string_view utf8);

// An entry's display name (cut at NUL, spaces trimmed), decoded to UTF-8.
std::string DisplayNameUtf8(std::string_view rawName);

// The header's ID: spaces trimmed at both ends, NUL bytes kept, decoded to UTF-8.
std::string IdUtf8(std::string_view rawId);

// "#3 'gfx/ship.bmp'" for messages, with control characters escaped.
std::string EntryLabel(std::size_t index, std::string_view utf8Name);

// Number of decimal digits of value, counting a leading "-".
std::size_t DecimalWidth(std::int64_t value);

// Writes "zpk: <text>" and a newline to standard error at once.
void ReportError(std::string_view text);

}  // namespace zpk::cli
