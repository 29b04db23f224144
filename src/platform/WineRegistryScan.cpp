#include "platform/WineRegistryScan.h"

#include <cstring>
#include <algorithm>
#include <fstream>
#include <memory>
#include <system_error>
#include <vector>

#include "platform/AsciiText.h"

namespace zpk::platform {

namespace fs = std::filesystem;

namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A line as the scan looks at it: without its "\r" and its outer blanks.
std::string_view ScannedForm(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return TrimBlanks(line);
}

// Whether the line after `line` continues hex data and so is no key header, given whether
// `line` did (the rule of the scan below for lines outside the keys asked for).
bool NextLineContinues(bool continuing, std::string_view line) {
  line = ScannedForm(line);
  if (line.empty()) return false;
  if (continuing || line.front() == '"' || line.front() == '@') return line.back() == '\\';
  return false;
}

// The start of the line holding text[pos], not before `floor` (itself a line start).
std::size_t LineStart(std::string_view text, std::size_t floor, std::size_t pos) {
  const std::size_t newline = text.substr(floor, pos - floor).rfind('\n');
  return newline == std::string_view::npos ? floor : floor + newline + 1;
}

// Whether the line starting at `target` continues hex data, knowing that of the line at
// `known` (a line start before it). Only the lines just before target that end in a
// backslash can make it so; they are walked back to where that chain begins, then forward.
bool ContinuesAt(std::string_view text, std::size_t known, bool knownContinues,
                 std::size_t target) {
  std::size_t chain = target;
  while (chain > known) {
    const std::size_t before = LineStart(text, known, chain - 1);
    if (ScannedForm(text.substr(before, chain - 1 - before)).ends_with('\\')) {
      chain = before;
    } else {
      break;
    }
  }
  bool continuing = chain == known ? knownContinues : false;
  while (chain < target) {
    const std::size_t end = text.find('\n', chain);
    continuing = NextLineContinues(continuing, text.substr(chain, end - chain));
    chain = end + 1;
  }
  return continuing;
}

// Outside the keys asked for only key headers matter, and those are the lines that begin
// with "[" (after blanks) and do not continue hex data. Finds the first of them in text (a
// run of whole lines from a line start, the last one possibly cut short), given whether the
// first line continues hex data. When there is none, npos; then `resume` is the start of
// the last line (which may go on beyond text) and `continuing` tells it of that line.
std::size_t FindKeyHeader(std::string_view text, bool& continuing, std::size_t& resume) {
  std::size_t known = 0;  // a line start, continuing telling it of that line
  std::size_t from = 0;   // a line start: where to look for "[" next
  for (;;) {
    const std::size_t bracket = text.find('[', from);
    if (bracket == std::string_view::npos) {
      const std::size_t last = text.rfind('\n');
      resume = last == std::string_view::npos ? 0 : last + 1;
      if (resume > known) continuing = ContinuesAt(text, known, continuing, resume);
      return std::string_view::npos;
    }
    const std::size_t line = LineStart(text, from, bracket);
    const std::size_t lineEnd = text.find('\n', bracket);
    from = lineEnd == std::string_view::npos ? text.size() : lineEnd + 1;
    if (!TrimBlanks(text.substr(line, bracket - line)).empty()) continue;
    continuing = ContinuesAt(text, known, continuing, line);
    known = line;
    if (!continuing) return line;
  }
}

// The lines of a file (or of text in memory), read in blocks; a line that does not fit in
// a buffer grown to more than kLongestRegistryLine is skipped.
template <class Source>
class BlockLines {
 public:
  BlockLines(Source source, std::size_t blockBytes)
      : source_(std::move(source)), buffer_(std::max<std::size_t>(blockBytes, 16)) {}

  bool Next(std::string_view& line) {
    for (;;) {
      const char* start = buffer_.data() + begin_;
      if (const void* found = std::memchr(start, '\n', end_ - begin_)) {
        const auto* newline = static_cast<const char*>(found);
        line = std::string_view(start, static_cast<std::size_t>(newline - start));
        begin_ += line.size() + 1;
        if (dropping_) {
          dropping_ = false;
          continue;
        }
        return Strip(line);
      }
      if (atEnd_) {
        if (begin_ == end_ || dropping_) return false;
        line = std::string_view(start, end_ - begin_);
        begin_ = end_;
        return Strip(line);
      }
      Refill();
    }
  }

  // Moves on to the next line that is a key header (see FindKeyHeader), so that the lines
  // in between are only searched for "[", not looked at one by one. False at the end.
  bool SkipToKeyHeader(bool& continuing) {
    for (;;) {
      const std::string_view text(buffer_.data() + begin_, end_ - begin_);
      if (dropping_) {
        const std::size_t newline = text.find('\n');
        if (newline != std::string_view::npos) {
          begin_ += newline + 1;
          dropping_ = false;
          continue;
        }
      } else {
        std::size_t resume = 0;
        const std::size_t header = FindKeyHeader(text, continuing, resume);
        if (header != std::string_view::npos) {
          begin_ += header;
          return true;
        }
        begin_ += resume;
      }
      if (atEnd_) return false;
      Refill();
    }
  }

 private:
  static bool Strip(std::string_view& line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
  }

  void Refill() {
    if (dropping_) {
      begin_ = end_ = 0;  // the rest of an over-long line: nothing of it is kept
    } else if (begin_ == 0 && end_ == buffer_.size()) {
      if (buffer_.size() > kLongestRegistryLine) {
        dropping_ = true;
        begin_ = end_ = 0;
      } else {
        // Room for the longest line and its line end at most: a line that fills even that
        // is over-long.
        buffer_.resize(std::min(buffer_.size() * 2, kLongestRegistryLine + 1));
      }
    } else {
      std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
      end_ -= begin_;
      begin_ = 0;
    }
    const std::size_t got = source_.Read(buffer_.data() + end_, buffer_.size() - end_);
    end_ += got;
    if (got == 0) atEnd_ = true;
  }

  Source source_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0, end_ = 0;
  bool atEnd_ = false;
  bool dropping_ = false;
};

class FileSource {
 public:
  explicit FileSource(const fs::path& path) : in_(std::make_unique<std::ifstream>(path, std::ios::binary)) {}
  bool IsOpen() const { return in_->is_open(); }
  std::size_t Read(char* to, std::size_t size) {
    in_->read(to, static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(in_->gcount());
  }

 private:
  std::unique_ptr<std::ifstream> in_;
};

class MemorySource {
 public:
  explicit MemorySource(std::string_view text) : text_(text) {}
  std::size_t Read(char* to, std::size_t size) {
    const std::size_t count = std::min(size, text_.size() - pos_);
    std::memcpy(to, text_.data() + pos_, count);
    pos_ += count;
    return count;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

class MemoryLines {
 public:
  explicit MemoryLines(std::string_view text) : text_(text) {}
  bool Next(std::string_view& line) {
    while (pos_ < text_.size()) {
      std::size_t end = text_.find('\n', pos_);
      if (end == std::string_view::npos) end = text_.size();
      line = text_.substr(pos_, end - pos_);
      pos_ = end + 1;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (line.size() <= kLongestRegistryLine) return true;
    }
    return false;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Text as UTF-8, from UTF-16 units (escapes, hex data) and bytes already UTF-8.
class Utf8Builder {
 public:
  void Byte(char c) {
    FlushSurrogate();
    out_ += c;
  }
  void Unit(char16_t unit) {
    if (unit >= 0xDC00 && unit <= 0xDFFF && high_ != 0) {
      Code(0x10000 + ((static_cast<char32_t>(high_) - 0xD800) << 10) + (unit - 0xDC00));
      high_ = 0;
      return;
    }
    FlushSurrogate();
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      high_ = unit;
    } else {
      Code(unit >= 0xDC00 && unit <= 0xDFFF ? 0xFFFD : unit);
    }
  }
  std::string Take() {
    FlushSurrogate();
    return std::move(out_);
  }

 private:
  void FlushSurrogate() {
    if (high_ != 0) Code(0xFFFD);
    high_ = 0;
  }
  void Code(char32_t c) {
    if (c < 0x80) {
      out_ += static_cast<char>(c);
    } else if (c < 0x800) {
      out_ += static_cast<char>(0xC0 | (c >> 6));
      out_ += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out_ += static_cast<char>(0xE0 | (c >> 12));
      out_ += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out_ += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out_ += static_cast<char>(0xF0 | (c >> 18));
      out_ += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out_ += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out_ += static_cast<char>(0x80 | (c & 0x3F));
    }
  }

  std::string out_;
  char16_t high_ = 0;
};

// Escaped text from pos to the unescaped terminator, pos moved behind it; nullopt when the
// line ends first. The escapes are Wine's (see WineRegistryFile.h).
std::optional<std::string> ReadEscaped(std::string_view line, std::size_t& pos, char terminator) {
  Utf8Builder out;
  while (pos < line.size()) {
    const char c = line[pos++];
    if (c == terminator) return out.Take();
    if (c != '\\') {
      out.Byte(c);
      continue;
    }
    if (pos >= line.size()) return std::nullopt;
    const char e = line[pos++];
    switch (e) {
      case 'a': out.Byte(7); break;
      case 'b': out.Byte(8); break;
      case 'e': out.Byte(27); break;
      case 'f': out.Byte(12); break;
      case 'n': out.Byte(10); break;
      case 'r': out.Byte(13); break;
      case 't': out.Byte(9); break;
      case 'v': out.Byte(11); break;
      case 'x': {
        char16_t unit = 0;
        int digits = 0;
        while (digits < 4 && pos < line.size() && HexValue(line[pos]) >= 0) {
          unit = static_cast<char16_t>(unit * 16 + HexValue(line[pos++]));
          ++digits;
        }
        if (digits == 0) {
          out.Byte('x');
        } else {
          out.Unit(unit);
        }
        break;
      }
      default:
        if (e >= '0' && e <= '7') {
          char16_t unit = static_cast<char16_t>(e - '0');
          for (int more = 0; more < 2 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7';
               ++more) {
            unit = static_cast<char16_t>(unit * 8 + (line[pos++] - '0'));
          }
          out.Unit(unit);
        } else {
          out.Byte(e);
        }
    }
  }
  return std::nullopt;
}

std::optional<std::uint32_t> ParseHexNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : digits) {
    const int v = HexValue(c);
    if (v < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(v);
  }
  return value;
}

// Case-folded (ASCII), single backslashes, none at either end.
std::string NormaliseKey(std::string_view key) {
  std::string result;
  std::size_t pos = 0;
  while (pos < key.size()) {
    std::size_t cut = key.find('\\', pos);
    if (cut == std::string_view::npos) cut = key.size();
    if (cut > pos) {
      if (!result.empty()) result += '\\';
      for (const char c : key.substr(pos, cut - pos)) result += AsciiLower(c);
    }
    pos = cut + 1;
  }
  return result;
}

// The key as Wine writes it in a header when it is plain ASCII: each backslash doubled.
std::string PlainHeaderForm(const std::string& key) {
  std::string form;
  for (const char c : key) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u >= 0x7F || c == '[' || c == ']') return {};
    if (c == '\\') form += '\\';
    form += c;
  }
  return form + ']';
}

// True when the header text (after "[") holds only ASCII whose only escapes are doubled
// backslashes between non-empty names: then comparing bytes is comparing keys.
bool IsPlainHeader(std::string_view header) {
  const char* p = header.data();
  const char* const end = p + header.size();
  if (p != end && *p == '\\') return false;
  for (; p != end && *p != ']'; ++p) {
    if (static_cast<unsigned char>(*p) >= 0x80) return false;
    if (*p == '\\') {
      if (p + 1 == end || p[1] != '\\') return false;
      if (p + 2 != end && (p[2] == '\\' || p[2] == ']')) return false;
      ++p;
    }
  }
  return true;
}

struct Wanted {
  std::string key;    // normalised
  std::string plain;  // PlainHeaderForm, "" when there is none
};

// True when the header's first bytes already tell it from every key asked for: it agrees
// with a key's plain form up to a byte that is an ordinary name character there, which no
// escape or backslash later in the header can change. Most headers of a large registry
// are told apart by their first few bytes this way.
bool DiffersEarly(std::string_view header, const std::vector<Wanted>& wanted) {
  for (const Wanted& key : wanted) {
    if (key.plain.empty()) return false;
    const std::size_t shorter = std::min(header.size(), key.plain.size());
    std::size_t same = 0;
    while (same < shorter && AsciiLower(header[same]) == AsciiLower(key.plain[same])) ++same;
    if (same == header.size() || same == key.plain.size()) return false;
    const char c = header[same];
    if (c == '\\' || c == ']' || c < 0x20 || c >= 0x7F) return false;
  }
  return true;
}

bool HeaderNames(std::string_view header, const Wanted& wanted, bool plainHeader,
                 const std::optional<std::string>& decoded) {
  if (plainHeader) {
    return !wanted.plain.empty() && StartsWithIgnoringAsciiCase(header, wanted.plain);
  }
  return decoded && *decoded == wanted.key;
}

// Hex bytes "01,02,ff" in data, and in the lines after it while a line ends in "\".
template <class Lines>
std::optional<std::string> ReadHexBytes(std::string_view data, Lines& lines) {
  std::string joined(TrimBlanks(data));
  while (!joined.empty() && joined.back() == '\\') {
    joined.pop_back();
    std::string_view next;
    if (!lines.Next(next)) return std::nullopt;
    joined += TrimBlanks(next);
  }
  std::string bytes;
  if (TrimBlanks(joined).empty()) return bytes;
  std::size_t pos = 0;
  for (;;) {
    std::size_t cut = joined.find(',', pos);
    const std::string_view token =
        TrimBlanks(std::string_view(joined).substr(pos, cut == std::string::npos ? cut : cut - pos));
    if (token.empty() || token.size() > 2) return std::nullopt;
    const auto v = ParseHexNumber(token);
    if (!v) return std::nullopt;
    bytes += static_cast<char>(*v);
    if (cut == std::string::npos) return bytes;
    pos = cut + 1;
  }
}

// The data after "=": Found with the text, NotText, or nullopt for a line that can't be read.
template <class Lines>
std::optional<RegistryText> ReadData(std::string_view data, Lines& lines) {
  if (data.starts_with('"')) {
    std::size_t pos = 1;
    auto text = ReadEscaped(data, pos, '"');
    if (!text) return std::nullopt;
    return RegistryText{RegistryTextResult::Found, std::move(*text)};
  }
  const bool str = StartsWithIgnoringAsciiCase(data, "str(");
  const bool hexTyped = StartsWithIgnoringAsciiCase(data, "hex(");
  if (str || hexTyped) {
    const std::size_t close = data.find(')');
    if (close == std::string_view::npos) return std::nullopt;
    const auto type = ParseHexNumber(data.substr(4, close - 4));
    if (!type) return std::nullopt;
    const std::string_view rest = data.substr(close + 1);
    if (str) {
      if (!rest.starts_with(":\"")) return std::nullopt;
      std::size_t pos = 2;
      auto text = ReadEscaped(rest, pos, '"');
      if (!text) return std::nullopt;
      if (*type != 1) return RegistryText{RegistryTextResult::NotText, {}};
      return RegistryText{RegistryTextResult::Found, std::move(*text)};
    }
    if (!rest.starts_with(':')) return std::nullopt;
    const auto bytes = ReadHexBytes(rest.substr(1), lines);
    if (!bytes) return std::nullopt;
    if (*type != 1) return RegistryText{RegistryTextResult::NotText, {}};
    Utf8Builder text;
    for (std::size_t i = 0; i + 1 < bytes->size(); i += 2) {
      text.Unit(static_cast<char16_t>(static_cast<unsigned char>((*bytes)[i]) |
                                      (static_cast<unsigned char>((*bytes)[i + 1]) << 8)));
    }
    std::string result = text.Take();
    while (!result.empty() && result.back() == '\0') result.pop_back();
    return RegistryText{RegistryTextResult::Found, std::move(result)};
  }
  if (StartsWithIgnoringAsciiCase(data, "dword:")) {
    if (!ParseHexNumber(TrimBlanks(data.substr(6)))) return std::nullopt;
    return RegistryText{RegistryTextResult::NotText, {}};
  }
  if (StartsWithIgnoringAsciiCase(data, "hex:")) {
    if (!ReadHexBytes(data.substr(4), lines)) return std::nullopt;
    return RegistryText{RegistryTextResult::NotText, {}};
  }
  return std::nullopt;
}

// plainReading: every header decoded, none told apart early (the reference for the rest).
template <class Lines>
RegistryText Scan(Lines& lines, std::span<const std::string_view> keyPaths,
                  std::string_view valueName, bool plainReading = false) {
  std::vector<Wanted> wanted;
  for (const std::string_view path : keyPaths) {
    std::string key = NormaliseKey(path);
    std::string plain = PlainHeaderForm(key);
    wanted.push_back({std::move(key), std::move(plain)});
  }
  std::vector<RegistryText> found(wanted.size());

  std::string_view raw;
  if (!lines.Next(raw) || TrimBlanks(raw) != "WINE REGISTRY Version 2") return {};

  std::vector<std::size_t> current;  // the wanted keys whose values follow
  bool continuing = false;           // the line before was hex data going on
  for (;;) {
    if constexpr (requires { lines.SkipToKeyHeader(continuing); }) {
      if (current.empty() && !lines.SkipToKeyHeader(continuing)) break;
    }
    if (!lines.Next(raw)) break;
    raw = TrimBlanks(raw);
    if (continuing) {
      continuing = !raw.empty() && raw.back() == '\\';
      continue;
    }
    if (raw.empty()) continue;
    if (raw.front() == '[') {
      current.clear();
      const std::string_view header = raw.substr(1);
      if (!plainReading && DiffersEarly(header, wanted)) continue;
      const bool plain = IsPlainHeader(header);
      std::optional<std::string> decoded;
      if (!plain) {
        std::size_t pos = 1;
        decoded = ReadEscaped(raw, pos, ']');
        if (decoded) decoded = NormaliseKey(*decoded);
      }
      for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (HeaderNames(header, wanted[i], plain, decoded)) current.push_back(i);
      }
      continue;
    }
    if (raw.front() != '"' && raw.front() != '@') continue;
    if (current.empty()) {
      continuing = raw.back() == '\\';
      continue;
    }
    std::optional<std::string> name;
    std::size_t pos = 1;
    if (raw.front() == '@') {
      name = std::string();
    } else {
      name = ReadEscaped(raw, pos, '"');
    }
    if (!name) continue;
    const std::string_view rest = TrimBlanks(raw.substr(pos));
    if (!rest.starts_with('=') || !EqualIgnoringAsciiCase(*name, valueName)) {
      continuing = raw.back() == '\\';
      continue;
    }
    if (auto data = ReadData(TrimBlanks(rest.substr(1)), lines)) {
      for (const std::size_t i : current) found[i] = *data;
    }
  }
  for (RegistryText& result : found) {
    if (result.result != RegistryTextResult::Missing) return std::move(result);
  }
  return {};
}

}  // namespace

RegistryText FindRegistryText(const fs::path& file, std::span<const std::string_view> keyPaths,
                              std::string_view valueName) {
  std::error_code error;
  if (!fs::is_regular_file(file, error)) return {};
  const std::uintmax_t size = fs::file_size(file, error);
  if (error || size > kLargestRegistryFile) return {};
  FileSource source(file);
  if (!source.IsOpen()) return {};
  BlockLines lines(std::move(source), kRegistryBlockBytes);
  return Scan(lines, keyPaths, valueName);
}

RegistryText FindRegistryTextIn(std::string_view text, std::span<const std::string_view> keyPaths,
                                std::string_view valueName, ScanMethod method) {
  if (method.lineByLine) {
    MemoryLines lines(text);
    return Scan(lines, keyPaths, valueName, true);
  }
  BlockLines lines(MemorySource(text), method.blockBytes);
  return Scan(lines, keyPaths, valueName);
}

}  // namespace zpk::platform
