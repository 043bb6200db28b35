#include "commands/main_layout.h"

#include <algorithm>
#include <cmath>

namespace tv::commands {

MainLayout StartLayout(long clientWidth, long clientHeight) {
  MainLayout layout;
  layout.FileMgr = {0, 0, kInputWindowWidth, std::max(0L, clientHeight)};
  const long rightLeft = layout.FileMgr.Width;
  const long rightWidth = std::max(0L, clientWidth - rightLeft);
  layout.ShtStk = {rightLeft, 0, rightWidth, kStockWindowHeight};
  const long viewerTop = layout.ShtStk.Height;
  layout.Viewer = {rightLeft, viewerTop, rightWidth, std::max(0L, clientHeight - viewerTop)};
  return layout;
}

MainLayout ResizeLayout(const MainLayout& current, long clientHeight) {
  MainLayout layout = current;
  if (clientHeight > kResizeMinHeight) {
    layout.FileMgr.Height = clientHeight;
    layout.Viewer.Height = std::max(0L, clientHeight - layout.ShtStk.Height);
  }
  return layout;
}

int TwipsToPixels(long twips, double dpi) {
  return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

long PixelsToTwips(int pixels, double dpi) {
  if (dpi <= 0) return 0;
  return std::lround(pixels * kTwipsPerInch / dpi);
}

}  // namespace tv::commands
