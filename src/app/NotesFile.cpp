#include "app/NotesFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <array>
#include <optional>

#include "app/QtPathText.h"
#include "archive/Cp1252.h"

namespace zpk::app {

namespace {

// The menu entry that an installation puts into share/applications.
const QString kDesktopEntry = QStringLiteral("org.example.TidewaterZpkViewer.desktop");

// Windows-1252 byte of a UTF-16 unit, or '?' for characters the code page lacks.
char ToCp1252(char16_t unit) {
  static const std::array<char16_t, 32> kHigh = [] {
    std::array<char16_t, 32> high{};
    for (int b = 0x80; b <= 0x9F; ++b) {
      high[b - 0x80] = static_cast<char16_t>(archive::Cp1252ToCodePoint(static_cast<unsigned char>(b)));
    }
    return high;
  }();
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] == unit) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

QString SafeFileName(const QString& name) {
  static const QString kUnsafe = QStringLiteral("\\/:+*?<>|\"");
  QString safe = name;
  for (QChar& c : safe) {
    if (kUnsafe.contains(c)) c = u'_';
  }
  return safe;
}

std::filesystem::path NotesFolder(const std::filesystem::path& programFolder) {
  const QDir folder(FromFsPath(programFolder));
  const bool installed =
      folder.dirName() == QStringLiteral("bin") &&
      QFileInfo::exists(folder.filePath(QStringLiteral("../share/applications/") + kDesktopEntry));
  if (!installed && QFileInfo(folder.path()).isWritable()) return programFolder;
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(data);
  return ToFsPath(data);
}

std::filesystem::path NotesFilePath(const std::filesystem::path& notesFolder,
                                    const QString& archivePath) {
  return notesFolder / ToFsPath(SafeFileName(GetFileName(archivePath)) + QStringLiteral(".txt"));
}

QByteArray NotesFileBytes(const QString& text) {
  QByteArray bytes;
  bytes.reserve(text.size() + text.size() / 16 + 2);
  // A line's own CRs at its end would merge with the CR LF written after them and read
  // back as a different text, so they are left out; a CR inside a line is kept.
  const auto endLine = [&bytes] {
    while (bytes.endsWith('\r')) bytes.chop(1);
    bytes += "\r\n";
  };
  for (const QChar c : text) {
    if (c == u'\n') {
      endLine();
    } else if (c.isLowSurrogate()) {
      continue;  // its high surrogate has given the one "?" for the pair
    } else {
      bytes += ToCp1252(c.unicode());
    }
  }
  // Every line ends with CR LF; a text that ends with a line break has done so already.
  if (!text.isEmpty() && !text.endsWith(u'\n')) endLine();
  return bytes;
}

QString NotesTextFromBytes(const QByteArray& bytes) {
  const std::string utf8 = archive::Cp1252ToUtf8(std::string_view(bytes.constData(), bytes.size()));
  QString text = QString::fromStdString(utf8);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

namespace {

// The file's bytes, or nothing when there is no file or it can't be read.
std::optional<QByteArray> FileBytes(const QString& name) {
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

std::expected<void, QString> SaveBytes(const QString& name, const QByteArray& bytes) {
  QSaveFile file(name);
  // Where the folder allows no new file but the notes file itself is writable, write it
  // in place rather than fail.
  file.setDirectWriteFallback(true);
  // Unbuffered, so that bytes the file system refuses (full, or past a size limit) show in
  // write(): left in a buffer until commit(), their loss would go unreported there and a
  // cut file would replace the notes.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    return std::unexpected(file.errorString());
  }
  if (file.write(bytes) != bytes.size()) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return std::unexpected(reason);
  }
  if (!file.commit()) return std::unexpected(file.errorString());
  return {};
}

}  // namespace

std::expected<void, QString> WriteTextFile(const std::filesystem::path& path, const QString& text) {
  const QString name = FromFsPath(path);
  const std::optional<QByteArray> before = FileBytes(name);
  auto saved = SaveBytes(name, NotesFileBytes(text));
  // A save written in place has cut the old notes by the time a write is refused: they are
  // put back, which fits where they were (a save through a new file has left them alone).
  if (!saved && before && FileBytes(name) != before) {
    QFile file(name);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) file.write(*before);
  }
  return saved;
}

QString ReadTextFile(const std::filesystem::path& path) {
  QFile file(FromFsPath(path));
  if (!file.exists() || !file.open(QIODevice::ReadOnly)) return {};
  return NotesTextFromBytes(file.readAll());
}

}  // namespace zpk::app
