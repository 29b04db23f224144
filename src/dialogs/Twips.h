// Twips (1/1440 inch) to pixels with a widget's logical DPI: the dialogs are laid out in
// twips, so they keep their proportions at any screen scaling.
#pragma once

#include <QRect>
#include <QWidget>
#include <cmath>

namespace zpk::dialogs {

inline int TwipsToPixelsX(const QWidget& widget, int twips) {
  return static_cast<int>(std::lround(twips * widget.logicalDpiX() / 1440.0));
}

inline int TwipsToPixelsY(const QWidget& widget, int twips) {
  return static_cast<int>(std::lround(twips * widget.logicalDpiY() / 1440.0));
}

// Places `control` at Left, Top, Width, Height given in twips, measured with the DPI of
// `form` (the control may not have its own screen yet).
inline void PlaceInTwips(QWidget& control, const QWidget& form, int left, int top, int width,
                         int height) {
  control.setGeometry(QRect(TwipsToPixelsX(form, left), TwipsToPixelsY(form, top),
                            TwipsToPixelsX(form, width), TwipsToPixelsY(form, height)));
}

}  // namespace zpk::dialogs
