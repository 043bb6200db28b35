// Geometry the engine understands: the true extents of every entity kind, block
// references, texts, and outline items that reach the real outline.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "drawing/drawing.h"
#include "dxf_text.h"

namespace tv::drawing {
namespace {

using testing::BlocksFile;
using testing::EntitiesFile;
using testing::MustRead;

struct Box {
  double left, top, right, bottom;
};

void ExpectExtents(Drawing& d, Box want) {
  float l, t, r, b;
  ASSERT_TRUE(d.GetExtents(l, t, r, b));
  EXPECT_NEAR(l, want.left, 1e-4);
  EXPECT_NEAR(t, want.top, 1e-4);
  EXPECT_NEAR(r, want.right, 1e-4);
  EXPECT_NEAR(b, want.bottom, 1e-4);
}

TEST(DrawingGeometry, EveryEntityKindHasItsTrueExtents) {
  const double s45 = 10 * std::sqrt(0.5);
  struct Case {
    const char* what;
    std::string file;
    Box box;
  } cases[] = {
      {"line", EntitiesFile("0|LINE|8|A|10|1|20|2|30|0|11|5|21|-3|31|0"), {1, 2, 5, -3}},
      {"point", EntitiesFile("0|POINT|8|A|10|3|20|4|30|0"), {3, 4, 3, 4}},
      {"circle", EntitiesFile("0|CIRCLE|8|A|10|10|20|20|30|0|40|5"), {5, 25, 15, 15}},
      // 45..135 degrees passes the top of the circle
      {"arc over its top", EntitiesFile("0|ARC|8|A|10|0|20|0|30|0|40|10|50|45|51|135"), {-s45, 10, s45, s45}},
      // 300..30 degrees wraps through 0
      {"arc through 0 degrees",
       EntitiesFile("0|ARC|8|A|10|0|20|0|30|0|40|10|50|300|51|30"),
       {5, 5, 10, -10 * std::sqrt(0.75)}},
      // seen from below: object x runs along world -x
      {"upside-down arc",
       EntitiesFile("0|ARC|8|A|10|10|20|0|30|0|40|5|50|0|51|90|210|0|220|0|230|-1"),
       {-15, 5, -10, 0}},
      {"ellipse",
       EntitiesFile("0|ELLIPSE|8|A|10|0|20|0|30|0|11|10|21|0|31|0|40|0.5|41|0|42|6.283185307179586"),
       {-10, 5, 10, -5}},
      {"upright ellipse",
       EntitiesFile("0|ELLIPSE|8|A|10|0|20|0|30|0|11|0|21|10|31|0|40|0.5|41|0|42|6.283185307179586"),
       {-5, 10, 5, -10}},
      {"half ellipse",
       EntitiesFile("0|ELLIPSE|8|A|10|0|20|0|30|0|11|10|21|0|31|0|40|0.5|41|0|42|3.141592653589793"),
       {-10, 5, 10, 0}},
      // bulge 1 from (0,0) to (10,0) turns counter-clockwise: the half circle below
      {"bulged lightweight polyline",
       EntitiesFile("0|LWPOLYLINE|8|A|90|2|70|0|38|7|10|0|20|0|42|1|10|10|20|0"),
       {0, 0, 10, -5}},
      {"bulged polyline",
       EntitiesFile("0|POLYLINE|8|A|66|1|10|0|20|0|30|7|70|0|0|VERTEX|8|A|10|0|20|0|42|-1|"
                    "0|VERTEX|8|A|10|10|20|0|0|SEQEND"),
       {0, 5, 10, 0}},
      {"solid", EntitiesFile("0|SOLID|8|A|10|0|20|0|11|4|21|0|12|0|22|3|13|4|23|3"), {0, 3, 4, 0}},
      {"3d face",
       EntitiesFile("0|3DFACE|8|A|10|0|20|0|30|0|11|1|21|0|31|0|12|1|22|1|32|5|13|0|23|1|33|5"),
       {0, 1, 1, 0}},
      // a straight spline of degree 1 and a quadratic one peaking at half the control height
      {"spline degree 1",
       EntitiesFile(
           "0|SPLINE|8|A|70|8|71|1|40|0|40|0|40|1|40|2|40|2|10|0|20|0|30|0|10|5|20|5|30|0|10|10|20|0|30|0"),
       {0, 5, 10, 0}},
      {"spline degree 2",
       EntitiesFile("0|SPLINE|8|A|70|8|71|2|40|0|40|0|40|0|40|1|40|1|40|1|10|0|20|0|30|0|10|5|20|10|30|0|10|"
                    "10|20|0|30|0"),
       {0, 5, 10, 0}},
      // block content (1,1)-(3,1) around base (1,1), scaled 2, turned 90 degrees, at (10,10)
      {"block reference",
       BlocksFile("0|BLOCK|2|B|70|0|10|1|20|1|30|0|0|LINE|8|0|10|1|20|1|11|3|21|1|0|ENDBLK",
                  "0|INSERT|8|A|2|B|10|10|20|10|30|0|41|2|42|2|43|1|50|90"),
       {10, 14, 10, 10}},
      {"reference array",
       BlocksFile("0|BLOCK|2|P|70|0|10|0|20|0|30|0|0|POINT|8|0|10|0|20|0|0|ENDBLK",
                  "0|INSERT|8|A|2|P|10|0|20|0|70|3|71|2|44|10|45|5"),
       {0, 5, 20, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Drawing d;
    MustRead(d, c.file);
    ExpectExtents(d, c.box);
  }
}

// What the border measurement does with the items: least X1, greatest Y1, greatest X2,
// least Y2 over the items of GetEntities2 and GetEntities1.
Box MeasureLikeBorder(Drawing& d) {
  Box b{1e9, -1e9, -1e9, 1e9};
  auto visit = [&](const std::vector<SegmentItem>& items) {
    for (const SegmentItem& s : items) {
      b.left = std::min<double>(b.left, s.X1);
      b.top = std::max<double>(b.top, s.Y1);
      b.right = std::max<double>(b.right, s.X2);
      b.bottom = std::min<double>(b.bottom, s.Y2);
    }
  };
  visit(d.GetEntities2());
  visit(d.GetEntities1());
  return b;
}

TEST(DrawingGeometry, OutlineItemsReachTheRealOutline) {
  // A 100 x 50 outline drawn three ways; the rounded corners (radius 10) must not shrink it.
  const char* kLines =
      "0|LINE|8|BORDER|10|0|20|0|11|0|21|50|0|LINE|8|BORDER|10|0|20|50|11|100|21|50|"
      "0|LINE|8|BORDER|10|100|20|50|11|100|21|0|0|LINE|8|BORDER|10|100|20|0|11|0|21|0";
  const char* kClosedPolyline =
      "0|LWPOLYLINE|8|BORDER|90|4|70|1|10|0|20|0|10|100|20|0|10|100|20|50|10|0|20|50";
  // clockwise lines with quarter arcs at the corners
  const char* kArcCorners =
      "0|LINE|8|BORDER|10|10|20|0|11|90|21|0|0|ARC|8|BORDER|10|90|20|10|40|10|50|270|51|360|"
      "0|LINE|8|BORDER|10|100|20|10|11|100|21|40|0|ARC|8|BORDER|10|90|20|40|40|10|50|0|51|90|"
      "0|LINE|8|BORDER|10|90|20|50|11|10|21|50|0|ARC|8|BORDER|10|10|20|40|40|10|50|90|51|180|"
      "0|LINE|8|BORDER|10|0|20|40|11|0|21|10|0|ARC|8|BORDER|10|10|20|10|40|10|50|180|51|270";
  // the same with bulges in a closed polyline (0.41421356 = tan(22.5 degrees))
  const char* kBulgedCorners =
      "0|LWPOLYLINE|8|BORDER|90|8|70|1|10|10|20|0|10|90|20|0|42|0.4142135623730951|10|100|20|10|"
      "10|100|20|40|42|0.4142135623730951|10|90|20|50|10|10|20|50|42|0.4142135623730951|10|0|20|40|"
      "10|0|20|10|42|0.4142135623730951";
  for (const char* outline : {kLines, kClosedPolyline, kArcCorners, kBulgedCorners}) {
    SCOPED_TRACE(outline);
    Drawing d;
    MustRead(d, EntitiesFile(outline));
    const Box b = MeasureLikeBorder(d);
    EXPECT_NEAR(b.left, 0, 1e-4);
    EXPECT_NEAR(b.top, 50, 1e-4);
    EXPECT_NEAR(b.right, 100, 1e-4);
    EXPECT_NEAR(b.bottom, 0, 1e-4);
  }
}

TEST(DrawingGeometry, TextsOfEveryKindWithTheirAlignmentPoint) {
  Drawing d;
  MustRead(d, BlocksFile("0|BLOCK|2|TAG|70|2|10|0|20|0|30|0|0|TEXT|8|0|10|1|20|1|40|2|1|in block|0|ENDBLK",
                         "0|TEXT|8|Zuvodavi|10|95|20|200|40|10|50|90|72|1|11|100|21|200|1| 12, B1, Side|"
                         "0|MTEXT|8|NOTE|10|0|20|0|40|5|71|1|1|{\\fArial;Job} 2417\\PSecond \\Lline|"
                         "0|INSERT|8|LBL|66|1|2|TAG|10|50|20|0|"
                         "0|ATTRIB|8|LBL|10|50|20|-5|40|2|1|A-17|2|PART|70|0|0|SEQEND"));
  const auto texts = d.GetTexts();
  ASSERT_EQ(texts.size(), 4u);
  // a centred label is reported at its alignment point, with its own rotation
  EXPECT_EQ(texts[0].LayerName, "Zuvodavi");
  EXPECT_EQ(texts[0].Txt, " 12, B1, Side");
  EXPECT_FLOAT_EQ(texts[0].X1, 100);
  EXPECT_FLOAT_EQ(texts[0].Y1, 200);
  EXPECT_FLOAT_EQ(texts[0].Rotation, 90);
  EXPECT_EQ(texts[1].Txt, "Job 2417\nSecond line");
  EXPECT_EQ(texts[2].Txt, "A-17");  // the attribute of the reference
  // the block's own text, on layer 0, shows on the reference's layer, moved with it
  EXPECT_EQ(texts[3].Txt, "in block");
  EXPECT_EQ(texts[3].LayerName, "LBL");
  EXPECT_FLOAT_EQ(texts[3].X1, 51);
}

TEST(DrawingGeometry, BlockContentOnLayerZeroTakesTheReferenceLayer) {
  Drawing d;
  MustRead(d, BlocksFile("0|BLOCK|2|B|70|0|10|0|20|0|30|0|0|LINE|8|0|10|0|20|0|11|1|21|0|"
                         "0|LINE|8|ROUTE2|10|0|20|0|11|0|21|1|0|ENDBLK",
                         "0|INSERT|8|PARTS|2|B|10|0|20|0"));
  const auto items = d.GetEntities2();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].LayerName, "PARTS");
  EXPECT_EQ(items[1].LayerName, "ROUTE2");
  EXPECT_TRUE(d.GetEntities1().empty());  // lines inside blocks are no lines of the drawing
}

TEST(DrawingGeometry, SelfReferencingBlocksEndAndUnknownBlocksAreSkipped) {
  Drawing d;
  MustRead(d, BlocksFile("0|BLOCK|2|LOOP|70|0|10|0|20|0|30|0|0|LINE|8|0|10|0|20|0|11|1|21|1|"
                         "0|INSERT|8|0|2|LOOP|10|1|20|1|0|ENDBLK",
                         "0|INSERT|8|A|2|LOOP|10|0|20|0|0|INSERT|8|A|2|MISSING|10|5|20|5"));
  float l, t, r, b;
  ASSERT_TRUE(d.GetExtents(l, t, r, b));
  EXPECT_FLOAT_EQ(l, 0);
  EXPECT_FLOAT_EQ(r, 1);  // the block's own line; the reference to itself inside is refused
  EXPECT_EQ(d.GetEntities2().size(), 1u);
}

}  // namespace
}  // namespace tv::drawing
