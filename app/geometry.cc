#include "app/geometry.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>

namespace velmora {

TwipsScale::TwipsScale(const QPaintDevice& device)
    : dpi_x_(device.logicalDpiX()), dpi_y_(device.logicalDpiY()) {}

int TwipsScale::X(int twips) const {
  return static_cast<int>(std::lround(twips * dpi_x_ / kTwipsPerInch));
}

int TwipsScale::Y(int twips) const {
  return static_cast<int>(std::lround(twips * dpi_y_ / kTwipsPerInch));
}

QRect TwipsScale::Rect(int left, int top, int width, int height) const {
  return QRect(X(left), Y(top), X(width), Y(height));
}

QFont FormFont(double points, bool bold) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

QSize TextSize(const QFont& font, const QString& text, QSize padding) {
  const QFontMetrics metrics(font);
  return QSize(metrics.horizontalAdvance(text) + 2 * padding.width(),
               metrics.height() + 2 * padding.height());
}

int CaptionWidth(const QString& caption) {
  QFont font = QApplication::font();
  font.setBold(true);
  const QFontMetrics metrics(font);
  return metrics.horizontalAdvance(caption) * 5 / 4 + 8 * metrics.height();
}

QRect GrowToFit(QRect designed, QSize needed) {
  designed.setWidth(std::max(designed.width(), needed.width()));
  designed.setHeight(std::max(designed.height(), needed.height()));
  return designed;
}

}  // namespace velmora
