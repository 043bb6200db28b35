// Paints a drawing with QPainter on any paint device: the viewer's canvas, an image, a
// printer page. The display list is kept between paints until the drawing changes.
#pragma once

#include <QColor>
#include <QFont>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "drawing/drawing.h"

class QPainter;

namespace tv::canvas {

// A window of the drawing in drawing units (y up: top > bottom).
struct DrawingWindow {
  double left = 0, top = 1, right = 1, bottom = 0;
  bool operator==(const DrawingWindow&) const = default;
};

struct PaintOptions {
  std::int32_t backColor = 0;  // &HBBGGRR
  bool fillBackground = true;  // false leaves the device as it is (paper stays paper)
  bool blackWhite = false;     // every entity in the one colour that stands out on the background
  double lineWidth = 0;        // device pixels; 0 draws the thinnest line the device has
  QString drawingFontFamily;   // typeface for texts in the drawing's own font; "" a sans-serif
};

// Colour of a &HBBGGRR value.
QColor ColorOf(std::int32_t bgr);
// Black on a light background, white on a dark one.
QColor ContrastTo(const QColor& background);

class DrawingPainter {
 public:
  // Paints drawing so that window fills target (device coordinates), scaled alike in x and y
  // and centred; what lies outside target is not touched.
  void Paint(QPainter& painter, const drawing::Drawing& drawing, const QRectF& target,
             const DrawingWindow& window, const PaintOptions& options);

  // The window the drawing's view shows now; nothing when it was never zoomed.
  static std::optional<DrawingWindow> CurrentWindow(const drawing::Drawing& drawing);
  // The whole drawing; nothing when it is empty.
  static std::optional<DrawingWindow> ExtentsWindow(const drawing::Drawing& drawing);

 private:
  struct Path {
    QPolygonF points;  // drawing units
    QRectF box;        // drawing units
    std::int32_t color = 0;
    bool closed = false;
    bool filled = false;
  };
  struct Text {
    QString text;
    QPointF position;  // drawing units
    double height = 0, rotation = 0, widthFactor = 1;
    int hAlign = 0, vAlign = 0;
    int font = 0;        // index into fonts_
    double advance = 0;  // width at the font's reference size
    double radius = 0;   // reaches every corner of the text's box from position (drawing units)
    std::int32_t color = 0;
  };
  struct Font {
    QString family;
    QFont font;
    double capHeight = 1, descent = 0;  // at the reference size
  };

  void Prepare(const drawing::Drawing& drawing, double tolerance, const QString& drawingFontFamily);
  int FontIndex(const std::string& name, const QString& drawingFontFamily);

  const drawing::Drawing* drawing_ = nullptr;
  std::uint64_t revision_ = 0;
  double tolerance_ = 0;
  bool prepared_ = false;
  QString drawingFontFamily_;
  std::vector<Path> paths_;
  std::vector<Text> texts_;
  std::vector<Font> fonts_;
};

}  // namespace tv::canvas
