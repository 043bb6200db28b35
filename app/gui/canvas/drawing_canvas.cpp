#include "gui/canvas/drawing_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

namespace tv::canvas {

DrawingCanvas::DrawingCanvas(drawing::Drawing& drawing, QWidget* parent)
    : QWidget(parent), drawing_(drawing) {
  setObjectName(QStringLiteral("DXF1"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setMinimumSize(16, 16);
  SyncViewportSize();
}

void DrawingCanvas::SetDrawingFontFamily(const QString& family) {
  drawingFontFamily_ = family;
  sceneValid_ = false;
  update();
}

void DrawingCanvas::SyncViewportSize() {
  if (drawing_.ViewportWidth() != width() || drawing_.ViewportHeight() != height())
    drawing_.SetViewportSize(width(), height());
}

int DrawingCanvas::ButtonNumber(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return drawing::kLeftButton;
    case Qt::RightButton:
      return drawing::kRightButton;
    case Qt::MiddleButton:
      return drawing::kMiddleButton;
    default:
      return 0;
  }
}

int DrawingCanvas::ShiftState(Qt::KeyboardModifiers modifiers) {
  int shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= 1;
  if (modifiers & Qt::ControlModifier) shift |= 2;
  if (modifiers & Qt::AltModifier) shift |= 4;
  return shift;
}

PaintOptions DrawingCanvas::Options() const {
  PaintOptions options;
  options.backColor = drawing_.BackColor();
  options.blackWhite = drawing_.DisplayBlackWhite();
  options.drawingFontFamily = drawingFontFamily_;
  return options;
}

DrawingCanvas::SceneKey DrawingCanvas::CurrentKey() const {
  SceneKey key;
  key.revision = drawing_.Revision();
  key.size = size();
  key.backColor = drawing_.BackColor();
  key.blackWhite = drawing_.DisplayBlackWhite();
  if (const auto window = DrawingPainter::CurrentWindow(drawing_)) {
    key.window = *window;
    key.hasWindow = true;
  }
  return key;
}

const QImage& DrawingCanvas::Scene() {
  SyncViewportSize();
  const SceneKey key = CurrentKey();
  if (sceneValid_ && key == sceneKey_) return scene_;
  if (scene_.size() != size()) scene_ = QImage(size(), QImage::Format_RGB32);
  QPainter painter(&scene_);
  const PaintOptions options = Options();
  if (key.hasWindow) {
    painter_.Paint(painter, drawing_, QRectF(scene_.rect()), key.window, options);
  } else {
    painter.fillRect(scene_.rect(), ColorOf(options.backColor));
  }
  sceneKey_ = key;
  sceneValid_ = true;
  return scene_;
}

QImage DrawingCanvas::RenderImage() {
  return Scene().copy();
}

void DrawingCanvas::paintEvent(QPaintEvent* /*event*/) {
  const QImage& scene = Scene();
  QPainter painter(this);
  painter.drawImage(0, 0, scene);
  double x0, y0, x1, y1;
  if (drawing_.RubberBand(x0, y0, x1, y1)) {
    QPen pen(ContrastTo(ColorOf(drawing_.BackColor())));
    pen.setStyle(Qt::DashLine);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRectF(QPointF(std::min(x0, x1), std::min(y0, y1)), QPointF(std::max(x0, x1), std::max(y0, y1))));
  }
}

void DrawingCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  SyncViewportSize();
}

void DrawingCanvas::mousePressEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  emit MousePressed(ButtonNumber(event->button()), ShiftState(event->modifiers()), static_cast<float>(p.x()),
                    static_cast<float>(p.y()));
  update();
}

void DrawingCanvas::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  int buttons = 0;
  for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
    if (event->buttons() & b) buttons |= ButtonNumber(b);
  emit MouseMoved(buttons, ShiftState(event->modifiers()), static_cast<float>(p.x()),
                  static_cast<float>(p.y()));
  update();
}

void DrawingCanvas::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  emit MouseReleased(ButtonNumber(event->button()), ShiftState(event->modifiers()), static_cast<float>(p.x()),
                     static_cast<float>(p.y()));
  update();
}

}  // namespace tv::canvas
