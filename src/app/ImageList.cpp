#include "app/ImageList.h"

#include <QImage>

// The pictures are compiled into this static library; a program that links it must run
// the resource's initialiser itself, or the linker drops the unreferenced data.
static void InitImageResources() { Q_INIT_RESOURCE(images); }

namespace zpk::app {

namespace {
void EnsureImages() {
  static const bool done = (InitImageResources(), true);
  (void)done;
}
}  // namespace

QPixmap ImageList::Image(const QString& key) const {
  EnsureImages();
  if (key != QLatin1String(kIconWarn) && key != QLatin1String(kIconOk)) return {};
  return QPixmap(QStringLiteral(":/app/%1.xpm").arg(key));
}

QIcon OpenFolderIcon() {
  EnsureImages();
  return QIcon(QStringLiteral(":/app/folder.xpm")); }

QIcon ApplicationIcon() {
  EnsureImages();
  QIcon icon;
  icon.addFile(QStringLiteral(":/app/app32.xpm"), QSize(32, 32));
  icon.addFile(QStringLiteral(":/app/app48.xpm"), QSize(48, 48));
  return icon;
}

QCursor HandCursor() {
  EnsureImages();
  // The hot spot is the tip of the pointing finger.
  return QCursor(QPixmap(QStringLiteral(":/app/hand.xpm")), 6, 0);
}

}  // namespace zpk::app
