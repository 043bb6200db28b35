#include "commands/viewer_docking.h"

namespace tv::commands {

MainLayout DockViewer(const MainLayout& current, const TwipRect& viewerNow, long rightPaneWidth) {
  MainLayout layout = current;
  layout.Viewer = viewerNow;
  if (viewerNow.Top < 0) return layout;
  layout.ShtStk.Height = viewerNow.Top;
  layout.Viewer.Left = current.FileMgr.Width;
  if (rightPaneWidth != 0) layout.Viewer.Width = rightPaneWidth;
  return layout;
}

}  // namespace tv::commands
