// The window's pictures, shipped as resources: the image list ilIcons with its two 16x16
// icons "icoWarn" (a warning triangle) and "icoOK" (a magnifying glass), the open-folder
// picture of the choose buttons, the window icon and the link labels' hand pointer.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace zpk::app {

class ImageList {
 public:
  // The image with this key; a null pixmap for a key the list does not have.
  QPixmap Image(const QString& key) const;
};

inline constexpr const char* kIconWarn = "icoWarn";
inline constexpr const char* kIconOk = "icoOK";

QIcon OpenFolderIcon();
QIcon ApplicationIcon();
QCursor HandCursor();

}  // namespace zpk::app
