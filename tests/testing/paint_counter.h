// Counts the paint events a widget receives, so a test can tell whether something was redrawn.
#pragma once

#include <QEvent>
#include <QObject>

namespace tv::test_support {

class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

}  // namespace tv::test_support
