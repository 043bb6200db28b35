// The view model: zoom to extents and by percent, window zoom and pan by mouse drags,
// spot zoom, the zoom history, and pixel to drawing coordinates.
#include <gtest/gtest.h>

#include "drawing/drawing.h"
#include "dxf_text.h"

namespace tv::drawing {
namespace {

using testing::EntitiesFile;
using testing::MustRead;

struct Window {
  float left, top, right, bottom;
};

Window Zoom(const Drawing& d) {
  Window w{};
  EXPECT_TRUE(d.GetCurrentZoom(w.left, w.top, w.right, w.bottom));
  return w;
}

void ExpectWindow(const Drawing& d, Window want) {
  const Window w = Zoom(d);
  EXPECT_NEAR(w.left, want.left, 1e-3);
  EXPECT_NEAR(w.top, want.top, 1e-3);
  EXPECT_NEAR(w.right, want.right, 1e-3);
  EXPECT_NEAR(w.bottom, want.bottom, 1e-3);
}

// A 200 x 100 sheet in a 400 x 100 pixel canvas: the window widens to the canvas.
class DrawingView : public ::testing::Test {
 protected:
  void SetUp() override {
    MustRead(d, EntitiesFile("0|LINE|8|0|10|0|20|0|11|200|21|100"));
    d.SetViewportSize(400, 100);
  }
  Drawing d;
};

TEST_F(DrawingView, ZoomToExtentsFitsTheDrawingAndPixelsMapToIt) {
  float l, t, r, b;
  EXPECT_FALSE(d.GetCurrentZoom(l, t, r, b));  // nothing shown yet
  d.ZoomToExtents();
  ExpectWindow(d, {-100, 100, 300, 0});
  EXPECT_DOUBLE_EQ(d.ScreenToDrawingX(0), -100);
  EXPECT_DOUBLE_EQ(d.ScreenToDrawingY(0), 100);
  EXPECT_DOUBLE_EQ(d.ScreenToDrawingX(400), 300);
  EXPECT_DOUBLE_EQ(d.ScreenToDrawingY(100), 0);
  EXPECT_DOUBLE_EQ(d.DrawingToScreenX(100), 200);
  EXPECT_DOUBLE_EQ(d.DrawingToScreenY(50), 50);
}

TEST_F(DrawingView, ZoomPercentScalesAboutTheCentre) {
  d.ZoomToExtents();
  d.ZoomPercent(50);
  ExpectWindow(d, {-300, 150, 500, -50});
  d.ZoomToExtents();
  d.ZoomPercent(99);  // a small margin round the extents
  const Window w = Zoom(d);
  EXPECT_LT(w.bottom, 0);
  EXPECT_GT(w.top, 100);
  EXPECT_NEAR(w.top - w.bottom, 100 / 0.99, 1e-3);
  d.ZoomPercent(0);  // ignored
  EXPECT_NEAR(Zoom(d).top - Zoom(d).bottom, 100 / 0.99, 1e-3);
}

TEST_F(DrawingView, WindowZoomByDragAndBackWithZoomPrevious) {
  d.ZoomToExtents();
  d.SetZoomFunction(kZoomWindow);
  d.MouseDownAt(100, 0);
  d.MouseMoveAt(200, 50);
  double x0, y0, x1, y1;
  ASSERT_TRUE(d.RubberBand(x0, y0, x1, y1));
  EXPECT_EQ(x1, 200);
  d.MouseUpAt();
  EXPECT_FALSE(d.RubberBand(x0, y0, x1, y1));
  // pixels 100..200 x 0..50 are drawing 0..100 x 50..100, widened to the canvas
  ExpectWindow(d, {-50, 100, 150, 50});
  d.MouseDownAt(10, 10);  // a click is no window
  d.MouseUpAt();
  ExpectWindow(d, {-50, 100, 150, 50});
  d.ZoomPrevious();
  ExpectWindow(d, {-100, 100, 300, 0});
}

TEST_F(DrawingView, PanMovesTheDrawingWithThePointer) {
  d.ZoomToExtents();
  d.SetZoomFunction(kZoomPan);
  d.MouseDownAt(100, 50);
  d.MouseMoveAt(150, 40);  // 50 right, 10 up: the window goes the other way
  ExpectWindow(d, {-150, 90, 250, -10});
  d.MouseUpAt();
  d.ZoomPrevious();
  ExpectWindow(d, {-100, 100, 300, 0});
}

TEST_F(DrawingView, SpotZoomInWithTheLeftButtonOutWithOthers) {
  d.ZoomToExtents();
  d.SetZoomFunction(kZoomSpot);
  d.SetSpotZoomLeft(100);
  d.SetSpotZoomRight(50);
  d.SpotZoomAt(300, 50, kLeftButton);  // centred on drawing (200, 50), half the size
  ExpectWindow(d, {100, 75, 300, 25});
  d.SpotZoomAt(200, 50, kRightButton);  // centred on (200, 50), 1.5 times the size
  ExpectWindow(d, {50, 87.5, 350, 12.5});
  d.ZoomPrevious();
  d.ZoomPrevious();
  ExpectWindow(d, {-100, 100, 300, 0});
}

}  // namespace
}  // namespace tv::drawing
