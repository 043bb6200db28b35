// Looking at rendered pixels: colours near a point, the ink of one colour inside a box, and
// what differs from the background outside a rectangle.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <cmath>
#include <sstream>
#include <string>

namespace tv::canvas::testing {

// The colours found within radius pixels of p, for a failure message.
inline std::string ColoursNear(const QImage& image, QPointF p, int radius = 1) {
  std::ostringstream out;
  const int cx = static_cast<int>(std::floor(p.x())), cy = static_cast<int>(std::floor(p.y()));
  for (int y = cy - radius; y <= cy + radius; ++y)
    for (int x = cx - radius; x <= cx + radius; ++x)
      if (image.valid(x, y)) out << QColor(image.pixel(x, y)).name().toStdString() << ' ';
  return out.str();
}

// True when some pixel within radius of p has exactly colour c.
inline bool HasColourNear(const QImage& image, QPointF p, const QColor& c, int radius = 1) {
  const int cx = static_cast<int>(std::floor(p.x())), cy = static_cast<int>(std::floor(p.y()));
  for (int y = cy - radius; y <= cy + radius; ++y)
    for (int x = cx - radius; x <= cx + radius; ++x)
      if (image.valid(x, y) && QColor(image.pixel(x, y)).rgb() == c.rgb()) return true;
  return false;
}

// Bounding box of the pixels that differ from the background inside area (empty when none).
inline QRect InkBox(const QImage& image, const QRect& area, const QColor& background) {
  QRect box;
  for (int y = std::max(area.top(), 0); y <= std::min(area.bottom(), image.height() - 1); ++y)
    for (int x = std::max(area.left(), 0); x <= std::min(area.right(), image.width() - 1); ++x)
      if (QColor(image.pixel(x, y)).rgb() != background.rgb()) box |= QRect(x, y, 1, 1);
  return box;
}

// Pixels of exactly colour c inside area.
inline int CountColour(const QImage& image, const QRect& area, const QColor& c) {
  int count = 0;
  for (int y = std::max(area.top(), 0); y <= std::min(area.bottom(), image.height() - 1); ++y)
    for (int x = std::max(area.left(), 0); x <= std::min(area.right(), image.width() - 1); ++x)
      if (QColor(image.pixel(x, y)).rgb() == c.rgb()) ++count;
  return count;
}

// Pixels that differ from the background and lie outside keep.
inline int InkOutside(const QImage& image, const QRect& keep, const QColor& background) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (!keep.contains(x, y) && QColor(image.pixel(x, y)).rgb() != background.rgb()) ++count;
  return count;
}

// The screen rectangle of a drawing rectangle, widened by margin pixels.
template <class View>
QRect ScreenRect(const View& view, double left, double bottom, double right, double top, int margin) {
  const QPointF a(view.DrawingToScreenX(left), view.DrawingToScreenY(top));
  const QPointF b(view.DrawingToScreenX(right), view.DrawingToScreenY(bottom));
  return QRectF(a, b).normalized().toAlignedRect().adjusted(-margin, -margin, margin, margin);
}

}  // namespace tv::canvas::testing
