// Fuzz target: the conversion of a file-dialog filter ("EXE files (*.exe)|*.exe") into the
// NUL-separated list the platform's dialogs read. The list must hold exactly the non-empty
// pieces of the filter in order, paired (an odd count gets "*.*"), and end with two NULs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QString>
#include <QStringList>

#include "options/FileDialogWrappers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString filter =
      QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QString list = zpk::options::ConvertFilter(filter);
  // A NUL inside a piece can't be told from the separator; callers' filters hold none.
  if (filter.contains(QChar(0))) return 0;

  QStringList expected = filter.split(u'|', Qt::SkipEmptyParts);
  if (expected.size() % 2 == 1) expected << QStringLiteral("*.*");
  if (expected.isEmpty()) {
    if (!list.isEmpty()) std::abort();
    return 0;
  }
  if (!list.endsWith(QString(2, QChar(0)))) std::abort();
  QStringList pieces = list.chopped(2).split(QChar(0));
  if (pieces != expected) std::abort();
  return 0;
}
