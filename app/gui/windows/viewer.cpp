#include "gui/windows/viewer.h"

#include "gui/models/program_notices.h"

namespace tv::gui {

Viewer::Viewer(core::Program& program, QWidget* parent) : QWidget(parent), program_(program) {
  setObjectName(QStringLiteral("Viewer"));
  auto* notices = new ProgramNotices(program_, this);
  connect(notices, &ProgramNotices::ViewerCaptionChanged, this, &Viewer::ShowCaption);
  ShowCaption();
}

void Viewer::ShowCaption() {
  // A window without a title would show the program's name in its frame.
  setWindowTitle(program_.ViewerCaption.empty() ? QStringLiteral(" ")
                                                : QString::fromStdString(program_.ViewerCaption));
}

}  // namespace tv::gui
