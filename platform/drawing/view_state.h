// Internal: the state of the view model (window shown, zoom history, mouse drag, options).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "drawing/drawing.h"

namespace tv::drawing {

struct ViewWindow {
  double left = 0, top = 1, right = 1, bottom = 0;
};

struct ViewState {
  int width = 800, height = 600;
  bool hasWindow = false;
  ViewWindow window;  // as asked for; shown widened to the viewport's proportions
  std::vector<ViewWindow> previous;

  int zoomFunction = kZoomWindow;
  bool dragging = false;
  double downX = 0, downY = 0, lastX = 0, lastY = 0;
  ViewWindow dragStart;

  float spotLeft = 50, spotRight = 50;
  bool displayBlackWhite = false, printBlackWhite = false;
  std::int32_t backColor = 0;
  std::string tmpPath;
};

}  // namespace tv::drawing
