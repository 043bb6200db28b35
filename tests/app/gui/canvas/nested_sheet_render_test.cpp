// A real nested sheet and the composite of the sample job, rendered as the viewer shows them:
// the sheet border at its corners, the cut-out routes round the parts, the part labels where
// the drawing has them, and nothing beyond the extents.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>

#include "e2e/sample_job.h"
#include "gui/canvas/drawing_canvas.h"
#include "nesting/run_driver.h"
#include "pixel_probe.h"
#include "text/ascii_text.h"
#include "viewer/viewer_procedures.h"

namespace tv::canvas {
namespace {

using testing::HasColourNear;
using testing::InkBox;
using testing::InkOutside;
using testing::ScreenRect;

class NestedSheetRender : public e2e::SampleJob {
 protected:
  void SetUp() override {
    StartWithJob();
    nesting::Proc_Click(program);
    for (const auto& message : ui.Messages()) ADD_FAILURE() << message.title << ": " << message.text;
    ASSERT_FALSE(program.NestFiles.empty());
    canvas = std::make_unique<DrawingCanvas>(program.DXF1);
    canvas->resize(1000, 700);
    canvas->SyncViewportSize();
  }
  QPointF At(double x, double y) const {
    return {program.DXF1.DrawingToScreenX(x), program.DXF1.DrawingToScreenY(y)};
  }
  QColor LayerColour(const std::string& name) {
    drawing::LayerCollection layers = program.DXF1.Layers();
    for (int i = 1; i <= layers.Count(); ++i)
      if (layers.Item(i).Name() == name) return ColorOf(layers.Item(i).Color());
    ADD_FAILURE() << "no layer " << name;
    return {};
  }
  QColor Background() const { return ColorOf(program.DXF1.BackColor()); }

  std::unique_ptr<DrawingCanvas> canvas;
};

TEST_F(NestedSheetRender, TheSheetShowsItsBorderRoutesAndLabelsWhereTheDrawingHasThem) {
  ASSERT_TRUE(viewer::ShowDxf(program, program.NestFiles.front()));
  const QImage image = canvas->RenderImage();

  double minX = 1e18, minY = 1e18, maxX = -1e18, maxY = -1e18;
  std::string borderLayer;
  std::vector<drawing::SegmentItem> routes;
  for (const drawing::SegmentItem& line : program.DXF1.GetEntities1()) {
    if (line.LayerName.rfind("Border_Z", 0) == 0) {
      borderLayer = line.LayerName;
      minX = std::min({minX, static_cast<double>(line.X1), static_cast<double>(line.X2)});
      maxX = std::max({maxX, static_cast<double>(line.X1), static_cast<double>(line.X2)});
      minY = std::min({minY, static_cast<double>(line.Y1), static_cast<double>(line.Y2)});
      maxY = std::max({maxY, static_cast<double>(line.Y1), static_cast<double>(line.Y2)});
    } else if (line.LayerName.rfind("Route6", 0) == 0) {
      routes.push_back(line);
    }
  }
  ASSERT_FALSE(borderLayer.empty());
  const QColor red = LayerColour(borderLayer);
  EXPECT_EQ(red, QColor(Qt::red));
  for (const QPointF corner : {At(minX, minY), At(maxX, maxY), At(minX, maxY), At(maxX, minY)})
    EXPECT_TRUE(HasColourNear(image, corner, red)) << testing::ColoursNear(image, corner);

  // Each cut-out route is drawn along its length (a pixel off at most: neighbouring parts'
  // routes lie closer together than a pixel at this scale).
  ASSERT_FALSE(routes.empty());
  int missed = 0;
  for (const drawing::SegmentItem& line : routes) {
    const QPointF middle = At((line.X1 + line.X2) / 2, (line.Y1 + line.Y2) / 2);
    if (QColor(image.pixel(middle.toPoint())).rgb() == Background().rgb() &&
        !HasColourNear(image, middle, LayerColour(line.LayerName)))
      ++missed;
  }
  EXPECT_EQ(missed, 0) << "of " << routes.size() << " route lines";

  // The part labels: ink inside a box round each label point.
  int labels = 0;
  for (const drawing::TextItem& text : program.DXF1.GetTexts()) {
    if (text::UpperAscii(text.LayerName) != "ZUVODAVI") continue;
    ++labels;
    const QRect around = QRectF(At(text.X1, text.Y1) - QPointF(12, 12), QSizeF(24, 24)).toAlignedRect();
    EXPECT_FALSE(InkBox(image, around, Background()).isEmpty()) << text.Txt;
  }
  EXPECT_GT(labels, 0);

  // Nothing beyond the drawing's extents.
  float left, top, right, bottom;
  ASSERT_TRUE(program.DXF1.GetExtents(left, top, right, bottom));
  EXPECT_EQ(InkOutside(image,
                       ScreenRect(program.DXF1, left, std::min(top, bottom), right, std::max(top, bottom), 2),
                       Background()),
            0);
}

TEST_F(NestedSheetRender, TheCompositeShowsEverySheetBorder) {
  ASSERT_TRUE(viewer::ShowDxf(program, program.AppDir + "Nests/CompNest.DXF"));
  const QImage image = canvas->RenderImage();
  int borders = 0;
  int drawn = 0;
  for (const drawing::SegmentItem& line : program.DXF1.GetEntities1()) {
    if (line.LayerName.rfind("Border_Z", 0) != 0) continue;
    ++borders;
    const QPointF middle = At((line.X1 + line.X2) / 2, (line.Y1 + line.Y2) / 2);
    if (HasColourNear(image, middle, Qt::red)) ++drawn;
  }
  EXPECT_EQ(borders, 4 * static_cast<int>(program.NestFiles.size()));
  EXPECT_EQ(drawn, borders);
}

}  // namespace
}  // namespace tv::canvas
