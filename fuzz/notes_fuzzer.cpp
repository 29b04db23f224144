// Fuzz target: the notes file's bytes. The first input byte says what the rest is: even, the
// bytes of a notes file; odd, a notes text as UTF-16 units (lone surrogates, CRs and all).
// Whatever it is, saving it and reading it back gives a text that the next save and read
// keep as it is, the saved bytes are lines each ended by CR LF, a file already in that form
// is saved unchanged, and a text the code page can hold comes back whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <QByteArray>
#include <QString>

#include "app/NotesFile.h"
#include "archive/Cp1252.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

using zpk::app::NotesFileBytes;
using zpk::app::NotesTextFromBytes;

// Lines each ended by CR LF: no LF without its CR, and no line ending in a CR of its own.
bool SavedForm(const QByteArray& bytes) {
  if (bytes.isEmpty()) return true;
  if (!bytes.endsWith("\r\n") || bytes.contains("\r\r\n")) return false;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
  }
  return true;
}

bool InCodePage(QChar c) {
  static const std::vector<bool> held = [] {
    std::vector<bool> table(0x10000, false);
    for (int b = 0; b < 256; ++b) table[zpk::archive::Cp1252ToCodePoint(static_cast<unsigned char>(b))] = true;
    return table;
  }();
  return held[c.unicode()];
}

// What one save and read must show: the text with its lines ended by the box's LF.
void CheckSaved(const QString& text) {
  const QByteArray saved = NotesFileBytes(text);
  Check(SavedForm(saved));
  Check(saved.isEmpty() == text.isEmpty());
  Check(saved.size() <= 2 * text.size() + 2);
  Check(saved.count('\n') == text.count(u'\n') + (!text.isEmpty() && !text.endsWith(u'\n')));

  const QString shown = NotesTextFromBytes(saved);
  const QByteArray savedAgain = NotesFileBytes(shown);
  Check(savedAgain == saved);
  Check(NotesTextFromBytes(savedAgain) == shown);

  bool whole = !text.contains(u'\r');
  for (const QChar c : text) whole = whole && InCodePage(c);
  if (whole) Check(shown == (text.isEmpty() || text.endsWith(u'\n') ? text : text + u'\n'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char* rest = reinterpret_cast<const char*>(data + 1);
  const auto restSize = static_cast<qsizetype>(size - 1);
  if (data[0] % 2 == 0) {
    const QByteArray file(rest, restSize);
    const QString text = NotesTextFromBytes(file);
    Check(text.size() <= file.size());
    if (SavedForm(file)) Check(NotesFileBytes(text) == file);
    CheckSaved(text);
  } else {
    QString text;
    for (qsizetype i = 0; i + 1 < restSize; i += 2) {
      text += QChar(static_cast<char16_t>(static_cast<unsigned char>(rest[i]) |
                                          static_cast<unsigned char>(rest[i + 1]) << 8));
    }
    CheckSaved(text);
  }
  return 0;
}
