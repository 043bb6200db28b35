// Border measurement and layer extents on drawings loaded in the working drawing.
#include <gtest/gtest.h>

#include <string>

#include "core/program.h"
#include "testing/dxf_fixture.h"
#include "testing/scripted_ui.h"
#include "viewer/drawing_inspection.h"

namespace tv::viewer {
namespace {

using test_support::DxfFixture;

class InspectionTest : public testing::Test {
 protected:
  void Load(const DxfFixture& dxf) {
    std::string error;
    ASSERT_TRUE(program_.DXF1.ReadDrawingFromBytes(dxf.Dxf(), "fixture.dxf", 0, 0, 0, &error)) << error;
  }

  struct Measured {
    double length, width, thickness;
  };
  Measured Measure(double expectedLength, double expectedWidth) {
    Measured m{expectedLength, expectedWidth, -1};
    MeasureBorder(program_, m.length, m.width, m.thickness);
    return m;
  }

  test_support::ScriptedUi ui_;
  core::Program program_{ui_};
};

struct OutlineCase {
  const char* name;
  DxfFixture drawing;
  double length, width, minX, minY, thickness;
};

OutlineCase Outline(const char* name, DxfFixture drawing, double length, double width, double minX,
                    double minY, double thickness) {
  return OutlineCase{name, std::move(drawing), length, width, minX, minY, thickness};
}

void PrintTo(const OutlineCase& c, std::ostream* os) {
  *os << c.name;
}

class OutlineTest : public InspectionTest, public testing::WithParamInterface<OutlineCase> {};

TEST_P(OutlineTest, MeasuresTheTrueOutline) {
  const OutlineCase& c = GetParam();
  Load(c.drawing);
  const Measured m = Measure(c.length, c.width);
  EXPECT_DOUBLE_EQ(m.length, c.length);
  EXPECT_DOUBLE_EQ(m.width, c.width);
  EXPECT_DOUBLE_EQ(m.thickness, c.thickness);
  EXPECT_DOUBLE_EQ(program_.BorderMinX, c.minX);
  EXPECT_DOUBLE_EQ(program_.BorderMinY, c.minY);
  EXPECT_FALSE(program_.BorderSizeMismatch);
  EXPECT_FALSE(program_.MultipleBorderLayers);
}

// A quarter-turn bulge: tan(90 / 4 degrees).
constexpr double kQuarter = 0.41421356237309503;

INSTANTIATE_TEST_SUITE_P(
    Kinds, OutlineTest,
    testing::Values(
        Outline("Lines", DxfFixture().LineRect("BORDER_Z19", 10, 20, 600, 400), 600, 400, 10, 20, 19),
        // a corner shelf whose edges all start at the square corner: the far ends are only
        // ever end points, and still count
        Outline("LinesFromOneCorner",
                DxfFixture()
                    .Line("BORDER_Z19", 0, 0, 400, 0)
                    .Line("BORDER_Z19", 0, 0, 0, 300)
                    .Line("BORDER_Z19", 400, 0, 0, 300),
                400, 300, 0, 0, 19),
        Outline("ClosedLwPolyline",
                DxfFixture().LwPolyline("BORDER_Z0P75", {{-5, -5}, {25, -5}, {25, 13}, {-5, 13}}, true), 30,
                18, -5, -5, 0.75),
        Outline("ClosedPolyline",
                DxfFixture().Polyline("BORDER_Z6", {{0, 0}, {380, 0}, {380, 480}, {0, 480}}, true), 380, 480,
                0, 0, 6),
        // rounded ends: only the arcs reach the outline's least and greatest X
        Outline("ArcEnds",
                DxfFixture()
                    .Line("BORDER_Z19", 200, 0, 600, 0)
                    .Arc("BORDER_Z19", 600, 200, 200, 270, 90)
                    .Line("BORDER_Z19", 600, 400, 200, 400)
                    .Arc("BORDER_Z19", 200, 200, 200, 90, 270),
                800, 400, 0, 0, 19),
        // a bulged edge: the front bows out 20 beyond the corners
        Outline("BulgedEdge",
                DxfFixture().LwPolyline("BORDER_Z19", {{0, 0}, {800, 0}, {800, 260, 0.05}, {0, 260}}, true),
                800, 280, 0, 0, 19),
        // rounded corners as polyline bulges
        Outline("BulgedCorners",
                DxfFixture().LwPolyline("BORDER_Z19",
                                        {{10, 0},
                                         {90, 0, kQuarter},
                                         {100, 10},
                                         {100, 40, kQuarter},
                                         {90, 50},
                                         {10, 50, kQuarter},
                                         {0, 40},
                                         {0, 10, kQuarter}},
                                        true),
                100, 50, 0, 0, 19),
        // machining outside the outline and other layers do not count
        Outline("OnlyBorderLayers",
                DxfFixture()
                    .LineRect("Border_Z19_OS", 0, 0, 100, 60)
                    .Line("ROUTE1_Z6", -50, -50, 300, 300)
                    .Line("OUTLINE", -80, -80, 400, 400),
                100, 60, 0, 0, 19)),
    [](const testing::TestParamInfo<OutlineCase>& param) { return std::string(param.param.name); });

TEST_F(InspectionTest, ADrawingWithoutBorderMeasuresNothing) {
  Load(DxfFixture().LineRect("OUTLINE", 0, 0, 100, 100));
  const Measured m = Measure(100, 100);
  EXPECT_EQ(m.length, 0);
  EXPECT_EQ(m.width, 0);
  EXPECT_EQ(m.thickness, 0);
  EXPECT_EQ(program_.BorderMinX, 999999999);
  EXPECT_EQ(program_.BorderMinY, 999999999);
  EXPECT_TRUE(program_.BorderSizeMismatch);
}

TEST_F(InspectionTest, MismatchAgainstTheTolerance) {
  Load(DxfFixture().LineRect("BORDER_Z19", 0, 0, 600, 400));
  // An unset tolerance becomes 2 and stays so.
  Measure(602, 398);
  EXPECT_FALSE(program_.BorderSizeMismatch);
  EXPECT_EQ(program_.DimensionTolerance, 2);
  Measure(600, 402.5);
  EXPECT_TRUE(program_.BorderSizeMismatch);
  Measure(597.9, 400);
  EXPECT_TRUE(program_.BorderSizeMismatch);

  program_.DimensionTolerance = 0.5;
  Measure(600.4, 399.6);
  EXPECT_FALSE(program_.BorderSizeMismatch);
  Measure(600.6, 400);
  EXPECT_TRUE(program_.BorderSizeMismatch);
}

TEST_F(InspectionTest, SizesAreRoundedToThreeDecimals) {
  Load(DxfFixture().LineRect("BORDER_Z18P2", 0.5, 0, 600.12345, 399.9996));
  const Measured m = Measure(600, 400);
  EXPECT_DOUBLE_EQ(m.length, 600.123);
  EXPECT_DOUBLE_EQ(m.width, 400);
  EXPECT_DOUBLE_EQ(m.thickness, 18.2);
  EXPECT_DOUBLE_EQ(program_.BorderMinX, 0.5);
}

TEST_F(InspectionTest, TheFirstCodedBorderLayerFixesTheThickness) {
  // Polylines are visited before lines: the 19 of the polyline wins over the line's 6, and
  // a BORDER layer without code does not stop the search.
  Load(DxfFixture()
           .Line("BORDER", 0, 0, 10, 0)
           .Line("BORDER_Z6", 10, 0, 10, 10)
           .LwPolyline("BORDER_Z19", {{0, 0}, {10, 10}}, false));
  EXPECT_EQ(Measure(10, 10).thickness, 19);
}

TEST_F(InspectionTest, BorderItemsOnDifferentlyNamedLayers) {
  // Many items on one layer are one outline.
  Load(DxfFixture().LineRect("BORDER_Z19", 0, 0, 100, 100));
  Measure(100, 100);
  EXPECT_FALSE(program_.MultipleBorderLayers);

  // Names differing only in case are two layers.
  Load(DxfFixture().LineRect("BORDER", 0, 0, 100, 100).Line("Border", 0, 0, 50, 50));
  Measure(100, 100);
  EXPECT_TRUE(program_.MultipleBorderLayers);

  // The flag is never cleared by a measurement; the callers clear it before a batch.
  Load(DxfFixture().LineRect("BORDER_Z19", 0, 0, 100, 100));
  Measure(100, 100);
  EXPECT_TRUE(program_.MultipleBorderLayers);
}

TEST_F(InspectionTest, LayerExtentsOfTheLayersContainingTheKey) {
  Load(DxfFixture()
           .LineRect("BORDER_Z19", 0, 0, 600, 400)
           .Line("Route1_Z6P5", 50, 60, 550, 60)
           .Arc("ROUTE_Z8", 300, 200, 50, 0, 180)
           .Line("VBORE_Z12", -20, -20, 700, 700));
  float minX = 0, maxX = 0, maxY = 0, minY = 0;
  // lines are visited last, so the line's layer is the last one found
  EXPECT_EQ(GetLayerExtents(program_, "route", minX, maxX, maxY, minY), "ROUTE1_Z6P5");
  EXPECT_FLOAT_EQ(minX, 50);
  EXPECT_FLOAT_EQ(maxX, 550);
  EXPECT_FLOAT_EQ(maxY, 250);
  EXPECT_FLOAT_EQ(minY, 60);

  EXPECT_EQ(GetLayerExtents(program_, "ENGRAVE", minX, maxX, maxY, minY), "");
  EXPECT_FLOAT_EQ(minX, 1e9f);
  EXPECT_FLOAT_EQ(maxX, -1e9f);
  EXPECT_FLOAT_EQ(maxY, -1e9f);
  EXPECT_FLOAT_EQ(minY, 1e9f);
}

TEST_F(InspectionTest, MissingFieldsFallBackToTextsOnLayersNamedAfterTheKey) {
  Load(DxfFixture()
           .Text("CABINET_TAG", 0, 0, "")
           .Text("Cabinet", 0, 0, "  B7 ")
           .Text("CABINET", 0, 0, "B8")
           .Text("JOB", 0, 0, "text job"));
  program_.DrawingCommentText = "Cabinet:, Job: 2417, ";
  std::string cabinet = "Cabinet";
  // the empty text is passed over; the first non-empty one gives the value, trimmed
  EXPECT_EQ(GetDrawingField(program_, cabinet), "B7");
  std::string job = "Job";
  EXPECT_EQ(GetDrawingField(program_, job), "2417");
  std::string room = "Room";
  EXPECT_EQ(GetDrawingField(program_, room), "");
}

}  // namespace
}  // namespace tv::viewer
