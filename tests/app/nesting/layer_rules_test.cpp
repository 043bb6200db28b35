// Layer rules on small sheets drawn line by line: outline tags, depth limits in layer names
// and on route lines, route order 299, and the layers left out of sheet files.
#include "nesting/layer_rules.h"

#include <gtest/gtest.h>

#include "sheet_fixture.h"

namespace tv::nesting {
namespace {

using LayerRules = testing::SheetTest;

TEST_F(LayerRules, TagBorderLayersNamesTheMergedPartByClassAndNumber) {
  struct Case {
    const char* layer;
    double length, width;
    const char* tag;
  };
  // Small area 100000: a 600 x 400 part is large, 200 x 100 small, 500 x 200 exactly at the limit large.
  const Case cases[] = {
      {"BORDER_Z19", 600, 400, "L_Nested_Part_003"},
      {"BORDER_Z19", 200, 100, "S_Nested_Part_003"},
      {"BORDER_Z19", 500, 200, "L_Nested_Part_003"},
      {"BORDER_Z19_OS", 600, 400, "S_Nested_Part_003"},  // "OS" makes any part small
      {"BORDER_Z19_os", 600, 400, "L_Nested_Part_003"},  // only in capitals
      {"BORDER_NB", 600, 400, "L_Nested_Part_000"},      // no cut-out: number 000
      {"border_nb", 200, 100, "S_Nested_Part_000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layer);
    program.DXF1.Clear();
    AddBox(c.layer, 10, 20, 10 + c.length, 20 + c.width);
    TagBorderLayers(program, 3, 100000);
    EXPECT_TRUE(HasLayer(c.tag));
    EXPECT_FALSE(HasLayer(c.layer));
  }
}

TEST_F(LayerRules, TagBorderLayersMeasuresOnlyThePartJustMerged) {
  AddBox("BORDER_Z19", 0, 0, 600, 400);
  TagBorderLayers(program, 1, 100000);
  // The second part is small; the large first one must no longer count in its measurement.
  AddBox("BORDER_Z19", 700, 0, 900, 100);
  TagBorderLayers(program, 2, 100000);
  EXPECT_TRUE(HasLayer("L_Nested_Part_001"));
  EXPECT_TRUE(HasLayer("S_Nested_Part_002"));
  EXPECT_DOUBLE_EQ(program.BorderMinX, 700);
}

TEST_F(LayerRules, TagBorderLayersRenamesOnlyTheFirstBorderLayer) {
  AddBox("BORDER_A", 0, 0, 600, 400);
  AddBox("BORDER_B", 0, 0, 600, 400);
  TagBorderLayers(program, 1, 100000);
  EXPECT_TRUE(HasLayer("L_Nested_Part_001"));
  EXPECT_TRUE(HasLayer("BORDER_B"));
}

TEST_F(LayerRules, ZLimitLowersDepthCodesInRouteAndBoreLayerNames) {
  struct Case {
    const char* layer;
    const char* adjusted;  // name with ZLimitOn
  };
  // Sheet 19 thick, 0.8 overcut: the limit is 19.8.
  const Case cases[] = {
      {"ROUTE100_Z20P5_T1L", "ROUTE100_Z19P8_T1L"},
      {"VBORE_Z25", "VBORE_Z19P8"},
      {"Route2_z21.5_T3", "Route2_z19P8_T3"},        // any case of "Z"; "." is written "P"
      {"ROUTE100_Z19P8_T1L", "ROUTE100_Z19P8_T1L"},  // at the limit: no excess
      {"ROUTE100_Z10_T1L", "ROUTE100_Z10_T1L"},
      {"ROUTE_T1L", "ROUTE_T1L"},    // no depth code
      {"POCKET_Z30", "POCKET_Z30"},  // neither route nor bore
  };
  for (const bool limitOn : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.layer) + (limitOn ? " limit on" : " limit off"));
      program.DXF1.Clear();
      program.ZLimitOn = limitOn;
      program.CutOutDepthPlus = 0.8;
      program.RunAlertText = "left from the last sheet";
      program.DXF1.AddLine(0, 0, 0, 10, 0, 0, c.layer);
      ZLimit(program, 19);
      const bool exceeded = std::string(c.layer) != c.adjusted;
      EXPECT_TRUE(HasLayer(limitOn ? c.adjusted : c.layer));
      EXPECT_EQ(program.RunAlertText, !exceeded ? ""
                                      : limitOn ? "Cut exceeded depth limit. Depth Adjusted."
                                                : "Cut exceeded depth limit. Depth NOT Adjusted.");
    }
  }
}

TEST_F(LayerRules, ZLimitHoldsRouteLineDepthsButLeavesBoresAlone) {
  program.ZLimitOn = true;
  program.CutOutDepthPlus = 0.8;
  // Depth 25 at the start, 0 at the end (AddLine takes the end depth first).
  program.DXF1.AddLine(0, 0, 0, 10, 0, 25, "ROUTE5_T1L");
  program.DXF1.AddLine(0, 0, 30, 10, 0, 5, "ROUTE5_T1L");
  program.DXF1.AddLine(0, 0, 25, 10, 0, 25, "VBORE_T2");
  ZLimit(program, 19);
  const auto route = LinesOn("ROUTE5_T1L");
  ASSERT_EQ(route.size(), 2u);
  EXPECT_FLOAT_EQ(route[0].Z1, 19.8f);
  EXPECT_FLOAT_EQ(route[0].Z2, 0);
  EXPECT_FLOAT_EQ(route[1].Z1, 5);
  EXPECT_FLOAT_EQ(route[1].Z2, 19.8f);
  const auto bore = LinesOn("VBORE_T2");
  ASSERT_EQ(bore.size(), 1u);
  EXPECT_FLOAT_EQ(bore[0].Z1, 25);
  EXPECT_EQ(program.RunAlertText, "Route exceeded depth limit. Depth Adjusted.");

  program.ZLimitOn = false;
  program.DXF1.AddLine(0, 0, 0, 10, 0, 40, "ROUTE5_T1L");
  ZLimit(program, 19);
  EXPECT_FLOAT_EQ(LinesOn("ROUTE5_T1L")[2].Z1, 40);
  EXPECT_EQ(program.RunAlertText, "Route exceeded depth limit. Depth NOT Adjusted.");
}

TEST_F(LayerRules, SetRoute1GivesRoutesWithoutOrderTheOrder299) {
  const std::pair<const char*, const char*> cases[] = {
      {"ROUTE_1", "Route299_1"},  {"ROUTE05", "Route29905"}, {"route", "Route299"},
      {"ROUTE5_T1", "ROUTE5_T1"}, {"Route9", "Route9"},      {"MYROUTE_1", "MYROUTE_1"},
  };
  for (const auto& [before, after] : cases) program.DXF1.AddLine(0, 0, 0, 1, 1, 0, before);
  SetRoute1(program);
  for (const auto& [before, after] : cases) EXPECT_TRUE(HasLayer(after)) << before;
}

TEST_F(LayerRules, StripLayersKeepsAnnotationAndPartOutlinesOutOfTheFile) {
  const std::pair<const char*, bool> cases[] = {
      {"DESC_PART", true},         {"Name", true},
      {"BARCODE", true},           {"L_Nested_Part_001", true},
      {"S_Nested_Part_002", true}, {"Route601_T1L", false},
      {"Border_Z19", false},       {"Tavolin", false},
      {"ROUTE100_Z19P8", false},
  };
  for (const auto& [name, stripped] : cases) program.DXF1.AddLine(0, 0, 0, 1, 1, 0, name);
  StripLayers(program);
  drawing::LayerCollection layers = program.DXF1.Layers();
  for (const auto& [name, stripped] : cases) {
    for (int i = 1; i <= layers.Count(); ++i) {
      if (layers.Item(i).Name() == name) {
        EXPECT_EQ(layers.Item(i).Stripped(), stripped) << name;
      }
    }
  }
  EXPECT_TRUE(HasLayer("Route601_T1L"));
}

}  // namespace
}  // namespace tv::nesting
