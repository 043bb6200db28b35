// The perimeter route outline on hand-drawn part groups (exact points) and on many shelf-packed
// sheets (checked geometrically: closed, simple, k clear of every part, every part inside).
#include "nesting/perimeter_outline.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <vector>

#include "outline_check.h"

namespace tv::nesting {
namespace {

using testing::RouteProblem;

std::string Describe(const std::vector<OutlinePoint>& points) {
  std::ostringstream text;
  for (const OutlinePoint& p : points) text << "(" << p.X << ", " << p.Y << ") ";
  return text.str();
}

void ExpectPoints(const std::vector<OutlinePoint>& actual, const std::vector<OutlinePoint>& expected) {
  ASSERT_EQ(actual.size(), expected.size()) << Describe(actual);
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(actual[i].X, expected[i].X, 1e-4) << "point " << i << ": " << Describe(actual);
    EXPECT_NEAR(actual[i].Y, expected[i].Y, 1e-4) << "point " << i << ": " << Describe(actual);
  }
}

struct Layout {
  const char* name;
  std::vector<PartExtents> parts;  // MinX, MaxX, MaxY, MinY
  double length, width;
  std::vector<OutlinePoint> route;  // kerf 10, so k = 1
};

TEST(PerimeterOutline, HandDrawnGroupsAreTracedOneUnitOutside) {
  const Layout layouts[] = {
      {"single part", {{0, 100, 50, 0}}, 300, 200, {{101, 51}, {101, -1}, {-1, -1}, {-1, 51}, {101, 51}}},
      // A column standing on the left end of a bar: the inner corner is cut across, above the bar.
      {"L with the column on the left",
       {{10, 210, 60, 10}, {10, 60, 260, 70}},
       300,
       300,
       {{61, 261}, {61, 69}, {211, 61}, {211, 9}, {9, 9}, {9, 261}, {61, 261}}},
      // The column rises above the bar's right end: the top side must step up before the column
      // instead of running along the bar to its end and up through the column.
      {"L with the column on the right",
       {{10, 210, 60, 10}, {160, 210, 260, 70}},
       300,
       300,
       {{211, 261}, {211, 9}, {9, 9}, {9, 61}, {159, 61}, {159, 261}, {211, 261}}},
      // Margin 0: the parts lie on the sheet's lower, left and right edges; the route runs just
      // outside the sheet there.
      {"parts on the sheet edges",
       {{0, 100, 50, 0}, {110, 300, 80, 0}},
       300,
       200,
       {{301, 81}, {301, -1}, {-1, -1}, {-1, 51}, {109, 51}, {109, 81}, {301, 81}}},
      // A 5 high strip on top of a wider part shows on the right side over less than the sweep
      // step; missing it would leave the strip outside the route.
      {"thin strip on top",
       {{0, 590, 92, 40}, {0, 490, 107, 102}},
       600,
       400,
       {{491, 108}, {491, 101}, {591, 93}, {591, 39}, {-1, 39}, {-1, 108}, {491, 108}}},
      // Two parts that meet only at a corner leave a gap through the group that the sides would
      // trace from both ends; the route goes round both instead.
      {"parts meeting at a corner",
       {{0, 100, 50, 0}, {110, 200, 120, 60}},
       300,
       200,
       {{201, 121}, {201, -1}, {-1, -1}, {-1, 121}, {201, 121}}},
  };
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.name);
    const auto route = PerimeterOutline(layout.parts, layout.length, layout.width, 10);
    ExpectPoints(route, layout.route);
    EXPECT_EQ(RouteProblem(route, layout.parts, 1), "");
  }
}

TEST(PerimeterOutline, NothingToRouteGivesNoPoints) {
  EXPECT_TRUE(PerimeterOutline({}, 300, 200, 10).empty());
  const std::vector<PartExtents> part = {{0, 100, 50, 0}};
  EXPECT_TRUE(PerimeterOutline(part, 300, 200, 0).empty());
  EXPECT_TRUE(PerimeterOutline(part, 300, 200, -5).empty());
}

// Rows of parts packed from one corner, each row as high as its tallest part, the way a
// guillotine layout leaves them: ragged row ends, short parts under the next row, islands.
std::vector<PartExtents> ShelfLayout(std::mt19937& random, double length, double width, double kerf,
                                     double margin, int corner) {
  std::uniform_int_distribution<int> rowCount(1, 4), partCount(1, 5), partLength(80, 900),
      rowHeight(100, 500);
  std::vector<PartExtents> parts;
  double y = margin;
  for (int row = rowCount(random); row > 0; --row) {
    const double maxHeight = rowHeight(random);
    if (y + maxHeight > width - margin) break;
    double x = margin, tallest = 0;
    for (int n = partCount(random); n > 0; --n) {
      const double len = partLength(random);
      const double height = std::uniform_int_distribution<int>(60, static_cast<int>(maxHeight))(random);
      if (x + len > length - margin) break;
      parts.push_back({static_cast<float>(x), static_cast<float>(x + len), static_cast<float>(y + height),
                       static_cast<float>(y)});
      tallest = std::max(tallest, height);
      x += len + kerf;
    }
    y += tallest + kerf;
  }
  for (PartExtents& p : parts) {
    if (corner == 2 || corner == 3)
      p = {static_cast<float>(length - p.MaxX), static_cast<float>(length - p.MinX), p.MaxY, p.MinY};
    if (corner == 1 || corner == 2)
      p = {p.MinX, p.MaxX, static_cast<float>(width - p.MinY), static_cast<float>(width - p.MaxY)};
  }
  std::shuffle(parts.begin(), parts.end(), random);
  return parts;
}

TEST(PerimeterOutline, ShelfPackedSheetsGetASoundRoute) {
  std::mt19937 random(20240611);
  int traced = 0;
  for (int sheet = 0; sheet < 400; ++sheet) {
    const float kerf = sheet % 2 == 0 ? 10.0f : 6.35f;
    const auto parts = ShelfLayout(random, 2440, 1220, kerf, sheet % 3 == 0 ? 0 : 10, sheet % 4);
    if (parts.empty()) continue;
    const auto route = PerimeterOutline(parts, 2440, 1220, kerf);
    ASSERT_EQ(RouteProblem(route, parts, kerf / 10.0), "") << "sheet " << sheet << ": " << Describe(route);
    if (route.size() > 5) ++traced;
  }
  // The rectangle is the exception: most groups have their notches traced.
  EXPECT_GT(traced, 200);
}

}  // namespace
}  // namespace tv::nesting
