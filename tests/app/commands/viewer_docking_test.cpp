// The viewer's docking under the material window.
#include <gtest/gtest.h>

#include "commands/viewer_docking.h"

namespace tv::commands {
namespace {

TEST(ViewerDocking, TheMaterialWindowFollowsTheViewersTopAndTheViewerKeepsToTheRightColumn) {
  const MainLayout start = StartLayout(12000, 9000);
  struct Case {
    const char* what;
    TwipRect viewerNow;
    long rightPaneWidth;
    long stockHeight;
    TwipRect viewer;
  };
  const Case cases[] = {
      {"top edge dragged up", {4000, 3000, 8000, 6000}, 8000, 3000, {4000, 3000, 8000, 6000}},
      {"moved left and narrowed", {2500, 5000, 5000, 4000}, 8000, 5000, {4000, 5000, 8000, 4000}},
      {"no right pane width yet", {2500, 5000, 5000, 4000}, 0, 5000, {4000, 5000, 5000, 4000}},
      {"top at the very top", {4000, 0, 8000, 9000}, 8000, 0, {4000, 0, 8000, 9000}},
  };
  for (const Case& c : cases) {
    const MainLayout docked = DockViewer(start, c.viewerNow, c.rightPaneWidth);
    EXPECT_EQ(docked.ShtStk.Height, c.stockHeight) << c.what;
    EXPECT_EQ(docked.Viewer, c.viewer) << c.what;
    EXPECT_EQ(docked.FileMgr, start.FileMgr) << c.what;
    EXPECT_EQ(docked.ShtStk.Top, start.ShtStk.Top) << c.what;
    // Docking twice changes nothing more: the two windows never push each other back and forth.
    EXPECT_EQ(DockViewer(docked, docked.Viewer, c.rightPaneWidth), docked) << c.what;
  }
}

TEST(ViewerDocking, AViewerMovedAboveTheClientAreaDocksNothing) {
  const MainLayout start = StartLayout(12000, 9000);
  const MainLayout moved = DockViewer(start, {3000, -200, 8000, 6000}, 8000);
  EXPECT_EQ(moved.ShtStk, start.ShtStk);
  EXPECT_EQ(moved.Viewer, (TwipRect{3000, -200, 8000, 6000}));
}

}  // namespace
}  // namespace tv::commands
