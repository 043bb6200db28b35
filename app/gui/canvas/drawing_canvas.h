// The drawing canvas: a widget that shows one drawing at the window its view model holds,
// with the rubber band of a window zoom, and reports mouse presses, moves and releases in
// widget pixels for the window that owns it to act on.
#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>

#include "drawing/drawing.h"
#include "gui/canvas/drawing_painter.h"

namespace tv::canvas {

class DrawingCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit DrawingCanvas(drawing::Drawing& drawing, QWidget* parent = nullptr);

  drawing::Drawing& Drawing() const { return drawing_; }
  // Typeface for texts in the drawing's own font ("" a sans-serif).
  void SetDrawingFontFamily(const QString& family);

  // The drawing's view follows the widget's size; call before the view is used while the
  // widget has not been shown yet.
  void SyncViewportSize();

  // The picture as it stands, without the rubber band, at the widget's size.
  QImage RenderImage();

  // Mouse buttons as the drawing engine numbers them (drawing::kLeftButton...), and the
  // shift state as 1 shift, 2 control, 4 alt added up.
  static int ButtonNumber(Qt::MouseButton button);
  static int ShiftState(Qt::KeyboardModifiers modifiers);

 signals:
  void MousePressed(int button, int shift, float x, float y);
  void MouseMoved(int button, int shift, float x, float y);
  void MouseReleased(int button, int shift, float x, float y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  struct SceneKey {
    std::uint64_t revision = 0;
    DrawingWindow window;
    QSize size;
    std::int32_t backColor = 0;
    bool blackWhite = false;
    bool hasWindow = false;
    bool operator==(const SceneKey&) const = default;
  };
  SceneKey CurrentKey() const;
  PaintOptions Options() const;
  const QImage& Scene();

  drawing::Drawing& drawing_;
  DrawingPainter painter_;
  QString drawingFontFamily_;
  // The last picture: a rubber band drag repaints it without drawing the drawing again.
  QImage scene_;
  SceneKey sceneKey_;
  bool sceneValid_ = false;
};

}  // namespace tv::canvas
