#include "platform/WineRegistryFile.h"

#include <QStringView>
#include <cctype>
#include <optional>
#include <string>
#include <utility>

namespace zpk::platform {

namespace {

int HexValue(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'0' && u <= u'9') return u - u'0';
  if (u >= u'a' && u <= u'f') return u - u'a' + 10;
  if (u >= u'A' && u <= u'F') return u - u'A' + 10;
  return -1;
}

bool IsOctal(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'7'; }

// Reads escaped text from pos up to the unescaped terminator and moves pos behind it. False
// when the line ends first (a truncated file or a broken line).
bool ReadEscaped(QStringView line, qsizetype& pos, char16_t terminator, QString& out) {
  while (pos < line.size()) {
    const QChar c = line[pos++];
    if (c.unicode() == terminator) return true;
    if (c != u'\\') {
      out += c;
      continue;
    }
    if (pos >= line.size()) return false;
    const QChar e = line[pos++];
    switch (e.unicode()) {
      case u'a': out += QChar(7); break;
      case u'b': out += QChar(8); break;
      case u'e': out += QChar(27); break;
      case u'f': out += QChar(12); break;
      case u'n': out += QChar(10); break;
      case u'r': out += QChar(13); break;
      case u't': out += QChar(9); break;
      case u'v': out += QChar(11); break;
      case u'x': {
        // One UTF-16 unit in up to four hex digits; a bare \x stands for "x".
        char16_t unit = 0;
        int digits = 0;
        while (digits < 4 && pos < line.size() && HexValue(line[pos]) >= 0) {
          unit = static_cast<char16_t>(unit * 16 + HexValue(line[pos++]));
          ++digits;
        }
        out += digits == 0 ? QChar(u'x') : QChar(unit);
        break;
      }
      default:
        if (IsOctal(e)) {
          char16_t unit = e.unicode() - u'0';
          for (int more = 0; more < 2 && pos < line.size() && IsOctal(line[pos]); ++more) {
            unit = static_cast<char16_t>(unit * 8 + (line[pos++].unicode() - u'0'));
          }
          out += QChar(unit);
        } else {
          out += e;  // \\ \" \[ \] and anything else stand for themselves
        }
    }
  }
  return false;
}

// Up to eight hex digits and nothing else.
std::optional<std::uint32_t> ParseHexNumber(QStringView digits) {
  if (digits.isEmpty() || digits.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (const QChar c : digits) {
    const int v = HexValue(c);
    if (v < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(v);
  }
  return value;
}

// "01,02,ff" (spaces allowed around the commas); empty text is zero bytes.
std::optional<QByteArray> ParseHexBytes(QStringView text) {
  QByteArray bytes;
  if (text.trimmed().isEmpty()) return bytes;
  for (const QStringView token : text.split(u',')) {
    const QStringView t = token.trimmed();
    if (t.isEmpty() || t.size() > 2) return std::nullopt;
    const auto v = ParseHexNumber(t);
    if (!v) return std::nullopt;
    bytes.append(static_cast<char>(*v));
  }
  return bytes;
}

// Text types written as hex (Wine does so for strings without their terminating NUL).
QString TextFromUtf16Bytes(const QByteArray& bytes) {
  QString text;
  for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
    const auto lo = static_cast<unsigned char>(bytes[i]);
    const auto hi = static_cast<unsigned char>(bytes[i + 1]);
    text += QChar(static_cast<char16_t>(lo | (hi << 8)));
  }
  return text;
}

// The lines of the file's bytes, without their line ends (LF or CR LF). The file is decoded
// (UTF-8) a line at a time, and only the lines that are looked at closely.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  bool Next(std::string_view& line) {
    if (done_) return false;
    std::size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) {
      end = text_.size();
      done_ = true;
    }
    line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  bool done_ = false;
};

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool IsTextType(int type) { return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz; }

// The data after "=". Hex data may go on over the next lines (each ending in "\"), which
// are then taken from lines.
std::optional<RegData> ParseData(QStringView data, LineReader& lines) {
  RegData result;
  if (data.startsWith(u'"')) {
    qsizetype pos = 1;
    result.type = kRegSz;
    if (!ReadEscaped(data, pos, u'"', result.text)) return std::nullopt;
    return result;
  }
  if (data.startsWith(u"str(", Qt::CaseInsensitive)) {
    const qsizetype close = data.indexOf(u')');
    if (close < 0 || !data.mid(close + 1).startsWith(u":\"")) return std::nullopt;
    const auto type = ParseHexNumber(data.mid(4, close - 4));
    if (!type) return std::nullopt;
    result.type = static_cast<int>(*type);
    qsizetype pos = close + 3;
    if (!ReadEscaped(data, pos, u'"', result.text)) return std::nullopt;
    return result;
  }
  if (data.startsWith(u"dword:", Qt::CaseInsensitive)) {
    const auto number = ParseHexNumber(data.mid(6).trimmed());
    if (!number) return std::nullopt;
    result.type = kRegDword;
    result.number = *number;
    return result;
  }
  QStringView hexText;
  if (data.startsWith(u"hex:", Qt::CaseInsensitive)) {
    result.type = kRegBinary;
    hexText = data.mid(4);
  } else if (data.startsWith(u"hex(", Qt::CaseInsensitive)) {
    const qsizetype close = data.indexOf(u')');
    if (close < 0 || !data.mid(close + 1).startsWith(u':')) return std::nullopt;
    const auto type = ParseHexNumber(data.mid(4, close - 4));
    if (!type) return std::nullopt;
    result.type = static_cast<int>(*type);
    hexText = data.mid(close + 2);
  } else {
    return std::nullopt;
  }
  QString joined = hexText.trimmed().toString();
  while (joined.endsWith(u'\\')) {
    joined.chop(1);
    std::string_view next;
    if (!lines.Next(next)) return std::nullopt;  // the file ends inside the value
    joined += QString::fromUtf8(TrimBlanks(next));
  }
  auto bytes = ParseHexBytes(joined);
  if (!bytes) return std::nullopt;
  if (IsTextType(result.type)) {
    result.text = TextFromUtf16Bytes(*bytes);
    if (result.type != kRegMultiSz) {
      while (result.text.endsWith(QChar(0))) result.text.chop(1);
    }
  } else {
    result.bytes = std::move(*bytes);
  }
  return result;
}

// A value line: "Name"=data or @=data, spaces allowed around "=". nullopt when unreadable.
std::optional<std::pair<QString, RegData>> ParseValue(QStringView text, LineReader& lines) {
  QString name;
  qsizetype pos = 0;
  if (text.startsWith(u'@')) {
    pos = 1;
  } else {
    pos = 1;
    if (!ReadEscaped(text, pos, u'"', name)) return std::nullopt;
  }
  const QStringView rest = text.mid(pos).trimmed();
  if (!rest.startsWith(u'=')) return std::nullopt;
  auto data = ParseData(rest.mid(1).trimmed(), lines);
  if (!data) return std::nullopt;
  return std::pair{std::move(name), std::move(*data)};
}

// A wanted key as Wine writes it in a header, for comparing headers without decoding them;
// empty when the key has characters that Wine would write in other ways.
std::string PlainHeaderForm(const QString& key) {
  std::string form;
  for (const QChar c : key) {
    const char16_t u = c.unicode();
    if (u < 0x20 || u >= 0x7F || u == u'[' || u == u']') return {};
    if (u == u'\\') form += '\\';
    form += static_cast<char>(u);
  }
  return form;
}

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view start) {
  if (text.size() < start.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(start[i]))) {
      return false;
    }
  }
  return true;
}

// False when the header (after its "[") can't name any of the wanted keys or a key below
// one: checked on the bytes where the header is plain ASCII whose only escapes are doubled
// backslashes, which is how Wine writes nearly every key. Anything else is decoded in full.
bool HeaderMightMatch(std::string_view header, const std::vector<std::string>& plainForms) {
  bool plain = !header.starts_with('\\');
  for (std::size_t i = 0; plain && i < header.size() && header[i] != ']'; ++i) {
    const auto c = static_cast<unsigned char>(header[i]);
    if (c >= 0x80) plain = false;
    if (c == '\\') {
      // Two escaped separators in a row enclose an empty name, which normalising drops.
      plain = i + 1 < header.size() && header[i + 1] == '\\' &&
              !std::string_view(header.substr(i + 2)).starts_with("\\\\");
      ++i;
    }
  }
  if (!plain) return true;
  for (const std::string& form : plainForms) {
    if (form.empty() || StartsWithIgnoringAsciiCase(header, form)) return true;
  }
  return false;
}

}  // namespace

QString NormaliseWineKeyPath(const QString& keyPath) {
  QString result;
  for (const QStringView part : QStringView(keyPath).split(u'\\', Qt::SkipEmptyParts)) {
    if (!result.isEmpty()) result += u'\\';
    result += part;
  }
  return result.toCaseFolded();
}

const RegData* WineRegistryKey::Find(const QString& valueName) const {
  const auto value = values.constFind(valueName.toCaseFolded());
  return value == values.cend() ? nullptr : &*value;
}

std::vector<WineRegistryKey> FindWineRegistryKeys(std::string_view bytes,
                                                  const QStringList& keyPaths) {
  std::vector<WineRegistryKey> keys(static_cast<std::size_t>(keyPaths.size()));
  QStringList wanted;
  for (const QString& path : keyPaths) wanted << NormaliseWineKeyPath(path);

  std::vector<std::string> plainForms;
  for (const QString& key : wanted) plainForms.push_back(PlainHeaderForm(key));

  LineReader lines(bytes);
  std::string_view raw;
  // Wine itself refuses a file without this first line.
  if (!lines.Next(raw) || TrimBlanks(raw) != "WINE REGISTRY Version 2") return keys;

  std::vector<std::size_t> current;  // the wanted keys whose values follow
  while (lines.Next(raw)) {
    raw = TrimBlanks(raw);
    if (raw.empty() || raw.front() == ';' || raw.front() == '#') continue;
    if (raw.front() == '[') {
      // A header without its closing bracket ends the key before it; its values are dropped.
      current.clear();
      if (!HeaderMightMatch(raw.substr(1), plainForms)) continue;
      const QString line = QString::fromUtf8(raw);
      QString name;
      qsizetype pos = 1;
      if (!ReadEscaped(line, pos, u']', name)) continue;
      name = NormaliseWineKeyPath(name);
      for (std::size_t i = 0; i < keys.size(); ++i) {
        const QString& key = wanted[static_cast<qsizetype>(i)];
        if (name == key) {
          keys[i].exists = true;
          current.push_back(i);
        } else if (key.isEmpty() || (name.size() > key.size() && name[key.size()] == u'\\' &&
                                     name.startsWith(key))) {
          keys[i].exists = true;  // a key below it
        }
      }
      continue;
    }
    if (raw.front() != '"' && raw.front() != '@') continue;
    // Values of keys nobody asked for are not even decoded, except that hex data going on
    // over the next lines (which needs a backslash) must take those lines with it, as it
    // does when decoded: else a following line would be read as a key header or not,
    // depending on which other keys were asked for.
    if (current.empty()) {
      if (raw.find('\\') != std::string_view::npos) ParseValue(QString::fromUtf8(raw), lines);
      continue;
    }
    if (auto value = ParseValue(QString::fromUtf8(raw), lines)) {
      const QString folded = value->first.toCaseFolded();
      for (const std::size_t i : current) keys[i].values.insert(folded, value->second);
    }
  }
  return keys;
}

}  // namespace zpk::platform
