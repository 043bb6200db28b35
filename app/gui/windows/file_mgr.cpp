#include "gui/windows/file_mgr.h"

namespace tv::gui {

FileMgr::FileMgr(core::Program& program, QWidget* parent) : QWidget(parent), program_(program) {
  setObjectName(QStringLiteral("FileMgr"));
  setWindowTitle(QStringLiteral("Input Selection"));
}

}  // namespace tv::gui
