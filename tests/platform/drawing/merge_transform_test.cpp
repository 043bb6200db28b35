// Reading with an offset, merging part drawings into a sheet, and turning, scaling or
// mirroring the entities of the last read. Coordinates are worked out by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "drawing/drawing.h"
#include "dxf_text.h"

namespace tv::drawing {
namespace {

using testing::BlocksFile;
using testing::EntitiesFile;
using testing::Lines;
using testing::MustRead;

struct Box {
  double left, top, right, bottom;
};

// Extents of the items (both kinds) on the layers whose name contains key.
Box ItemBox(Drawing& d, const std::string& key) {
  Box b{1e9, -1e9, -1e9, 1e9};
  auto visit = [&](const std::vector<SegmentItem>& items) {
    for (const SegmentItem& s : items) {
      if (s.LayerName.find(key) == std::string::npos) continue;
      for (auto [x, y] : {std::pair{s.X1, s.Y1}, std::pair{s.X2, s.Y2}}) {
        b.left = std::min<double>(b.left, x);
        b.right = std::max<double>(b.right, x);
        b.top = std::max<double>(b.top, y);
        b.bottom = std::min<double>(b.bottom, y);
      }
    }
  };
  visit(d.GetEntities1());
  visit(d.GetEntities2());
  return b;
}

void ExpectBox(const Box& got, Box want, double tolerance = 1e-3) {
  EXPECT_NEAR(got.left, want.left, tolerance);
  EXPECT_NEAR(got.top, want.top, tolerance);
  EXPECT_NEAR(got.right, want.right, tolerance);
  EXPECT_NEAR(got.bottom, want.bottom, tolerance);
}

TEST(DrawingMerge, KeepsLayersByNameAndMovesTheFileByTheOffset) {
  Drawing d;
  MustRead(
      d,
      Lines("0|SECTION|2|TABLES|0|TABLE|2|LAYER|0|LAYER|2|BORDER|70|0|62|1|0|ENDTAB|0|ENDSEC|"
            "0|SECTION|2|ENTITIES|0|LINE|8|BORDER|10|0|20|0|11|600|21|0|0|LINE|8|ROUTE1|10|0|20|0|11|0|21|9|"
            "0|ENDSEC|0|EOF"),
      0, 10, 20);
  MustRead(
      d,
      Lines(
          "0|SECTION|2|TABLES|0|TABLE|2|LAYER|0|LAYER|2|BORDER|70|0|62|3|0|LAYER|2|VBORE|70|0|62|5|0|ENDTAB|"
          "0|ENDSEC|0|SECTION|2|ENTITIES|0|LINE|8|BORDER|10|0|20|0|11|100|21|0|"
          "0|CIRCLE|8|VBORE|10|50|20|50|40|5|0|ENDSEC|0|EOF"),
      1, 1000, 0);
  ASSERT_EQ(d.Layers().Count(), 3);
  EXPECT_EQ(d.Layers().Item(1).Name(), "BORDER");
  EXPECT_EQ(d.Layers().Item(2).Name(), "ROUTE1");
  EXPECT_EQ(d.Layers().Item(3).Name(), "VBORE");
  EXPECT_EQ(d.Layers().Item(1).Color(), 255);  // the sheet's layer keeps its colour
  EXPECT_EQ(d.EntityCount(), 4);
  const auto lines = d.GetEntities1();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_FLOAT_EQ(lines[0].X1, 10);
  EXPECT_FLOAT_EQ(lines[0].Y1, 20);
  EXPECT_FLOAT_EQ(lines[2].X1, 1000);
  EXPECT_FLOAT_EQ(lines[2].X2, 1100);
  EXPECT_EQ(lines[2].LayerName, "BORDER");
  ExpectBox(ItemBox(d, "VBORE"), {1045, 55, 1055, 45});
}

TEST(DrawingMerge, BlocksOfTheSameNameKeepTheirOwnContent) {
  auto part = [](const char* radius) {
    return BlocksFile(
        std::string("0|BLOCK|2|HINGE|70|0|10|0|20|0|30|0|0|CIRCLE|8|0|10|0|20|0|40|") + radius + "|0|ENDBLK",
        "0|INSERT|8|VBORE|2|HINGE|10|0|20|0");
  };
  auto blockCount = [](Drawing& d) {
    const std::string out = d.WriteDrawingToString();
    std::size_t n = 0;
    for (std::size_t p = out.find("\r\nBLOCK\r\n"); p != std::string::npos;
         p = out.find("\r\nBLOCK\r\n", p + 1))
      ++n;
    return n;
  };
  Drawing same;
  MustRead(same, part("17.5"));
  MustRead(same, part("17.5"), 1, 100, 0);
  EXPECT_EQ(blockCount(same), 1u);  // one block serves both parts

  Drawing other;
  MustRead(other, part("17.5"));
  MustRead(other, part("5"), 1, 100, 0);
  EXPECT_EQ(blockCount(other), 2u);
  const auto items = other.GetEntities2();
  float maxX = -1e9f;
  for (const SegmentItem& s : items) maxX = std::max({maxX, s.X1, s.X2});
  EXPECT_NEAR(maxX, 105, 1e-4);  // the second part's hinge is still the small one
  float l, t, r, b;
  ASSERT_TRUE(other.GetExtents(l, t, r, b));
  EXPECT_NEAR(l, -17.5, 1e-4);
  EXPECT_NEAR(t, 17.5, 1e-4);
}

// Parts drawn from one template share block names with other contents, also inside other
// blocks: OUTER holds INNER, a 10 x 10 square in one part and a circle of radius 3 in the other.
TEST(DrawingMerge, NestedBlocksAreComparedAfterTheirOwnRenaming) {
  const std::string square =
      "0|LINE|8|0|10|0|20|0|11|10|21|0|0|LINE|8|0|10|10|20|0|11|10|21|10|"
      "0|LINE|8|0|10|10|20|10|11|0|21|10|0|LINE|8|0|10|0|20|10|11|0|21|0";
  const std::string circle = "0|CIRCLE|8|0|10|0|20|0|40|3";
  auto part = [](const std::string& inner, bool outerFirst) {
    const std::string innerBlock = "0|BLOCK|2|INNER|70|0|10|0|20|0|30|0|" + inner + "|0|ENDBLK";
    const std::string outerBlock =
        "0|BLOCK|2|OUTER|70|0|10|0|20|0|30|0|0|INSERT|8|0|2|INNER|10|0|20|0|0|ENDBLK";
    return BlocksFile(outerFirst ? outerBlock + "|" + innerBlock : innerBlock + "|" + outerBlock,
                      "0|INSERT|8|VBORE|2|OUTER|10|0|20|0");
  };
  auto blockCount = [](const std::string& written) {
    std::size_t n = 0;
    for (std::size_t p = written.find("\r\nBLOCK\r\n"); p != std::string::npos;
         p = written.find("\r\nBLOCK\r\n", p + 1))
      ++n;
    return n;
  };
  // The extents {left, bottom, right, top} of the segments that start in [x0, x0 + 200).
  auto extentsNear = [](Drawing& d, float x0) {
    std::array<float, 4> e{1e9f, 1e9f, -1e9f, -1e9f};
    for (const SegmentItem& s : d.GetEntities2()) {
      if (s.X1 < x0 || s.X1 >= x0 + 200) continue;
      e = {std::min({e[0], s.X1, s.X2}), std::min({e[1], s.Y1, s.Y2}), std::max({e[2], s.X1, s.X2}),
           std::max({e[3], s.Y1, s.Y2})};
    }
    return e;
  };
  // Squares at 0 and 600, circles at 200 and 400, in the drawing and in the file written.
  struct Shown {
    float x0;
    std::array<float, 4> extents;
  };
  const Shown shown[] = {
      {-50, {0, 0, 10, 10}}, {150, {197, -3, 203, 3}}, {350, {397, -3, 403, 3}}, {550, {600, 0, 610, 10}}};
  for (const bool outerFirst : {false, true}) {
    SCOPED_TRACE(outerFirst ? "outer block first in the file" : "inner block first in the file");
    Drawing d;
    MustRead(d, part(square, outerFirst));
    MustRead(d, part(circle, outerFirst), 1, 200, 0);
    MustRead(d, part(circle, outerFirst), 1, 400, 0);
    MustRead(d, part(square, outerFirst), 1, 600, 0);
    const std::string written = d.WriteDrawingToString();
    // Each content has its one block, however often its part comes.
    EXPECT_EQ(blockCount(written), 4u);
    Drawing again;
    MustRead(again, written);
    for (Drawing* drawing : {&d, &again}) {
      for (const Shown& s : shown) {
        const auto e = extentsNear(*drawing, s.x0);
        for (int k = 0; k < 4; ++k)
          EXPECT_NEAR(e[k], s.extents[k], 1e-3) << "part at " << s.x0 + 50 << ", " << k;
      }
    }
  }
}

// A 600 x 300 part with an outline, a rounded corner arc, a route line with a ramp, a label
// and a block reference.
const char* kPart =
    "0|LWPOLYLINE|8|BORDER|90|4|70|1|10|0|20|0|10|600|20|0|10|600|20|300|10|0|20|300|"
    "0|ARC|8|ROUTE1|10|550|20|250|30|0|40|50|50|0|51|90|"
    "0|TEXT|8|NAME|10|100|20|50|30|0|40|10|1|Side|"
    "0|LINE|8|ROUTE2|10|100|20|100|30|0|11|200|21|100|31|5|"
    "0|INSERT|8|VBORE|2|H|10|300|20|150|30|0";

std::string PartFile() {
  return BlocksFile("0|BLOCK|2|H|70|0|10|0|20|0|30|0|0|LINE|8|0|10|0|20|0|11|10|21|0|0|ENDBLK", kPart);
}

TEST(DrawingTransform, QuarterTurnAboutThePlacedCorner) {
  Drawing d;
  MustRead(d, EntitiesFile("0|LINE|8|EARLIER|10|5|20|5|11|50|21|5"));
  // placed corner (1000, 500); the part's width 300 shifts the turned part back onto its place
  MustRead(d, PartFile(), 1, 1000, 500);
  d.TransformEntities(d.EntityCount(), 1000, 500, 300, 0, 90, 1, 1);

  ExpectBox(ItemBox(d, "BORDER"), {1000, 1100, 1300, 500});
  // arc centre (550, 250) -> (1050, 1050), now from 90 to 180 degrees
  ExpectBox(ItemBox(d, "ROUTE1"), {1000, 1100, 1050, 1050});
  const auto lines = d.GetEntities1();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_FLOAT_EQ(lines[0].X1, 5);  // the part merged before stays where it was
  EXPECT_FLOAT_EQ(lines[1].X1, 1200);
  EXPECT_FLOAT_EQ(lines[1].Y1, 600);
  EXPECT_FLOAT_EQ(lines[1].Z1, 0);
  EXPECT_FLOAT_EQ(lines[1].X2, 1200);
  EXPECT_FLOAT_EQ(lines[1].Y2, 700);
  EXPECT_FLOAT_EQ(lines[1].Z2, 5);
  ExpectBox(ItemBox(d, "VBORE"), {1150, 810, 1150, 800});
  const auto texts = d.GetTexts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_FLOAT_EQ(texts[0].X1, 1250);
  EXPECT_FLOAT_EQ(texts[0].Y1, 600);
  EXPECT_FLOAT_EQ(texts[0].Rotation, 90);  // exactly: the label hit test compares it with 90
}

TEST(DrawingTransform, ReachesOnlyTheEntitiesOfTheLastReadBelowTheCount) {
  Drawing d;
  MustRead(d, EntitiesFile("0|LINE|8|A|10|0|20|0|11|10|21|0"));
  MustRead(d, EntitiesFile("0|LINE|8|B|10|0|20|0|11|10|21|0"), 1);
  const int countAfterRead = d.EntityCount();
  d.AddLine(0, 0, 0, 10, 0, 0, "ADDED");
  d.TransformEntities(d.EntityCount(), 0, 0, 0, 0, 90, 1, 1);  // the added line came after the read
  const auto lines = d.GetEntities1();
  EXPECT_FLOAT_EQ(lines[0].Y2, 0);
  EXPECT_FLOAT_EQ(lines[1].Y2, 10);
  EXPECT_FLOAT_EQ(lines[2].Y2, 0);
  d.TransformEntities(countAfterRead - 1, 0, 0, 0, 0, 90, 1, 1);  // a count short of the read: nothing
  EXPECT_FLOAT_EQ(d.GetEntities1()[1].X2, 0);
  EXPECT_FLOAT_EQ(d.GetEntities1()[1].Y2, 10);
}

TEST(DrawingTransform, ScalesALetterAndReportsItsExtents) {
  Drawing d;
  MustRead(d, EntitiesFile("0|LINE|8|0|10|0|20|0|11|6|21|10|0|CIRCLE|8|0|10|3|20|5|40|1|"
                           "0|TEXT|8|0|10|1|20|1|40|2|1|x"));
  MustRead(d, EntitiesFile("0|LINE|8|0|10|0|20|0|11|6|21|10"), 1, 9, 0);
  d.TransformEntities(d.EntityCount(), 0, 0, 0, 0, 0, 2, 2);
  float x, y, w, h;
  ASSERT_TRUE(d.GetEntityExtents(x, y, w, h));
  EXPECT_FLOAT_EQ(x, 18);  // the merged letter, scaled about the origin with its offset
  EXPECT_FLOAT_EQ(y, 0);
  EXPECT_FLOAT_EQ(w, 12);
  EXPECT_FLOAT_EQ(h, 20);
  float l, t, r, b;
  ASSERT_TRUE(d.GetExtents(l, t, r, b));
  EXPECT_FLOAT_EQ(r, 30);
  EXPECT_FLOAT_EQ(d.GetTexts()[0].Height, 2);  // the first read is no longer the last

  Drawing single;
  MustRead(single, EntitiesFile("0|CIRCLE|8|0|10|3|20|5|40|1|0|TEXT|8|0|10|1|20|1|40|2|1|x"));
  single.TransformEntities(single.EntityCount(), 0, 0, 0, 0, 0, 2, 2);
  ASSERT_TRUE(single.GetEntityExtents(x, y, w, h));
  EXPECT_FLOAT_EQ(single.GetTexts()[0].Height, 4);
  ExpectBox(ItemBox(single, "0"), {4, 12, 8, 8});
}

TEST(DrawingTransform, UnevenScaleAndMirrorKeepCurvesWhereTheyBelong) {
  struct Case {
    const char* what;
    const char* entity;
    double scaleX, scaleY;
    Box box;
  } cases[] = {
      {"circle stretched", "0|CIRCLE|8|0|10|0|20|0|40|10", 2, 1, {-20, 10, 20, -10}},
      {"arc stretched", "0|ARC|8|0|10|0|20|0|40|10|50|0|51|90", 2, 1, {0, 10, 20, 0}},
      {"arc mirrored", "0|ARC|8|0|10|10|20|0|40|5|50|0|51|90", -1, 1, {-15, 5, -10, 0}},
      {"bulge mirrored", "0|LWPOLYLINE|8|0|90|2|70|0|10|0|20|0|42|1|10|10|20|0", -1, 1, {-10, 0, 0, -5}},
      {"bulge stretched", "0|LWPOLYLINE|8|0|90|2|70|0|10|0|20|0|42|1|10|10|20|0", 1, 2, {0, 0, 10, -10}},
      {"ellipse turned",
       "0|ELLIPSE|8|0|10|0|20|0|11|10|21|0|40|0.5|41|0|42|6.283185307179586",
       1,
       1,
       {-10, 5, 10, -5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Drawing d;
    MustRead(d, EntitiesFile(c.entity));
    d.TransformEntities(d.EntityCount(), 0, 0, 0, 0, 0, c.scaleX, c.scaleY);
    ExpectBox(ItemBox(d, "0"), c.box, 0.02);
    // the written form (R12 has no ellipse; an upside-down plane is turned up) stays put
    Drawing again;
    MustRead(again, d.WriteDrawingToString());
    ExpectBox(ItemBox(again, "0"), c.box, 0.02);
  }
}

TEST(DrawingRead, OffsetMovesUpsideDownArcsAndBlockReferencesInTheWorld) {
  Drawing d;
  MustRead(d,
           BlocksFile("0|BLOCK|2|P|70|0|10|0|20|0|30|0|0|LINE|8|0|10|1|20|1|11|2|21|1|0|ENDBLK",
                      "0|ARC|8|A|10|10|20|0|40|5|50|0|51|90|210|0|220|0|230|-1|0|INSERT|8|B|2|P|10|0|20|0"),
           0, 100, 50);
  ExpectBox(ItemBox(d, "A"), {85, 55, 90, 50});
  ExpectBox(ItemBox(d, "B"), {101, 51, 102, 51});
}

// The groups of the first record of a type in a written file, as "code value" lines.
std::string WrittenRecord(const std::string& written, const std::string& type) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  for (std::size_t end; (end = written.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(written.substr(at, end - at));
  std::string out;
  bool inside = false;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
    if (lines[i] == "  0") {
      if (inside) break;
      inside = lines[i + 1] == type;
      continue;
    }
    if (inside) out += lines[i] + " " + lines[i + 1] + "\n";
  }
  return out;
}

TEST(DrawingTransform, AttributeDefinitionsMoveTurnAndScaleWithTheirPart) {
  // A centred attribute definition outside any block: both its points go with the part
  // (the alignment point is the one readers place it by), and it turns and grows with it.
  Drawing d;
  MustRead(d, EntitiesFile("0|ATTDEF|8|NOTE|10|5|20|5|40|2|1|x|3|Prompt|2|TAG|70|0|72|1|11|5|21|5"), 0, 100,
           0);
  d.TransformEntities(d.EntityCount(), 100, 0, 0, 0, 90, 2, 2);
  // (105, 5) turned a quarter about (100, 0) and doubled: (90, 10)
  EXPECT_EQ(WrittenRecord(d.WriteDrawingToString(), "ATTDEF"),
            "  8 NOTE\n 10 90.0\n 20 10.0\n 40 4.0\n  1 x\n  3 Prompt\n  2 TAG\n 70 0\n 72 1\n"
            " 11 90.0\n 21 10.0\n 50 90.0\n");

  // A multi-line definition of a newer version: its "Embedded Object" part (group 101 on)
  // reuses the codes of the definition's own points and has no older form; it is left out.
  Drawing multiLine;
  MustRead(multiLine,
           EntitiesFile("0|ATTDEF|8|NOTE|10|5|20|5|40|2|1|x|3|Prompt|2|TAG|70|0|72|1|11|5|21|5|"
                        "101|Embedded Object|70|1|10|1|20|0|30|0|11|1|21|1|31|0|40|60|41|0|71|1|72|5"),
           0, 100, 0);
  multiLine.TransformEntities(multiLine.EntityCount(), 100, 0, 0, 0, 90, 2, 2);
  EXPECT_EQ(WrittenRecord(multiLine.WriteDrawingToString(), "ATTDEF"),
            "  8 NOTE\n 10 90.0\n 20 10.0\n 40 4.0\n  1 x\n  3 Prompt\n  2 TAG\n 70 0\n 72 1\n"
            " 11 90.0\n 21 10.0\n 50 90.0\n");
}

}  // namespace
}  // namespace tv::drawing
