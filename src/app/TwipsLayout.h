// Placing controls by twips (1/1440 inch), converted to pixels with the screen's logical
// resolution: 15 twips are one pixel at 96 dpi, proportionally fewer twips per pixel on
// screens of higher resolution.
#pragma once

#include <QFont>
#include <QRect>

namespace zpk::app {

class TwipsLayout {
 public:
  // dpi 0 takes the logical resolution of the primary screen (96 without a screen).
  explicit TwipsLayout(double dpi = 0);

  double Dpi() const { return dpi_; }
  int Pixels(int twips) const;
  QRect Rect(int left, int top, int width, int height) const;
  QSize Size(int width, int height) const;

 private:
  double dpi_;
};

// Tahoma 8.25 pt where it is installed, else the platform's sans-serif at that size.
QFont WindowFont();
// The window font at weight 700.
QFont BoldFont();

}  // namespace zpk::app
