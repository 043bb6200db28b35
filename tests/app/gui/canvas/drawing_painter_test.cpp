// The painter and the canvas on a small drawing whose every shape sits at a known point: each
// shape in its colour where the view model maps it, the background, texts at their height and
// alignment, black-and-white display, and a painter target other than the screen.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "gui/canvas/drawing_canvas.h"
#include "gui/canvas/drawing_painter.h"
#include "pixel_probe.h"
#include "testing/dxf_fixture.h"

namespace tv::canvas {
namespace {

using testing::HasColourNear;
using testing::InkBox;
using testing::InkOutside;
using testing::ScreenRect;

constexpr std::int32_t kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00, kMagenta = 0xFF00FF,
                       kYellow = 0x00FFFF, kSlate = 0x996633;  // &HBBGGRR

// A 400 x 200 frame holding a circle, a filled square, a 24-bit coloured line, a half circle
// drawn as a polyline bulge and two texts, one of them turned a quarter.
class PainterTest : public ::testing::Test {
 protected:
  PainterTest() : canvas(dxf) {
    test_support::DxfFixture fixture;
    fixture.Circle("ROUTE", 300, 100, 40);
    fixture.LwPolyline("BULGE", {{150, 60, 1}, {250, 60}}, false);
    EXPECT_TRUE(dxf.ReadDrawingFromBytes(fixture.Dxf(), "fixture", 0, 0, 0));
    drawing::LayerCollection layers = dxf.Layers();
    layers.Add(true, kBlue, "ROUTE", true, true, 0, "");
    layers.Add(true, kMagenta, "BULGE", true, true, 0, "");
    layers.Add(true, kRed, "BORDER", true, true, 0, "");
    layers.Add(true, kGreen, "FILL", true, true, 0, "");
    layers.Add(true, kSlate, "SLATE", true, true, 0, "");
    layers.Add(true, kYellow, "TEXT", true, true, 0, "");
    dxf.AddLine(0, 0, 0, 400, 0, 0, "BORDER");
    dxf.AddLine(400, 0, 0, 400, 200, 0, "BORDER");
    dxf.AddLine(400, 200, 0, 0, 200, 0, "BORDER");
    dxf.AddLine(0, 200, 0, 0, 0, 0, "BORDER");
    dxf.AddSolid(40, 40, 100, 40, 100, 100, 40, 100, "FILL");
    dxf.AddLine(150, 20, 0, 250, 20, 0, "SLATE");
    dxf.AddText(150, 150, "TEXT", "TEXT", 1, 20);
    dxf.AddText(380, 30, "HI", "TEXT", 1, 15, 0, 90);
    canvas.resize(900, 500);
    canvas.SyncViewportSize();
    dxf.SetBackColor(0x202020);
    ShowWhole();
  }

  void ShowWhole() {
    dxf.ZoomToExtents();
    dxf.ZoomPercent(90);
  }
  QPointF At(double x, double y) const { return {dxf.DrawingToScreenX(x), dxf.DrawingToScreenY(y)}; }
  static QColor Colour(std::int32_t bgr) { return ColorOf(bgr); }

  drawing::Drawing dxf;
  DrawingCanvas canvas;
};

struct Probe {
  const char* what;
  double x, y;
  std::int32_t colour;
};

TEST_F(PainterTest, EachShapeShowsInItsColourWhereTheViewMapsIt) {
  const QImage image = canvas.RenderImage();
  const Probe probes[] = {
      {"border, lower-left corner", 0, 0, kRed},
      {"border, upper-right corner", 400, 200, kRed},
      {"border, bottom edge", 200, 0, kRed},
      {"circle, right", 340, 100, kBlue},
      {"circle, bottom", 300, 60, kBlue},
      {"circle, 45 degrees", 328.284, 128.284, kBlue},
      {"solid, centre", 70, 70, kGreen},
      {"solid, near a corner", 42, 98, kGreen},
      {"24-bit line, middle", 200, 20, kSlate},
      {"bulge, lowest point", 200, 10, kMagenta},
      {"bulge, 45 degrees", 235.355, 24.645, kMagenta},
  };
  for (const Probe& p : probes) {
    EXPECT_TRUE(HasColourNear(image, At(p.x, p.y), Colour(p.colour)))
        << p.what << ": " << testing::ColoursNear(image, At(p.x, p.y));
  }
}

TEST_F(PainterTest, TheBackgroundFillsWhatTheDrawingLeavesEmpty) {
  const QImage image = canvas.RenderImage();
  const QColor background = Colour(0x202020);
  EXPECT_EQ(QColor(image.pixel(3, 3)).rgb(), background.rgb());
  EXPECT_EQ(QColor(image.pixel(At(120, 180).toPoint())).rgb(), background.rgb());  // inside, empty
  EXPECT_EQ(QColor(image.pixel(At(300, 100).toPoint())).rgb(), background.rgb());  // inside the circle
  // Nothing is drawn beyond the drawing's extents.
  EXPECT_EQ(InkOutside(image, ScreenRect(dxf, 0, 0, 400, 200, 2), background), 0);

  dxf.SetBackColor(0xF0E0D0);
  EXPECT_EQ(QColor(canvas.RenderImage().pixel(3, 3)).rgb(), Colour(0xF0E0D0).rgb());
}

TEST_F(PainterTest, TextsStandAtTheirPointWithTheirHeight) {
  const QImage image = canvas.RenderImage();
  const QColor background = Colour(0x202020);
  const double pixelsPerUnit = dxf.DrawingToScreenX(1) - dxf.DrawingToScreenX(0);

  // "TEXT" (capitals only): its ink starts at the point and is as high as the text.
  const QRect text = InkBox(image, ScreenRect(dxf, 140, 140, 260, 185, 0), background);
  ASSERT_FALSE(text.isEmpty());
  EXPECT_GT(testing::CountColour(image, text, Colour(kYellow)), text.width() * text.height() / 10);
  EXPECT_NEAR(text.left(), At(150, 0).x(), 0.2 * 20 * pixelsPerUnit);  // the glyph's side bearing
  EXPECT_NEAR(text.bottom(), At(0, 150).y(), 1.5);
  EXPECT_NEAR(text.height(), 20 * pixelsPerUnit, 2);
  EXPECT_GT(text.width(), 2 * 20 * pixelsPerUnit);  // four letters side by side

  // "HI" turned a quarter counter-clockwise: it runs upward from its point, its top to the left.
  const QRect turned = InkBox(image, ScreenRect(dxf, 350, 25, 395, 120, 0), background);
  ASSERT_FALSE(turned.isEmpty());
  EXPECT_NEAR(turned.right(), At(380, 0).x(), 1.5);
  EXPECT_NEAR(turned.width(), 15 * pixelsPerUnit, 2);
  EXPECT_NEAR(turned.bottom(), At(0, 30).y(), 0.2 * 15 * pixelsPerUnit);  // the glyph's side bearing
  EXPECT_GT(turned.height(), turned.width());
}

TEST_F(PainterTest, AlignedTextsHangFromTheirPoint) {
  dxf.Clear();
  dxf.Layers().Add(true, kYellow, "TEXT", true, true, 0, "");
  dxf.AddLine(0, 0, 0, 200, 0, 0, "FRAME");
  dxf.AddLine(0, 100, 0, 200, 100, 0, "FRAME");
  dxf.AddText(100, 50, "MID", "TEXT", 1, 10, 1);  // centred on the point
  ShowWhole();
  const QImage image = canvas.RenderImage();
  const QRect ink = InkBox(image, ScreenRect(dxf, 60, 45, 140, 65, 0), ColorOf(0x202020));
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_NEAR((ink.left() + ink.right()) / 2.0, At(100, 0).x(), 2);
  EXPECT_NEAR(ink.bottom(), At(0, 50).y(), 1.5);
}

TEST_F(PainterTest, BlackAndWhiteDisplayShowsEverythingInTheContrastingColour) {
  struct Case {
    std::int32_t background;
    QColor ink;
  };
  for (const Case& c : {Case{0xFFFFFF, Qt::black}, Case{0x000000, Qt::white}}) {
    dxf.SetBackColor(c.background);
    dxf.SetDisplayBlackWhite(true);
    const QImage image = canvas.RenderImage();
    for (const Probe& p : {Probe{"border", 0, 0, 0}, Probe{"circle", 340, 100, 0}, Probe{"solid", 70, 70, 0}})
      EXPECT_TRUE(HasColourNear(image, At(p.x, p.y), c.ink)) << p.what << " on " << c.background;
    // Every pixel is the background, the ink or (at text edges) a grey between them.
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor px(image.pixel(x, y));
        if (px.red() != px.green() || px.green() != px.blue()) ++coloured;
      }
    EXPECT_EQ(coloured, 0);
    dxf.SetDisplayBlackWhite(false);
    EXPECT_TRUE(HasColourNear(canvas.RenderImage(), At(0, 0), Colour(kRed)));
  }
}

TEST_F(PainterTest, ALayerInTheBackgroundsColourStillShows) {
  dxf.SetBackColor(0xFFFFFF);
  dxf.Layers().Add(true, 0xFFFFFF, "BORDER", true, true, 0, "");
  const QImage image = canvas.RenderImage();
  EXPECT_TRUE(HasColourNear(image, At(0, 0), Qt::black)) << testing::ColoursNear(image, At(0, 0));
}

TEST_F(PainterTest, ZoomingRedrawsCurvesSmoothAndLeavesTheRestOut) {
  // Deep into the circle's right edge: the arc must stay on the true circle.
  dxf.ZoomToExtents();
  for (int i = 0; i < 6; ++i) dxf.SpotZoomAt(At(340, 100).x(), At(340, 100).y(), drawing::kLeftButton);
  const QImage image = canvas.RenderImage();
  for (double degrees : {-3.0, 0.0, 2.0}) {
    const double a = degrees * 3.14159265358979 / 180;
    const QPointF p = At(300 + 40 * std::cos(a), 100 + 40 * std::sin(a));
    EXPECT_TRUE(HasColourNear(image, p, Colour(kBlue))) << degrees << ": " << testing::ColoursNear(image, p);
  }
  // The frame and the texts lie outside the window now.
  EXPECT_EQ(InkOutside(image, ScreenRect(dxf, 250, 0, 350, 200, 2), ColorOf(0x202020)), 0);
}

TEST_F(PainterTest, APageOfAnotherSizeShowsTheWindowFittedAndCentred) {
  // As a printer page would be painted: a white page, thick lines, the extents fitted.
  QImage page(1000, 1000, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter painter(&page);
  PaintOptions options;
  options.fillBackground = false;
  options.backColor = 0xFFFFFF;
  options.lineWidth = 4;
  const auto window = DrawingPainter::ExtentsWindow(dxf);
  ASSERT_TRUE(window.has_value());
  const QRectF target(100, 100, 800, 800);
  DrawingPainter().Paint(painter, dxf, target, *window, options);
  painter.end();
  // 400 x 200 fitted into 800 x 800: 2 pixels a unit, centred top to bottom.
  EXPECT_TRUE(HasColourNear(page, QPointF(100, 700), Colour(kRed), 3));  // lower-left corner
  EXPECT_TRUE(HasColourNear(page, QPointF(900, 300), Colour(kRed), 3));  // upper-right corner
  EXPECT_TRUE(HasColourNear(page, QPointF(100 + 2 * 340, 700 - 2 * 100), Colour(kBlue), 3));
  EXPECT_EQ(InkOutside(page, QRect(96, 296, 809, 409), Qt::white), 0);
  // Thick lines are thick: four pixels across the bottom edge.
  int across = 0;
  for (int y = 690; y <= 710; ++y) across += QColor(page.pixel(500, y)).rgb() == Colour(kRed).rgb() ? 1 : 0;
  EXPECT_GE(across, 3);
}

TEST_F(PainterTest, AnEmptyDrawingShowsOnlyTheBackground) {
  dxf.Clear();
  dxf.ZoomToExtents();
  const QImage image = canvas.RenderImage();
  EXPECT_EQ(InkBox(image, image.rect(), ColorOf(0x202020)), QRect());
}

}  // namespace
}  // namespace tv::canvas
