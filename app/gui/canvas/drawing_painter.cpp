#include "gui/canvas/drawing_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace tv::canvas {
namespace {

// Fonts are measured at this pixel size and scaled from it.
constexpr double kReferencePixels = 100;
// Texts lower than this on the device are drawn as a line along their base (no glyph could
// be read there, and a dense sheet would spend its time on them).
constexpr double kGreekPixels = 3;
// Curves are split finely enough to deviate from the true curve by at most this (pixels).
constexpr double kChordPixels = 0.5;

// Family of a style's font file ("arial.ttf" -> "arial"); "" for the drawing's own stroke
// fonts, which no typeface on this system renders.
QString FamilyOfFontFile(const std::string& name) {
  QString family = QString::fromStdString(name).trimmed();
  const qsizetype slash = std::max(family.lastIndexOf(u'/'), family.lastIndexOf(u'\\'));
  if (slash >= 0) family = family.mid(slash + 1);
  const qsizetype dot = family.lastIndexOf(u'.');
  if (dot > 0) {
    const QString extension = family.mid(dot + 1).toLower();
    if (extension == u"shx") return {};
    family = family.left(dot);
  }
  return family;
}

bool Overlaps(const QRectF& box, const DrawingWindow& w) {
  return box.right() >= w.left && box.left() <= w.right && box.bottom() >= w.bottom && box.top() <= w.top;
}

}  // namespace

QColor ColorOf(std::int32_t bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QColor ContrastTo(const QColor& background) {
  const int luma = (background.red() * 299 + background.green() * 587 + background.blue() * 114) / 1000;
  return luma >= 128 ? QColor(Qt::black) : QColor(Qt::white);
}

std::optional<DrawingWindow> DrawingPainter::CurrentWindow(const drawing::Drawing& drawing) {
  float left, top, right, bottom;
  if (!drawing.GetCurrentZoom(left, top, right, bottom)) return std::nullopt;
  return DrawingWindow{left, top, right, bottom};
}

std::optional<DrawingWindow> DrawingPainter::ExtentsWindow(const drawing::Drawing& drawing) {
  float left, top, right, bottom;
  if (!drawing.GetExtents(left, top, right, bottom)) return std::nullopt;
  DrawingWindow w{left, std::max(top, bottom), right, std::min(top, bottom)};
  // A drawing of one straight line still needs a window of some size across it.
  const double size = std::max({w.right - w.left, w.top - w.bottom, 1e-6});
  if (w.right - w.left < size * 1e-3) w.left -= size * 5e-4, w.right += size * 5e-4;
  if (w.top - w.bottom < size * 1e-3) w.bottom -= size * 5e-4, w.top += size * 5e-4;
  return w;
}

int DrawingPainter::FontIndex(const std::string& name, const QString& drawingFontFamily) {
  QString family = FamilyOfFontFile(name);
  if (family.isEmpty()) family = drawingFontFamily;
  for (std::size_t i = 0; i < fonts_.size(); ++i)
    if (fonts_[i].family == family) return static_cast<int>(i);
  Font f;
  f.family = family;
  f.font = family.isEmpty() ? QFont() : QFont(family);
  f.font.setStyleHint(QFont::SansSerif);
  f.font.setPixelSize(static_cast<int>(kReferencePixels));
  const QFontMetricsF metrics(f.font);
  f.capHeight = metrics.capHeight() > 0 ? metrics.capHeight() : metrics.ascent() * 0.7;
  f.descent = metrics.descent();
  fonts_.push_back(f);
  return static_cast<int>(fonts_.size() - 1);
}

void DrawingPainter::Prepare(const drawing::Drawing& drawing, double tolerance,
                             const QString& drawingFontFamily) {
  const drawing::DisplayList list = drawing.BuildDisplayList(tolerance);
  paths_.clear();
  texts_.clear();
  fonts_.clear();
  paths_.reserve(list.paths.size());
  for (const drawing::DisplayPath& p : list.paths) {
    if (p.points.empty()) continue;
    Path path;
    path.points.reserve(static_cast<qsizetype>(p.points.size()));
    double x0 = p.points[0].x, x1 = x0, y0 = p.points[0].y, y1 = y0;
    for (const drawing::Vec2& v : p.points) {
      path.points.append(QPointF(v.x, v.y));
      x0 = std::min(x0, v.x), x1 = std::max(x1, v.x), y0 = std::min(y0, v.y), y1 = std::max(y1, v.y);
    }
    path.box = QRectF(QPointF(x0, y0), QPointF(x1, y1));
    path.color = p.color;
    path.closed = p.closed;
    path.filled = p.filled;
    paths_.push_back(std::move(path));
  }
  texts_.reserve(list.texts.size());
  for (const drawing::DisplayText& t : list.texts) {
    if (t.text.empty() || !(t.height > 0) || !std::isfinite(t.height)) continue;
    Text text;
    text.text = QString::fromStdString(t.text);
    text.position = QPointF(t.position.x, t.position.y);
    text.height = t.height;
    text.rotation = t.rotation;
    text.widthFactor = t.widthFactor > 0 ? t.widthFactor : 1;
    text.hAlign = t.hAlign;
    text.vAlign = t.vAlign;
    text.font = FontIndex(t.font, drawingFontFamily);
    text.color = t.color;
    const Font& font = fonts_[static_cast<std::size_t>(text.font)];
    text.advance = QFontMetricsF(font.font).horizontalAdvance(text.text);
    const double k = text.height / font.capHeight;
    const double width = text.advance * k * text.widthFactor;
    const double up = (kReferencePixels + font.descent) * k;
    text.radius = std::hypot(width, up) + text.height;
    texts_.push_back(std::move(text));
  }
  drawing_ = &drawing;
  revision_ = drawing.Revision();
  tolerance_ = tolerance;
  drawingFontFamily_ = drawingFontFamily;
  prepared_ = true;
}

void DrawingPainter::Paint(QPainter& painter, const drawing::Drawing& drawing, const QRectF& target,
                           const DrawingWindow& window, const PaintOptions& options) {
  painter.save();
  painter.setClipRect(target, Qt::IntersectClip);
  const QColor background = ColorOf(options.backColor);
  if (options.fillBackground) painter.fillRect(target, background);

  DrawingWindow w = window;
  if (w.left > w.right) std::swap(w.left, w.right);
  if (w.bottom > w.top) std::swap(w.bottom, w.top);
  const double ww = w.right - w.left, wh = w.top - w.bottom;
  if (!(ww > 0) || !(wh > 0) || !std::isfinite(ww) || !std::isfinite(wh) || target.isEmpty()) {
    painter.restore();
    return;
  }
  const double s = std::min(target.width() / ww, target.height() / wh);
  // The window may be narrower than the target in one direction: it is centred, and what
  // the target shows beyond it is drawn too.
  const double ox = target.left() + (target.width() - ww * s) / 2;
  const double oy = target.top() + (target.height() - wh * s) / 2;
  const DrawingWindow shown{w.left - (ox - target.left()) / s, w.top + (oy - target.top()) / s,
                            w.left + (target.right() - ox) / s, w.top - (target.bottom() - oy) / s};

  // Chords in steps of powers of two: a view looks the same each time it is shown, and a
  // small zoom keeps the list.
  const double tolerance = std::exp2(std::floor(std::log2(kChordPixels / s)));
  if (!prepared_ || drawing_ != &drawing || revision_ != drawing.Revision() ||
      drawingFontFamily_ != options.drawingFontFamily || tolerance != tolerance_) {
    Prepare(drawing, tolerance, options.drawingFontFamily);
  }

  auto toDevice = [&](const QPointF& p) {
    return QPointF(ox + (p.x() - w.left) * s, oy + (w.top - p.y()) * s);
  };
  const QColor contrast = ContrastTo(background);
  auto shownColor = [&](std::int32_t bgr) {
    if (options.blackWhite) return contrast;
    const QColor c = ColorOf(bgr);
    // A colour that matches the background would vanish (white lines on a white screen).
    const int distance = std::abs(c.red() - background.red()) + std::abs(c.green() - background.green()) +
                         std::abs(c.blue() - background.blue());
    return distance < 48 ? contrast : c;
  };

  painter.setRenderHint(QPainter::Antialiasing, false);
  QPen pen(Qt::black);
  pen.setWidthF(options.lineWidth);
  pen.setCosmetic(options.lineWidth <= 0);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  std::int32_t penColor = -1;
  QPolygonF device;
  for (const Path& path : paths_) {
    if (!Overlaps(path.box, shown)) continue;
    if (path.color != penColor) {
      penColor = path.color;
      pen.setColor(shownColor(path.color));
      painter.setPen(pen);
      painter.setBrush(pen.color());
    }
    // Something smaller than a pixel still shows as a dot.
    if (path.box.width() * s < 1 && path.box.height() * s < 1) {
      painter.drawPoint(toDevice(path.points[0]));
      continue;
    }
    device.resize(path.points.size());
    for (qsizetype i = 0; i < path.points.size(); ++i) device[i] = toDevice(path.points[i]);
    if (path.filled) {
      painter.drawPolygon(device);
    } else if (path.closed) {
      device.append(device.front());
      painter.drawPolyline(device);
    } else if (device.size() == 1) {
      painter.drawPoint(device.front());
    } else {
      painter.drawPolyline(device);
    }
  }

  painter.setBrush(Qt::NoBrush);
  const QTransform base = painter.worldTransform();
  for (const Text& text : texts_) {
    const QRectF reach(text.position.x() - text.radius, text.position.y() - text.radius, 2 * text.radius,
                       2 * text.radius);
    if (!Overlaps(reach, shown)) continue;
    const Font& font = fonts_[static_cast<std::size_t>(text.font)];
    const double heightPx = text.height * s;
    const double k = heightPx / font.capHeight;  // device pixels per reference pixel
    const double width = text.advance * k * text.widthFactor;
    double x0 = 0;
    if (text.hAlign == 1) x0 = -width / 2;
    if (text.hAlign == 2) x0 = -width;
    double baseline = 0;  // device pixels below the text's point, along the text's up direction
    if (text.vAlign == 1) baseline = -font.descent * k;
    if (text.vAlign == 2) baseline = heightPx / 2;
    if (text.vAlign == 3) baseline = heightPx;
    const QPointF at = toDevice(text.position);
    QTransform frame;
    frame.translate(at.x(), at.y());
    if (text.rotation != 0) frame.rotate(-text.rotation);
    pen.setColor(shownColor(text.color));
    painter.setPen(pen);
    if (heightPx < kGreekPixels) {
      const QPointF a = frame.map(QPointF(x0, baseline - heightPx / 2));
      const QPointF b = frame.map(QPointF(x0 + width, baseline - heightPx / 2));
      painter.drawLine(a, b);
      continue;
    }
    QFont shownFont = font.font;
    shownFont.setPixelSize(std::max(1, static_cast<int>(std::lround(kReferencePixels * k))));
    // Pixel sizes are whole numbers: the remainder goes into the scale, so the text keeps
    // its height and width on every device.
    const double fit = kReferencePixels * k / shownFont.pixelSize();
    frame.scale(text.widthFactor * fit, fit);
    painter.setFont(shownFont);
    painter.setWorldTransform(frame * base);
    painter.drawText(QPointF(x0 / (text.widthFactor * fit), baseline / fit), text.text);
    painter.setWorldTransform(base);
  }
  painter.restore();
}

}  // namespace tv::canvas
