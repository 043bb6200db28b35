// The material window (sheet stock and pull list). Placeholder until the window itself lands: the main window
// places it and the program's logic runs without it.
#pragma once

#include <QWidget>

#include "core/program.h"

namespace tv::gui {

class ShtStk : public QWidget {
  Q_OBJECT

 public:
  explicit ShtStk(core::Program& program, QWidget* parent = nullptr);

 private:
  core::Program& program_;
};

}  // namespace tv::gui
