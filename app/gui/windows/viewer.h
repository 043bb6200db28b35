// The drawing viewer window. Placeholder until the canvas lands: it carries the drawing's caption
// (the title comment or the path) and the main window places it.
#pragma once

#include <QWidget>

#include "core/program.h"

namespace tv::gui {

class Viewer : public QWidget {
  Q_OBJECT

 public:
  explicit Viewer(core::Program& program, QWidget* parent = nullptr);

 private:
  void ShowCaption();

  core::Program& program_;
};

}  // namespace tv::gui
