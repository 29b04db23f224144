#include "app/LinkLabel.h"

#include <QMouseEvent>

#include "app/ImageList.h"

namespace zpk::app {

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
  // Plain text and no buddy: "&" is neither markup nor an access key.
  setTextFormat(Qt::PlainText);
  setCursor(HandCursor());
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, QColor(0, 0, 255));
  setPalette(colours);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
}

}  // namespace zpk::app
