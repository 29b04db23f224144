#include "cli/Output.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>

#include "archive/Cp1252.h"
#include "archive/Records.h"
#include "cli/SafeName.h"
#include "util/PathUtils.h"

namespace zpk::cli {

namespace {

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const auto n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

Output::Output(int fd, std::size_t capacity)
    : fd_(fd), capacity_(capacity), buffer_(std::make_unique_for_overwrite<char[]>(capacity)) {}

Output::~Output() { Flush(); }

Output& Output::operator<<(std::string_view text) {
  if (size_ + text.size() > capacity_) {
    Flush();
    if (text.size() > capacity_) {
      if (!failed_ && !WriteAll(fd_, text)) failed_ = true;
      return *this;
    }
  }
  std::copy(text.begin(), text.end(), buffer_.get() + size_);
  size_ += text.size();
  return *this;
}

Output& Output::operator<<(char c) { return *this << std::string_view(&c, 1); }

Output& Output::operator<<(std::int64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return *this << std::string_view(digits, static_cast<std::size_t>(result.ptr - digits));
}

// Columns of a million-row listing: formatted once, appended in one piece.
void Output::Padded(std::int64_t value, std::size_t width) {
  char digits[24];
  const auto length = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
  for (auto w = length; w < width; ++w) *this << ' ';
  *this << std::string_view(digits, length);
}

void Output::Padded(std::string_view text, std::size_t width) {
  *this << text;
  for (auto w = text.size(); w < width; ++w) *this << ' ';
}

bool Output::Flush() {
  if (size_ != 0) {
    if (!failed_ && !WriteAll(fd_, std::string_view(buffer_.get(), size_))) failed_ = true;
    size_ = 0;
  }
  return !failed_;
}

std::string EscapeControls(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t length = 1;
    if (IsControlAt(utf8, i, length)) {
      const unsigned value = length == 1 ? static_cast<unsigned char>(utf8[i])
                                         : static_cast<unsigned char>(utf8[i + 1]);
      char text[8];
      std::snprintf(text, sizeof text, length == 1 ? "\\x%02X" : "\\u%04X", value);
      out += text;
    } else {
      out.append(utf8.substr(i, length));
    }
    i += length;
  }
  return out;
}

std::string DisplayNameUtf8(std::string_view rawName) {
  return archive::Cp1252ToUtf8(archive::DisplayName(rawName));
}

std::string IdUtf8(std::string_view rawId) {
  return archive::Cp1252ToUtf8(util::TrimSpaces(rawId));
}

std::string EntryLabel(std::size_t index, std::string_view utf8Name) {
  return "#" + std::to_string(index) + " '" + EscapeControls(utf8Name) + "'";
}

std::size_t DecimalWidth(std::int64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return static_cast<std::size_t>(result.ptr - digits);
}

void ReportError(std::string_view text) {
  std::string line = "zpk: ";
  line.append(text);
  line += '\n';
  WriteAll(STDERR_FILENO, line);
}

}  // namespace zpk::cli
