#include "gui/windows/viewer.h"

#include <QVBoxLayout>

#include "gui/canvas/drawing_canvas.h"
#include "gui/models/program_notices.h"
#include "viewer/viewer_procedures.h"

namespace tv::gui {

Viewer::Viewer(core::Program& program, QWidget* parent) : QWidget(parent), program_(program) {
  setObjectName(QStringLiteral("Viewer"));
  dxf1_ = new canvas::DrawingCanvas(program_.DXF1, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(dxf1_);

  connect(dxf1_, &canvas::DrawingCanvas::MousePressed, this, &Viewer::DXF1_MouseDown);
  connect(dxf1_, &canvas::DrawingCanvas::MouseMoved, this, &Viewer::DXF1_MouseMove);
  connect(dxf1_, &canvas::DrawingCanvas::MouseReleased, this, &Viewer::DXF1_MouseUp);

  auto* notices = new ProgramNotices(program_, this);
  connect(notices, &ProgramNotices::ViewerCaptionChanged, this, &Viewer::ShowCaption);
  connect(notices, &ProgramNotices::DrawingChanged, this, &Viewer::RefreshView);
  ShowCaption();
}

void Viewer::RefreshView() {
  dxf1_->update();
}

void Viewer::ShowCaption() {
  // A window without a title would show the program's name in its frame.
  setWindowTitle(program_.ViewerCaption.empty() ? QStringLiteral(" ")
                                                : QString::fromStdString(program_.ViewerCaption));
}

void Viewer::DXF1_MouseDown(int button, int shift, float x, float y) {
  viewer::ViewerMouseDown(program_, button, shift, x, y);
}

void Viewer::DXF1_MouseMove(int button, int shift, float x, float y) {
  viewer::ViewerMouseMove(program_, button, shift, x, y);
}

void Viewer::DXF1_MouseUp(int button, int shift, float x, float y) {
  viewer::ViewerMouseUp(program_, button, shift, x, y);
}

}  // namespace tv::gui
