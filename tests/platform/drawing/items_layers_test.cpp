// Segment items with writable depths, the layer collection, and the entities the program
// adds (lines with their crosswise depths, filled areas, texts and their font).
#include <gtest/gtest.h>

#include <stdexcept>

#include "drawing/drawing.h"
#include "dxf_text.h"

namespace tv::drawing {
namespace {

using testing::BlocksFile;
using testing::EntitiesFile;
using testing::MustRead;

TEST(DrawingItems, DepthWritesChangeTheEntityTheItemCameFrom) {
  Drawing d;
  MustRead(d, BlocksFile(
                  "0|BLOCK|2|B|70|0|10|0|20|0|30|0|0|LINE|8|ROUTE9|10|0|20|0|30|25|11|1|21|0|31|25|0|ENDBLK",
                  "0|LINE|8|ROUTE1|10|0|20|0|30|25|11|100|21|0|31|0|"
                  "0|LWPOLYLINE|8|ROUTE2|90|3|70|0|38|25|10|0|20|0|10|50|20|0|10|50|20|50|"
                  "0|POLYLINE|8|ROUTE3|66|1|70|8|0|VERTEX|10|0|20|0|30|25|70|32|"
                  "0|VERTEX|10|10|20|0|30|30|70|32|0|VERTEX|10|20|20|0|30|0|70|32|0|SEQEND|"
                  "0|INSERT|8|ROUTE9|2|B|10|0|20|0"));
  auto lines = d.GetEntities1();
  ASSERT_EQ(lines.size(), 1u);
  lines[0].SetZ1(19.8f);  // only the start of the line is too deep
  auto others = d.GetEntities2();
  ASSERT_EQ(others.size(), 5u);  // 2 polyline segments, 2 3D segments, the block's line
  others[0].SetZ2(19.8f);        // a flat polyline has one elevation
  others[3].SetZ1(19.8f);        // the 3D polyline's middle vertex (start of segment 2)
  others[4].SetZ1(1.0f);         // inside a block: not the drawing's own entity

  const auto linesAfter = d.GetEntities1();
  EXPECT_FLOAT_EQ(linesAfter[0].Z1, 19.8f);
  EXPECT_FLOAT_EQ(linesAfter[0].Z2, 0);
  const auto after = d.GetEntities2();
  for (int k : {0, 1}) {
    EXPECT_FLOAT_EQ(after[k].Z1, 19.8f);
    EXPECT_FLOAT_EQ(after[k].Z2, 19.8f);
  }
  EXPECT_FLOAT_EQ(after[2].Z1, 25);
  EXPECT_FLOAT_EQ(after[2].Z2, 19.8f);
  EXPECT_FLOAT_EQ(after[3].Z1, 19.8f);
  EXPECT_FLOAT_EQ(after[3].Z2, 0);
  EXPECT_FLOAT_EQ(after[4].Z1, 25);
  // the change is in what gets written
  Drawing again;
  MustRead(again, d.WriteDrawingToString());
  EXPECT_FLOAT_EQ(again.GetEntities1()[0].Z1, 19.8f);
  EXPECT_FLOAT_EQ(again.GetEntities2()[1].Z2, 19.8f);
}

TEST(DrawingItems, ItemsOfAReplacedDrawingWriteNothing) {
  Drawing d;
  MustRead(d, EntitiesFile("0|LINE|8|ROUTE1|10|0|20|0|30|25|11|1|21|0|31|25"));
  auto stale = d.GetEntities1();
  MustRead(d, EntitiesFile("0|LINE|8|ROUTE1|10|0|20|0|30|7|11|1|21|0|31|7"));
  stale[0].SetZ1(1);
  EXPECT_FLOAT_EQ(stale[0].Z1, 1);  // the item itself takes it
  EXPECT_FLOAT_EQ(d.GetEntities1()[0].Z1, 7);
}

TEST(DrawingLayers, CollectionFromOneAddRenameAndColour) {
  Drawing d;
  MustRead(d, EntitiesFile("0|LINE|8|BORDER_Z19|10|0|20|0|11|600|21|0|0|LINE|8|ROUTE_1|10|0|20|0|11|0|21|5"));
  LayerCollection layers = d.Layers();
  ASSERT_EQ(layers.Count(), 2);
  EXPECT_EQ(layers.Item(1).Name(), "BORDER_Z19");
  EXPECT_THROW(layers.Item(0), std::out_of_range);
  EXPECT_THROW(layers.Item(3), std::out_of_range);

  Layer& added = layers.Add(true, 0xFF0000, "Tavolin", true, true, 0, "");
  EXPECT_EQ(layers.Count(), 3);
  EXPECT_EQ(&layers.Item(3), &added);
  EXPECT_EQ(added.Color(), 0xFF0000);
  Layer& again = layers.Add(true, 255, "Tavolin", true, true, 0, "");
  EXPECT_EQ(&again, &added);  // the same layer, now red
  EXPECT_EQ(layers.Count(), 3);
  EXPECT_EQ(added.Color(), 255);

  // renaming takes the layer's entities along, in the queries and in the file
  layers.Item(1).SetName("L_Nested_Part_001");
  layers.Item(2).SetName("Route299_1");
  const auto items = d.GetEntities1();
  EXPECT_EQ(items[0].LayerName, "L_Nested_Part_001");
  EXPECT_EQ(items[1].LayerName, "Route299_1");
  const std::string written = d.WriteDrawingToString();
  EXPECT_EQ(written.find("BORDER_Z19"), std::string::npos);
  EXPECT_NE(written.find("\r\nRoute299_1\r\n"), std::string::npos);
}

TEST(DrawingLayers, LayersRenamedToOneNameAreWrittenOnce) {
  Drawing d;
  MustRead(d, EntitiesFile("0|LINE|8|BORDER|10|0|20|0|11|1|21|0|0|LINE|8|BORDER_NB|10|0|20|0|11|0|21|1"));
  d.Layers().Item(1).SetName("L_Nested_Part_000");
  d.Layers().Item(2).SetName("L_Nested_Part_000");
  const std::string written = d.WriteDrawingToString();
  const std::string entry = "LAYER\r\n  2\r\nL_Nested_Part_000\r\n";
  ASSERT_NE(written.find(entry), std::string::npos);
  EXPECT_EQ(written.find(entry, written.find(entry) + 1), std::string::npos);
  Drawing again;
  MustRead(again, written);
  EXPECT_EQ(again.GetEntities1().size(), 2u);
}

TEST(DrawingAdded, LinesTakeTheirDepthsCrosswise) {
  Drawing d;
  // the route generator passes the end's depth third and the start's sixth
  d.AddLine(30, 51, 19.8, 50, 50, 0, "Route601_T1L");
  const auto items = d.GetEntities1();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_FLOAT_EQ(items[0].X1, 30);
  EXPECT_FLOAT_EQ(items[0].Z1, 0);  // the lead point starts at the top
  EXPECT_FLOAT_EQ(items[0].X2, 50);
  EXPECT_FLOAT_EQ(items[0].Z2, 19.8f);
  EXPECT_EQ(d.Layers().Item(d.Layers().Count()).Name(), "Route601_T1L");
}

TEST(DrawingAdded, SolidsAreFilledRoundTheirCorners) {
  Drawing d;
  d.AddSolid(1, 10, 1, 0, 3, 0, 3, 10, "TavolinT1");
  const std::string written = d.WriteDrawingToString();
  // the file fills corners 1 2 4 3, so the third and fourth change places
  EXPECT_NE(
      written.find(" 10\r\n1.0\r\n 20\r\n10.0\r\n 30\r\n0.0\r\n 11\r\n1.0\r\n 21\r\n0.0\r\n 31\r\n0.0\r\n"
                   " 12\r\n3.0\r\n 22\r\n10.0\r\n 32\r\n0.0\r\n 13\r\n3.0\r\n 23\r\n0.0\r\n"),
      std::string::npos)
      << written;
  const DisplayList shown = d.BuildDisplayList(0.1);
  ASSERT_EQ(shown.paths.size(), 1u);
  EXPECT_TRUE(shown.paths[0].filled);
  const std::vector<Vec2>& p = shown.paths[0].points;
  ASSERT_EQ(p.size(), 4u);
  EXPECT_EQ(p[2].x, 3);  // drawn round: (1,10) (1,0) (3,0) (3,10)
  EXPECT_EQ(p[2].y, 0);
}

TEST(DrawingAdded, TextsAlignHeightAndFont) {
  Drawing d;
  d.AddText(100, 200, " 12, B1, Side", "Zuvodavi", 1, 15, 1, 90);
  d.AddText(0, 50, "MDF 19", "DESCRIPTION", 1, 0);  // height 0: the drawing's text size
  d.SetUseDxfFont(false);
  d.SetFontName("Arial");
  d.AddText(0, 60, "TVV", "Tavolin", 1, 12);
  const auto texts = d.GetTexts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_FLOAT_EQ(texts[0].X1, 100);
  EXPECT_FLOAT_EQ(texts[0].Y1, 200);
  EXPECT_FLOAT_EQ(texts[0].Rotation, 90);
  EXPECT_FLOAT_EQ(texts[1].Height, 2.5f);
  const std::string written = d.WriteDrawingToString();
  EXPECT_NE(written.find(" 72\r\n1\r\n 11\r\n100.0\r\n 21\r\n200.0\r\n"),
            std::string::npos);  // centred on the point
  EXPECT_NE(written.find("STYLE\r\n  2\r\nArial\r\n"), std::string::npos);
  EXPECT_NE(written.find("arial.ttf"), std::string::npos);
  EXPECT_NE(written.find("TVV\r\n  7\r\nArial\r\n"), std::string::npos);
  EXPECT_EQ(written.find("MDF 19\r\n  7\r\n"), std::string::npos);  // the drawing font is the default style
}

}  // namespace
}  // namespace tv::drawing

namespace tv::drawing {
namespace {

TEST(DrawingDisplay, ResolvesColoursAndLeavesOutHiddenLayers) {
  Drawing d;
  testing::MustRead(
      d,
      testing::Lines(
          "0|SECTION|2|TABLES|0|TABLE|2|LAYER|0|LAYER|2|RED|70|0|62|1|0|LAYER|2|OFF|70|0|62|-2|"
          "0|LAYER|2|FROZEN|70|1|62|2|0|ENDTAB|0|ENDSEC|"
          "0|SECTION|2|BLOCKS|0|BLOCK|2|B|70|0|10|0|20|0|30|0|0|LINE|8|0|62|0|10|0|20|0|11|1|21|0|0|ENDBLK|"
          "0|ENDSEC|0|SECTION|2|ENTITIES|"
          "0|LINE|8|RED|10|0|20|0|11|1|21|1|"       // by layer: red
          "0|LINE|8|RED|62|5|10|0|20|0|11|1|21|1|"  // its own colour: blue
          "0|INSERT|8|RED|62|3|2|B|10|0|20|0|"      // by block: the reference's green
          "0|LINE|8|OFF|10|0|20|0|11|1|21|1|0|LINE|8|FROZEN|10|0|20|0|11|1|21|1|"
          "0|TEXT|8|RED|10|0|20|0|40|2|1|label|0|ENDSEC|0|EOF"));
  const DisplayList shown = d.BuildDisplayList(0.01);
  ASSERT_EQ(shown.paths.size(), 3u);
  EXPECT_EQ(shown.paths[0].color, 0x0000FF);
  EXPECT_EQ(shown.paths[1].color, 0xFF0000);
  EXPECT_EQ(shown.paths[2].color, 0x00FF00);
  ASSERT_EQ(shown.texts.size(), 1u);
  EXPECT_EQ(shown.texts[0].text, "label");
  EXPECT_EQ(shown.texts[0].height, 2);
}

TEST(DrawingDisplay, ShowsALayersTwentyFourBitColour) {
  Drawing d;
  testing::MustRead(d,
                    testing::Lines("0|SECTION|2|TABLES|0|TABLE|2|LAYER|0|LAYER|2|SLATE|70|0|62|5|420|3368601|"
                                   "0|ENDTAB|0|ENDSEC|0|SECTION|2|ENTITIES|"
                                   "0|LINE|8|SLATE|10|0|20|0|11|1|21|1|"       // by layer
                                   "0|LINE|8|SLATE|62|1|10|0|20|0|11|1|21|1|"  // its own colour number
                                   "0|TEXT|8|SLATE|10|0|20|0|40|2|1|x|0|ENDSEC|0|EOF"));
  d.Layers().Add(true, 0x00A5FF, "ADDED", true, true, 0, "");
  d.AddLine(0, 0, 0, 5, 5, 0, "ADDED");
  const DisplayList shown = d.BuildDisplayList(0.01);
  ASSERT_EQ(shown.paths.size(), 3u);
  EXPECT_EQ(shown.paths[0].color, 0x996633);  // RGB 336699 as &HBBGGRR
  EXPECT_EQ(shown.paths[1].color, 0x0000FF);
  EXPECT_EQ(shown.paths[2].color, 0x00A5FF);  // not the nearest colour number's orange
  ASSERT_EQ(shown.texts.size(), 1u);
  EXPECT_EQ(shown.texts[0].color, 0x996633);
}

TEST(DrawingDisplay, ShowsAnEntitysOwnTwentyFourBitColour) {
  // 420 holds &HRRGGBB and wins over the colour number beside it; an entity by block inside a
  // reference takes the reference's 24-bit colour, one by layer keeps its layer's colour.
  Drawing d;
  testing::MustRead(d, testing::Lines("0|SECTION|2|BLOCKS|0|BLOCK|2|HINGE|70|0|10|0|20|0|"
                                      "0|LINE|8|0|62|0|10|0|20|0|11|1|21|0|"    // by block
                                      "0|LINE|8|0|62|256|10|0|20|1|11|1|21|1|"  // by layer
                                      "0|ENDBLK|0|ENDSEC|0|SECTION|2|ENTITIES|"
                                      "0|LINE|8|0|62|1|420|3368601|10|0|20|0|11|1|21|1|"
                                      "0|TEXT|8|0|62|3|420|16753920|10|0|20|0|40|2|1|x|"
                                      "0|INSERT|8|0|62|5|420|65280|2|HINGE|10|5|20|5|"
                                      "0|LINE|8|0|62|1|10|0|20|0|11|1|21|1|0|ENDSEC|0|EOF"));
  const DisplayList shown = d.BuildDisplayList(0.01);
  ASSERT_EQ(shown.paths.size(), 4u);
  EXPECT_EQ(shown.paths[0].color, 0x996633);  // RGB 336699, not red
  EXPECT_EQ(shown.paths[1].color, 0x00FF00);  // the reference's green, not its blue number
  EXPECT_EQ(shown.paths[2].color, 0xFFFFFF);  // layer 0's white
  EXPECT_EQ(shown.paths[3].color, 0x0000FF);  // only a colour number: red
  ASSERT_EQ(shown.texts.size(), 1u);
  EXPECT_EQ(shown.texts[0].color, 0x00A5FF);  // RGB FFA500
}

}  // namespace
}  // namespace tv::drawing
