// The viewer inside the main window: docking under the material window, the view menu's Zoom
// Previous redrawing the viewer, and the Options command that is available.
#include <gtest/gtest.h>

#include <QAction>
#include <QMdiSubWindow>
#include <QTest>
#include <filesystem>

#include "core/program.h"
#include "gui/canvas/drawing_canvas.h"
#include "gui/windows/mdi_main.h"
#include "gui/windows/viewer.h"
#include "testing/paint_counter.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"
#include "viewer/viewer_procedures.h"

namespace tv::gui {
namespace {

namespace fs = std::filesystem;

using test_support::PaintCounter;

class MdiViewerTest : public ::testing::Test {
 protected:
  MdiViewerTest() : window(program) {
    fs::copy(fs::path(TAVOLIN_SOURCE_DIR) / "samples", root, fs::copy_options::recursive);
    program.RegistryFolder = folder.Path() + "registry";
    ui.SetTimeOfDay(36000);
    window.resize(1200, 800);
    EXPECT_TRUE(window.Start((root / "tavolin").string()));
    QTest::qWait(50);
  }

  test_support::TempFolder folder;
  fs::path root = fs::path(folder.Path()) / "program";
  test_support::ScriptedUi ui;
  core::Program program{ui};
  MdiMain window;
};

TEST_F(MdiViewerTest, TheMaterialWindowFollowsTheViewersTopAndTheViewerKeepsToTheRightColumn) {
  QMdiSubWindow* viewerPlace = window.ViewerPlace();
  QMdiSubWindow* stockPlace = window.StockWindowPlace();
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
  window.resize(1200, 820);
  QTest::qWait(20);
  EXPECT_EQ(stockPlace->height(), start.top() - 100);
  EXPECT_EQ(viewerPlace->y(), start.top() - 100);
}

TEST_F(MdiViewerTest, ZoomPreviousFromTheMenuShowsThePreviousViewAgain) {
  ASSERT_TRUE(viewer::ShowDxf(program, program.AppDir + "Parts/B1_Door.dxf"));
  QTest::qWait(20);
  canvas::DrawingCanvas* canvas = window.ViewerWindow()->Canvas();
  const QImage whole = canvas->grab().toImage();
  window.mVZFunction_Click(1);  // spot zoom
  QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier,
                    QPoint(canvas->width() / 3, canvas->height() / 3));
  QTest::qWait(20);
  EXPECT_NE(canvas->grab().toImage(), whole);

  QAction* previous = window.Command(QStringLiteral("mVZoomPrevious"));
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
  QAction* options = window.Command(QStringLiteral("mEOptions"));
  ASSERT_NE(options, nullptr);
  EXPECT_TRUE(options->isEnabled());
  EXPECT_TRUE(options->isVisible());
}

}  // namespace
}  // namespace tv::gui
