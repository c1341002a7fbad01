// Window geometry: the designed sizes are in twips (1/1440 inch), turned into
// pixels at the screen's real resolution; the designed font is asked for by
// name with the system's sans-serif font where it is missing.
#ifndef VELMORA_APP_GEOMETRY_H
#define VELMORA_APP_GEOMETRY_H

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

class QPaintDevice;

namespace velmora {

inline constexpr int kTwipsPerInch = 1440;

class TwipsScale {
 public:
  TwipsScale(double dpi_x, double dpi_y) : dpi_x_(dpi_x), dpi_y_(dpi_y) {}
  // The logical resolution of the device (a widget: its screen).
  explicit TwipsScale(const QPaintDevice& device);

  int X(int twips) const;
  int Y(int twips) const;
  QRect Rect(int left, int top, int width, int height) const;

 private:
  double dpi_x_;
  double dpi_y_;
};

// "MS Sans Serif" at `points`, falling back on the system's sans-serif font.
QFont FormFont(double points, bool bold);

// The size a one-line text takes in `font`, with `padding` added on each side.
QSize TextSize(const QFont& font, const QString& text, QSize padding);

// The first pixel column right of, and the first row below, a rectangle.
inline int RightOf(const QRect& rect) { return rect.x() + rect.width(); }
inline int BottomOf(const QRect& rect) { return rect.y() + rect.height(); }

// The width a window manager's title bar needs for the whole caption: the
// text in a bold title font with some slack for themes with larger fonts,
// and room for the icon and three buttons.
int CaptionWidth(const QString& caption);

// `designed` grown where needed so that `needed` fits in it; its top-left
// corner stays where it is.
QRect GrowToFit(QRect designed, QSize needed);

}  // namespace velmora

#endif
