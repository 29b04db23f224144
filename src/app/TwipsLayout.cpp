#include "app/TwipsLayout.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace zpk::app {

namespace {
double ScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}
}  // namespace

TwipsLayout::TwipsLayout(double dpi) : dpi_(dpi > 0 ? dpi : ScreenDpi()) {}

int TwipsLayout::Pixels(int twips) const {
  return static_cast<int>(std::lround(twips * dpi_ / 1440.0));
}

QRect TwipsLayout::Rect(int left, int top, int width, int height) const {
  // Both edges are converted, so that controls that touch in twips touch on screen.
  const int x = Pixels(left);
  const int y = Pixels(top);
  return QRect(x, y, Pixels(left + width) - x, Pixels(top + height) - y);
}

QSize TwipsLayout::Size(int width, int height) const { return QSize(Pixels(width), Pixels(height)); }

QFont WindowFont() {
  QFont font;
  if (QFontDatabase::hasFamily(QStringLiteral("Tahoma"))) {
    font.setFamily(QStringLiteral("Tahoma"));
  } else {
    // The font configuration's generic sans-serif family: whatever the platform prefers.
    font.setFamily(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
  }
  font.setPointSizeF(8.25);
  font.setWeight(QFont::Normal);
  return font;
}

QFont BoldFont() {
  QFont font = WindowFont();
  font.setWeight(QFont::Bold);
  return font;
}

}  // namespace zpk::app
