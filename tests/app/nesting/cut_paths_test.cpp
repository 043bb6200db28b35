// Cut-out routes (points, depths, direction, layer names), the drop cut and the perimeter
// clean-up route on small hand-drawn sheets.
#include "nesting/cut_paths.h"

#include <gtest/gtest.h>

#include <cmath>

#include "nesting/perimeter_outline.h"
#include "sheet_fixture.h"

namespace tv::nesting {
namespace {

struct Point {
  double x, y, z;
};

void ExpectRoute(const std::array<RoutePoint, 8>& actual, const std::array<Point, 8>& expected) {
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_NEAR(actual[i].X, expected[i].x, 1e-9) << "P" << i + 1;
    EXPECT_NEAR(actual[i].Y, expected[i].y, 1e-9) << "P" << i + 1;
    EXPECT_NEAR(actual[i].Z, expected[i].z, 1e-9) << "P" << i + 1;
  }
}

TEST(CutOutRoute, EntersOnTheTopOrRightEdgeWithLeadsOutsideThePart) {
  struct Case {
    const char* name;
    float minX, maxX, maxY, minY;
    std::array<Point, 8> route;  // lead 20, clearance 2 (leads 1 outside), depth 5, clockwise
  };
  const Case cases[] = {
      {"long part: top middle",
       0,
       100,
       50,
       0,
       {{{30, 51, 0},
         {50, 50, 5},
         {100, 50, 5},
         {100, 0, 5},
         {0, 0, 5},
         {0, 50, 5},
         {50, 50, 5},
         {70, 51, 5}}}},
      {"narrow tall part: right middle",
       0,
       30,
       100,
       0,
       {{{31, 70, 0},
         {30, 50, 5},
         {30, 0, 5},
         {0, 0, 5},
         {0, 100, 5},
         {30, 100, 5},
         {30, 50, 5},
         {31, 30, 5}}}},
      {"short wide part: top edge, leads level with its ends",
       10,
       40,
       20,
       0,
       {{{10, 21, 0},
         {25, 20, 5},
         {40, 20, 5},
         {40, 0, 5},
         {10, 0, 5},
         {10, 20, 5},
         {25, 20, 5},
         {40, 21, 5}}}},
      {"short tall part: right edge, leads level with its ends",
       0,
       20,
       30,
       0,
       {{{21, 30, 0}, {20, 15, 5}, {20, 0, 5}, {0, 0, 5}, {0, 30, 5}, {20, 30, 5}, {20, 15, 5}, {21, 0, 5}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectRoute(CutOutRoute(c.minX, c.maxX, c.maxY, c.minY, 20, 1, 5, true), c.route);
  }
}

TEST(CutOutRoute, CounterClockwiseStartsAtTheOtherLead) {
  const auto route = CutOutRoute(0, 100, 50, 0, 20, 1, 5, false);
  EXPECT_EQ(route[0].Z, 5);
  EXPECT_EQ(route[7].Z, 0);
  EXPECT_EQ(route[7].X, 70);
}

TEST(Rnd3, RoundsToThreeDecimals) {
  EXPECT_FLOAT_EQ(Rnd3(12.34567f), 12.346f);
  EXPECT_FLOAT_EQ(Rnd3(-0.0004f), 0);
  EXPECT_FLOAT_EQ(Rnd3(2440), 2440);
}

class CutPaths : public testing::SheetTest {
 protected:
  CutPaths() {
    program.CutOutRouter = "1";
    program.CutOutClockwise = true;
    program.LeadLength = 20;
    program.CutOutClearance = 2;
    program.OsThickness = 0.5;
    program.CutOutDepthPlus = 0.8;
    run.SheetLength = 2440;
    run.SheetWidth = 1220;
    run.SheetThickness = 19;
    run.SawKerf = 10;
  }
  RunValues run;
};

TEST_F(CutPaths, GenCutOutsRoutesSmallPartsTwiceAndStoresEveryPartsExtents) {
  AddBox("L_Nested_Part_001", 0, 0, 100, 50);
  AddBox("S_Nested_Part_002", 200, 0, 230.00049, 100);
  AddBox("L_Nested_Part_000", 500, 500, 600, 600);  // no cut-out
  GenCutOuts(program, run);

  EXPECT_FALSE(HasLayer("Route301_T1L"));
  const auto skin = LinesOn("Route302_T1L");
  ASSERT_EQ(skin.size(), 7u);
  EXPECT_FLOAT_EQ(skin[1].Z1, 18.5f);
  ASSERT_EQ(LinesOn("Route602_T1L").size(), 7u);
  EXPECT_FALSE(HasLayer("Route600_T1L"));

  // The 100 x 50 part clockwise: P1 (30, 51) at the surface down to P8 (70, 51) at the depth.
  const auto through = LinesOn("Route601_T1L");
  ASSERT_EQ(through.size(), 7u);
  const double expected[8][2] = {{30, 51}, {50, 50}, {100, 50}, {100, 0},
                                 {0, 0},   {0, 50},  {50, 50},  {70, 51}};
  for (size_t i = 0; i < 7; ++i) {
    EXPECT_FLOAT_EQ(through[i].X1, expected[i][0]);
    EXPECT_FLOAT_EQ(through[i].Y1, expected[i][1]);
    EXPECT_FLOAT_EQ(through[i].X2, expected[i + 1][0]);
    EXPECT_FLOAT_EQ(through[i].Y2, expected[i + 1][1]);
  }
  EXPECT_FLOAT_EQ(through[0].Z1, 0);
  EXPECT_FLOAT_EQ(through[0].Z2, 19.8f);
  EXPECT_FLOAT_EQ(through[6].Z2, 19.8f);

  // The part without cut-out comes last: the drop cut and the perimeter route must miss it.
  ASSERT_EQ(run.NestedPartExtents.size(), 4u);
  EXPECT_FLOAT_EQ(run.NestedPartExtents[3].MinX, 500);
  EXPECT_FLOAT_EQ(run.NestedPartExtents[3].MaxY, 600);
  EXPECT_FLOAT_EQ(run.NestedPartExtents[2].MinX, 200);
  EXPECT_FLOAT_EQ(run.NestedPartExtents[2].MaxX, 230);  // rounded to three decimals
  EXPECT_FLOAT_EQ(run.NestedPartExtents[2].MaxY, 100);
  EXPECT_FLOAT_EQ(run.NestedPartExtents[2].MinY, 0);
}

TEST_F(CutPaths, GenCutOutsLayerNamesFollowOrderDirectionAndTool) {
  struct Case {
    bool cutOutFirst, clockwise;
    const char* tool;
    const char* skinLayer;
    const char* throughLayer;
  };
  const Case cases[] = {
      {false, true, "1", "Route301_T1L", "Route601_T1L"},
      {true, true, "1", "Route-599_T1L", "Route-299_T1L"},
      {false, false, "2", "Route301_T2R", "Route601_T2R"},
      {false, true, "1.5", "Route301_T1P5L", "Route601_T1P5L"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.throughLayer);
    program.DXF1.Clear();
    program.CutOutFirst = c.cutOutFirst;
    program.CutOutClockwise = c.clockwise;
    program.CutOutRouter = c.tool;
    AddBox("S_Nested_Part_001", 0, 0, 100, 50);
    GenCutOuts(program, run);
    EXPECT_EQ(LinesOn(c.skinLayer).size(), 7u);
    const auto through = LinesOn(c.throughLayer);
    ASSERT_EQ(through.size(), 7u);
    // Counter-clockwise the route starts at (70, 51) and runs back over the same points.
    EXPECT_FLOAT_EQ(through[0].X1, c.clockwise ? 30 : 70);
    EXPECT_FLOAT_EQ(through[0].Z1, 0);
    EXPECT_FLOAT_EQ(through[6].X2, c.clockwise ? 70 : 30);
  }
}

TEST_F(CutPaths, GenCutOutsRoutesThePartsPlacedAfterAPartWithoutCutOut) {
  run.NestedPartExtents.assign(6, PartExtents{1, 2, 3, 4});  // left by a larger sheet
  // Part 2 was tagged 000 (no cut-out); parts 1 and 3 still need their routes.
  AddBox("L_Nested_Part_001", 0, 0, 100, 50);
  AddBox("L_Nested_Part_000", 120, 0, 180, 50);
  AddBox("S_Nested_Part_003", 200, 0, 300, 50);
  GenCutOuts(program, run);
  EXPECT_TRUE(HasLayer("Route601_T1L"));
  EXPECT_FALSE(HasLayer("Route602_T1L"));
  EXPECT_TRUE(HasLayer("Route303_T1L"));
  EXPECT_TRUE(HasLayer("Route603_T1L"));
  ASSERT_EQ(run.NestedPartExtents.size(), 4u);  // parts 1 and 3, then the one without cut-out
  EXPECT_FLOAT_EQ(run.NestedPartExtents[2].MinX, 200);
  EXPECT_FLOAT_EQ(run.NestedPartExtents[3].MinX, 120);
}

TEST_F(CutPaths, DropCutPassesBeyondAPartWithoutCutOut) {
  program.NestFromCorner = 0;
  program.DropCutLength = 100;
  program.DropCutPasses = 1;
  AddBox("L_Nested_Part_001", 0, 0, 1000, 500);
  AddBox("L_Nested_Part_000", 1000, 0, 1600, 300);  // reaches furthest right
  GenCutOuts(program, run);
  GenDropCut(program, run);
  const auto lines = LinesOn("Route900_T1L");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_FLOAT_EQ(lines[0].X1, 1601);  // k = kerf / 10 beyond the part, not through it
}

TEST_F(CutPaths, GenDropCutCutsOffALongEnoughOffcut) {
  struct Case {
    const char* name;
    int corner;
    float dropLength;
    int passes;
    const char* layer;  // "" when no cut
    double x;
  };
  // Parts reach x 10..1500 from the left; mirrored, 940..2430 from the right. k = 1.
  const Case cases[] = {
      {"left, offcut 940 > 900", 0, 900, 1, "Route900_T1L", 1501},
      {"upper left", 1, 900, 1, "Route900_T1L", 1501},
      {"left, offcut 940 not > 940", 0, 940, 1, "", 0},
      {"two passes", 0, 900, 2, "Route900_T1L_M2", 1501},
      {"right, offcut 940 > 900", 2, 900, 1, "Route900_T1R", 939},
      {"lower right, offcut not > 940", 3, 940, 1, "", 0},
      {"unknown corner", 4, 100, 1, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    program.DXF1.Clear();
    program.NestFromCorner = static_cast<std::int16_t>(c.corner);
    program.DropCutLength = c.dropLength;
    program.DropCutPasses = c.passes;
    if (c.corner < 2) {
      run.NestedPartExtents = {{}, {10, 1000, 500, 10}, {10, 1500, 1200, 600}};
    } else {
      run.NestedPartExtents = {{}, {1440, 2430, 500, 10}, {940, 2430, 1200, 600}};
    }
    run.DropArea = 123;
    GenDropCut(program, run);
    if (*c.layer == 0) {
      EXPECT_EQ(program.DXF1.GetEntities1().size(), 0u);
      EXPECT_EQ(run.DropArea, 0);
      continue;
    }
    const auto lines = LinesOn(c.layer);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FLOAT_EQ(lines[0].X1, c.x);
    EXPECT_FLOAT_EQ(lines[0].Y1, -10);
    EXPECT_FLOAT_EQ(lines[0].X2, c.x);
    EXPECT_FLOAT_EQ(lines[0].Y2, 1230);
    EXPECT_FLOAT_EQ(lines[0].Z1, 19.8f);
    EXPECT_FLOAT_EQ(run.DropArea, static_cast<float>((c.corner < 2 ? 2440 - c.x : c.x) * 1220));
  }
}

TEST_F(CutPaths, GenDropCutWithPerimeterCleanAddsASecondLineToTheSheetEdge) {
  program.PerimeterClean = true;
  program.DropCutLength = 100;
  run.NestedPartExtents = {{}, {10, 1000, 500, 10}};
  GenDropCut(program, run);
  const auto lines = LinesOn("Route900_T1L");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_FLOAT_EQ(lines[1].Y1, -10);
  EXPECT_FLOAT_EQ(lines[1].Y2, 1220);
}

TEST_F(CutPaths, GenDropCutWithoutPartsCutsNothing) {
  program.DropCutLength = 100;
  run.NestedPartExtents.assign(1, PartExtents{});
  GenDropCut(program, run);
  EXPECT_EQ(program.DXF1.GetEntities1().size(), 0u);
}

TEST_F(CutPaths, PerimCleanRoutesRoundTheGroupAtTheSkinDepth) {
  AddBox("L_Nested_Part_001", 10, 10, 210, 60);
  AddBox("L_Nested_Part_002", 160, 70, 210, 260);
  GenCutOuts(program, run);
  PerimClean(program, run);
  const auto lines = LinesOn("Route901_T1L");
  const double corners[7][2] = {{211, 261}, {211, 9}, {9, 9}, {9, 61}, {159, 61}, {159, 261}, {211, 261}};
  ASSERT_EQ(lines.size(), 6u);
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_FLOAT_EQ(lines[i].X1, corners[i][0]);
    EXPECT_FLOAT_EQ(lines[i].Y1, corners[i][1]);
    EXPECT_FLOAT_EQ(lines[i].X2, corners[i + 1][0]);
    EXPECT_FLOAT_EQ(lines[i].Y2, corners[i + 1][1]);
    EXPECT_FLOAT_EQ(lines[i].Z1, 18.5f);
    EXPECT_FLOAT_EQ(lines[i].Z2, 18.5f);
  }
}

TEST_F(CutPaths, PerimCleanWithCutOutsOffRoutesRoundThisSheetsParts) {
  program.CutOutsOn = false;
  run.NestedPartExtents = {{}, {1000, 2000, 1000, 500}};  // an earlier sheet's part
  AddBox("L_Nested_Part_001", 0, 0, 100, 50);
  PerimClean(program, run);
  const auto lines = LinesOn("Route901_T1L");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_FLOAT_EQ(lines[0].X1, 101);
  EXPECT_FLOAT_EQ(lines[0].Y1, 51);
  EXPECT_FLOAT_EQ(lines[2].X2, -1);
}

}  // namespace
}  // namespace tv::nesting
