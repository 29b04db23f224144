#include "platform/WineRegistryFile.h"

#include <QList>
#include <QStringView>
#include <optional>
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

bool IsTextType(int type) { return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz; }

// The data after "=". Hex data may go on over the next lines (each ending in "\"); line is
// then moved to the last line used.
std::optional<RegData> ParseData(QStringView data, const QList<QStringView>& lines,
                                 qsizetype& line) {
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
    if (++line >= lines.size()) return std::nullopt;  // the file ends inside the value
    joined += lines[line].trimmed();
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
std::optional<std::pair<QString, RegData>> ParseValue(QStringView text,
                                                      const QList<QStringView>& lines,
                                                      qsizetype& line) {
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
  auto data = ParseData(rest.mid(1).trimmed(), lines, line);
  if (!data) return std::nullopt;
  return std::pair{std::move(name), std::move(*data)};
}

}  // namespace

QString WineRegistryFile::NormaliseKeyPath(const QString& keyPath) {
  QString result;
  for (const QStringView part : QStringView(keyPath).split(u'\\', Qt::SkipEmptyParts)) {
    if (!result.isEmpty()) result += u'\\';
    result += part;
  }
  return result.toCaseFolded();
}

void WineRegistryFile::AddKey(const QString& keyPath) {
  QString key = NormaliseKeyPath(keyPath);
  // Every key above a known one is known too, so the climb stops at the first known one.
  while (!key.isEmpty() && !keys_.contains(key)) {
    keys_.insert(key);
    const qsizetype cut = key.lastIndexOf(u'\\');
    key = cut < 0 ? QString() : key.left(cut);
  }
}

void WineRegistryFile::SetValue(const QString& keyPath, const QString& valueName, RegData data) {
  AddKey(keyPath);
  values_[NormaliseKeyPath(keyPath)].insert(valueName.toCaseFolded(), std::move(data));
}

bool WineRegistryFile::HasKey(const QString& keyPath) const {
  const QString key = NormaliseKeyPath(keyPath);
  return key.isEmpty() ? !keys_.isEmpty() : keys_.contains(key);
}

const RegData* WineRegistryFile::FindValue(const QString& keyPath,
                                           const QString& valueName) const {
  const auto key = values_.constFind(NormaliseKeyPath(keyPath));
  if (key == values_.cend()) return nullptr;
  const auto value = key->constFind(valueName.toCaseFolded());
  return value == key->cend() ? nullptr : &*value;
}

WineRegistryFile ParseWineRegistry(std::string_view bytes) {
  WineRegistryFile file;
  const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QList<QStringView> lines = QStringView(text).split(u'\n');
  for (QStringView& line : lines) {
    if (line.endsWith(u'\r')) line.chop(1);
  }
  // Wine itself refuses a file without this first line.
  if (lines.isEmpty() || lines[0].trimmed() != u"WINE REGISTRY Version 2") return file;

  std::optional<QString> key;  // nullopt before the first key and after a broken header
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QStringView line = lines[i].trimmed();
    if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#')) continue;
    if (line.startsWith(u'[')) {
      QString name;
      qsizetype pos = 1;
      key.reset();
      if (ReadEscaped(line, pos, u']', name)) {
        key = name;
        file.AddKey(name);
      }
      continue;
    }
    if (!key || !(line.startsWith(u'"') || line.startsWith(u'@'))) continue;
    if (auto value = ParseValue(line, lines, i)) {
      file.SetValue(*key, value->first, std::move(value->second));
    }
  }
  return file;
}

}  // namespace zpk::platform
