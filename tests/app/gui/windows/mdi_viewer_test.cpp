// The viewer inside the main window: docking under the material window, the view menu's Zoom
// Previous redrawing the viewer, and the Options command that is available.
#include "gui/canvas/drawing_canvas.h"
#include "gui/windows/viewer.h"
#include "testing/paint_counter.h"
#include "viewer/viewer_procedures.h"
#include "windows_fixture.h"

namespace tv::gui::testing {
namespace {

using test_support::PaintCounter;

using MdiViewerTest = WindowsTest;

TEST_F(MdiViewerTest, TheMaterialWindowFollowsTheViewersTopAndTheViewerKeepsToTheRightColumn) {
  QMdiSubWindow* viewerPlace = main->ViewerPlace();
  QMdiSubWindow* stockPlace = main->StockWindowPlace();
  ASSERT_TRUE(viewerPlace && stockPlace);
  const QRect start = viewerPlace->geometry();
  EXPECT_EQ(stockPlace->height(), start.top());

  // The operator drags the viewer up and a little to the left, and narrows it.
  viewerPlace->setGeometry(start.left() - 30, start.top() - 100, start.width() - 50, start.height() + 100);
  QTest::qWait(20);
  EXPECT_EQ(stockPlace->height(), start.top() - 100);
  EXPECT_EQ(viewerPlace->geometry(),
            QRect(start.left(), start.top() - 100, start.width(), start.height() + 100));

  // The main window's own resize leaves the docked places alone (heights aside).
  main->resize(main->width(), main->height() + 20);
  QTest::qWait(20);
  EXPECT_EQ(stockPlace->height(), start.top() - 100);
  EXPECT_EQ(viewerPlace->y(), start.top() - 100);
}

TEST_F(MdiViewerTest, ZoomPreviousFromTheMenuShowsThePreviousViewAgain) {
  ASSERT_TRUE(viewer::ShowDxf(program, program.AppDir + "Parts/B1_Door.dxf"));
  QTest::qWait(20);
  canvas::DrawingCanvas* canvas = main->ViewerWindow()->Canvas();
  const QImage whole = canvas->grab().toImage();
  main->mVZFunction_Click(1);  // spot zoom
  QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier,
                    QPoint(canvas->width() / 3, canvas->height() / 3));
  QTest::qWait(20);
  EXPECT_NE(canvas->grab().toImage(), whole);

  QAction* previous = main->Command(QStringLiteral("mVZoomPrevious"));
  ASSERT_NE(previous, nullptr);
  ASSERT_TRUE(previous->isEnabled());
  PaintCounter counter;
  canvas->installEventFilter(&counter);
  previous->trigger();
  QTest::qWait(20);
  EXPECT_GT(counter.paints, 0);  // shown without being asked for
  EXPECT_EQ(canvas->grab().toImage(), whole);
}

TEST_F(MdiViewerTest, TheOptionsCommandIsAvailable) {
  QAction* options = main->Command(QStringLiteral("mEOptions"));
  ASSERT_NE(options, nullptr);
  EXPECT_TRUE(options->isEnabled());
  EXPECT_TRUE(options->isVisible());
}

}  // namespace
}  // namespace tv::gui::testing
