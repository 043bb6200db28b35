// The viewer window driven by mouse events as a user drives it: window zoom with the rubber
// band, pan, spot zoom in and out, Zoom Previous, the right click that shows the whole drawing
// at 99 percent, the pointer's coordinates in the status bar and the part information of a
// clicked label.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "core/program.h"
#include "gui/canvas/drawing_canvas.h"
#include "gui/windows/viewer.h"
#include "testing/dxf_fixture.h"
#include "testing/paint_counter.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"
#include "text/number_text.h"
#include "viewer/viewer_procedures.h"

namespace tv::gui {
namespace {

struct Window {
  float left = 0, top = 0, right = 0, bottom = 0;
};

// A 1000 x 600 panel with a label of work-list row 3 ("3, B1, Door") and a label turned a
// quarter for row 4.
std::string PanelDrawing() {
  return test_support::DxfFixture()
      .Comment("Tavolin: Test Panel")
      .LineRect("BORDER_Z19", 0, 0, 1000, 600)
      .Circle("VBORE_Z12", 500, 300, 100)
      .Text("Zuvodavi", 200, 400, "3, B1, Door")
      .Text("Zuvodavi", 800, 100, "4, B1, Side", 90)
      .Dxf();
}

class ViewerWindowTest : public ::testing::Test {
 protected:
  ViewerWindowTest() : window(program) {
    window.resize(800, 500);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    const std::string path = folder.Write("panel.dxf", PanelDrawing());
    EXPECT_TRUE(viewer::ShowDxf(program, path));
  }

  QWidget* Canvas() const { return window.Canvas(); }
  Window Current() const {
    Window w;
    EXPECT_TRUE(program.DXF1.GetCurrentZoom(w.left, w.top, w.right, w.bottom));
    return w;
  }
  QPoint Pixel(double x, double y) const {
    return QPoint(static_cast<int>(std::lround(program.DXF1.DrawingToScreenX(x))),
                  static_cast<int>(std::lround(program.DXF1.DrawingToScreenY(y))));
  }
  void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
    QTest::mousePress(Canvas(), button, Qt::NoModifier, from);
    QTest::mouseMove(Canvas(), (from + to) / 2);
    QTest::mouseMove(Canvas(), to);
    QTest::mouseRelease(Canvas(), button, Qt::NoModifier, to);
  }
  static void ExpectWindow(const Window& got, const Window& want, double tolerance) {
    EXPECT_NEAR(got.left, want.left, tolerance);
    EXPECT_NEAR(got.top, want.top, tolerance);
    EXPECT_NEAR(got.right, want.right, tolerance);
    EXPECT_NEAR(got.bottom, want.bottom, tolerance);
  }
  // The window shown when the drawing window w is widened to the canvas's proportions.
  Window Widened(Window w) const {
    const double vw = Canvas()->width(), vh = Canvas()->height();
    const double upp = std::max((w.right - w.left) / vw, (w.top - w.bottom) / vh);
    const double cx = (w.left + w.right) / 2, cy = (w.top + w.bottom) / 2;
    return {static_cast<float>(cx - upp * vw / 2), static_cast<float>(cy + upp * vh / 2),
            static_cast<float>(cx + upp * vw / 2), static_cast<float>(cy - upp * vh / 2)};
  }
  double UnitsPerPixel() const { return program.DXF1.ScreenToDrawingX(1) - program.DXF1.ScreenToDrawingX(0); }

  test_support::TempFolder folder;
  test_support::ScriptedUi ui;
  core::Program program{ui};
  Viewer window;
};

TEST_F(ViewerWindowTest, TheCaptionIsTheDrawingsTitle) {
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Test Panel"));
}

TEST_F(ViewerWindowTest, AWindowDragZoomsToTheRubberBandsRectangle) {
  program.DXF1.SetZoomFunction(drawing::kZoomWindow);
  const QPoint from = Pixel(100, 500), to = Pixel(400, 200);
  const Window wanted = Widened({100, 500, 400, 200});

  QTest::mousePress(Canvas(), Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(Canvas(), to);
  // While the button is held the band shows and the view has not moved.
  const QImage during = Canvas()->grab().toImage();
  const QColor band = canvas::ContrastTo(canvas::ColorOf(program.DXF1.BackColor()));
  int onBand = 0;
  for (int x = from.x() + 5; x < to.x() - 5; ++x) onBand += QColor(during.pixel(x, to.y())) == band ? 1 : 0;
  EXPECT_GT(onBand, (to.x() - from.x()) / 4);
  QTest::mouseRelease(Canvas(), Qt::LeftButton, Qt::NoModifier, to);

  ExpectWindow(Current(), wanted, 3 * UnitsPerPixel());
}

TEST_F(ViewerWindowTest, APanDragMovesTheDrawingWithThePointer) {
  program.DXF1.SetZoomFunction(drawing::kZoomPan);
  const Window before = Current();
  const double upp = UnitsPerPixel();
  Drag(Qt::LeftButton, QPoint(300, 200), QPoint(400, 250));
  const Window after = Current();
  EXPECT_NEAR(after.left, before.left - 100 * upp, upp);
  EXPECT_NEAR(after.right, before.right - 100 * upp, upp);
  EXPECT_NEAR(after.top, before.top + 50 * upp, upp);
  EXPECT_NEAR(after.bottom, before.bottom + 50 * upp, upp);
}

TEST_F(ViewerWindowTest, SpotZoomCentresOnTheClickAndZoomsByTheButtonsPercentage) {
  program.DXF1.SetZoomFunction(drawing::kZoomSpot);
  program.DXF1.SetSpotZoomLeft(100);
  program.DXF1.SetSpotZoomRight(50);
  struct Step {
    Qt::MouseButton button;
    double x, y;    // drawing point clicked
    double factor;  // window size after / before
  };
  for (const Step& s : {Step{Qt::LeftButton, 500, 300, 0.5}, Step{Qt::LeftButton, 450, 320, 0.5},
                        Step{Qt::RightButton, 470, 310, 1.5}}) {
    const Window before = Current();
    QTest::mouseClick(Canvas(), s.button, Qt::NoModifier, Pixel(s.x, s.y));
    const Window after = Current();
    const double upp = UnitsPerPixel();
    EXPECT_NEAR((after.left + after.right) / 2, s.x, 2 * upp);
    EXPECT_NEAR((after.top + after.bottom) / 2, s.y, 2 * upp);
    EXPECT_NEAR((after.right - after.left) / (before.right - before.left), s.factor, 0.01);
  }
}

TEST_F(ViewerWindowTest, ZoomPreviousShowsTheViewBeforeTheZoomAgain) {
  program.DXF1.SetZoomFunction(drawing::kZoomWindow);
  const Window whole = Current();
  const QImage wholePicture = window.Canvas()->RenderImage();
  Drag(Qt::LeftButton, Pixel(100, 500), Pixel(400, 200));
  EXPECT_NE(window.Canvas()->RenderImage(), wholePicture);

  program.DXF1.ZoomPrevious();
  window.RefreshView();
  ExpectWindow(Current(), whole, 1e-3);
  EXPECT_EQ(window.Canvas()->RenderImage(), wholePicture);
}

TEST_F(ViewerWindowTest, ARightClickShowsTheWholeDrawingAt99Percent) {
  float left, top, right, bottom;
  ASSERT_TRUE(program.DXF1.GetExtents(left, top, right, bottom));
  const double w = (right - left) * 100.0 / 99.0, h = (top - bottom) * 100.0 / 99.0;
  const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
  const Window wanted = Widened({static_cast<float>(cx - w / 2), static_cast<float>(cy + h / 2),
                                 static_cast<float>(cx + w / 2), static_cast<float>(cy - h / 2)});
  for (int mode : {drawing::kZoomWindow, drawing::kZoomPan}) {
    program.DXF1.SetZoomFunction(drawing::kZoomWindow);
    Drag(Qt::LeftButton, Pixel(100, 500), Pixel(300, 300));  // somewhere else first
    program.DXF1.SetZoomFunction(mode);
    QTest::mouseClick(Canvas(), Qt::RightButton, Qt::NoModifier, QPoint(50, 50));
    ExpectWindow(Current(), wanted, 1e-2);
  }
}

TEST_F(ViewerWindowTest, ThePointersDrawingCoordinatesShowInTheStatusBar) {
  for (const QPoint p : {QPoint(10, 20), QPoint(400, 250), QPoint(799, 499)}) {
    QTest::mouseMove(Canvas(), p);
    EXPECT_EQ(ui.Status(core::StatusPanel::X), "X: " + text::CStr(program.DXF1.ScreenToDrawingX(p.x())));
    EXPECT_EQ(ui.Status(core::StatusPanel::Y), "Y: " + text::CStr(program.DXF1.ScreenToDrawingY(p.y())));
  }
  // Drawing coordinates, not pixels: the panel's corner reads near 0, 0.
  QTest::mouseMove(Canvas(), Pixel(0, 0));
  EXPECT_NEAR(text::Val(ui.Status(core::StatusPanel::X).substr(3)), 0, 2 * UnitsPerPixel());
  EXPECT_NEAR(text::Val(ui.Status(core::StatusPanel::Y).substr(3)), 0, 2 * UnitsPerPixel());
}

TEST_F(ViewerWindowTest, AClickOnAPartLabelShowsThePartsWorkListRow) {
  program.PList.SetMaxRows(4);
  program.PList.SetCellText(0, 2, "Qty");
  program.PList.SetCellText(0, 3, "File Name");
  program.PList.SetCellText(3, 2, "2");
  program.PList.SetCellText(3, 3, "B1_Door.dxf");
  program.PList.SetCellText(4, 3, "B1_Side.dxf");
  program.DXF1.SetZoomFunction(drawing::kZoomSpot);
  program.DXF1.SetSpotZoomLeft(0);  // the clicks leave the view where it is

  QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::NoModifier, Pixel(210, 405));
  ASSERT_GE(program.PartSpec.Lines.size(), 2u);
  EXPECT_EQ(program.PartSpec.Lines[0], "Qty, 2");
  EXPECT_EQ(program.PartSpec.Lines[1], "File Name, B1_Door.dxf");
  EXPECT_TRUE(program.PartSpec.BringToFront);

  QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::NoModifier, Pixel(795, 150));  // the turned label
  ASSERT_GE(program.PartSpec.Lines.size(), 2u);
  EXPECT_EQ(program.PartSpec.Lines[1], "File Name, B1_Side.dxf");

  program.PartSpec.BringToFront = false;
  QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::NoModifier, Pixel(500, 500));  // far from any label
  EXPECT_EQ(program.PartSpec.Lines,
            (std::vector<std::string>{"", " Click on Part Label to get part information."}));
  EXPECT_FALSE(program.PartSpec.BringToFront);
}

using test_support::PaintCounter;

TEST_F(ViewerWindowTest, ADrawingLoadedOrZoomedElsewhereIsShownAnew) {
  PaintCounter counter;
  Canvas()->installEventFilter(&counter);
  QTest::qWait(20);
  const int settled = counter.paints;
  QTest::qWait(20);
  EXPECT_EQ(counter.paints, settled);  // nothing to show, nothing painted

  const std::string other =
      folder.Write("other.dxf", test_support::DxfFixture().LineRect("BORDER_Z19", 0, 0, 50, 50).Dxf());
  ASSERT_TRUE(viewer::ShowDxf(program, other));
  QTest::qWait(20);
  EXPECT_GT(counter.paints, settled);
  EXPECT_EQ(window.windowTitle(), QString::fromStdString(other));

  const int loaded = counter.paints;
  program.DXF1.SpotZoomAt(10, 10, drawing::kLeftButton);
  viewer::ZoomExtents(program, -4);  // as the nesting run does after each sheet
  QTest::qWait(20);
  EXPECT_GT(counter.paints, loaded);
}

}  // namespace
}  // namespace tv::gui
