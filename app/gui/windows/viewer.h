// The drawing viewer window "Viewer": the canvas showing the working drawing, captioned with
// the drawing's title comment or path. Mouse presses, moves and releases on the canvas go to the
// viewer's logic (zoom, pan, spot zoom, the pointer's coordinates, part information).
#pragma once

#include <QWidget>

#include "core/program.h"

namespace tv::canvas {
class DrawingCanvas;
}

namespace tv::gui {

class Viewer : public QWidget {
  Q_OBJECT

 public:
  explicit Viewer(core::Program& program, QWidget* parent = nullptr);

  // The drawing control DXF1.
  canvas::DrawingCanvas* Canvas() const { return dxf1_; }
  // Shows the drawing again (its content or its view options changed).
  void RefreshView();

 private:
  void ShowCaption();
  void DXF1_MouseDown(int button, int shift, float x, float y);
  void DXF1_MouseMove(int button, int shift, float x, float y);
  void DXF1_MouseUp(int button, int shift, float x, float y);

  core::Program& program_;
  canvas::DrawingCanvas* dxf1_ = nullptr;
};

}  // namespace tv::gui
