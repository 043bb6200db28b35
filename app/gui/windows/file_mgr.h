// The input window (source folder, drawing lists, work list, settings). Placeholder until the window itself
// lands: the main window places it and the program's logic runs without it.
#pragma once

#include <QWidget>

#include "core/program.h"

namespace tv::gui {

class FileMgr : public QWidget {
  Q_OBJECT

 public:
  explicit FileMgr(core::Program& program, QWidget* parent = nullptr);

 private:
  core::Program& program_;
};

}  // namespace tv::gui
