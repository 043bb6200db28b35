#include "gui/windows/sht_stk.h"

namespace tv::gui {

ShtStk::ShtStk(core::Program& program, QWidget* parent) : QWidget(parent), program_(program) {
  setObjectName(QStringLiteral("ShtStk"));
  setWindowTitle(QStringLiteral("Material"));
}

}  // namespace tv::gui
