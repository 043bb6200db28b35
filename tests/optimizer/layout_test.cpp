// The layout model: resets and their random draws, free-rectangle bookkeeping, placement
// scoring and the list of the five best candidates.
#include <gtest/gtest.h>

#include <vector>

#include "instance_fixture.h"
#include "optimizer.h"

namespace sawplan {
namespace {

using fixture::NestingSettings;
using fixture::Panel;
using fixture::Part;

TEST(RandomTest, KnownSequenceAndRange) {
  Random random;
  random.Seed(1);
  const std::vector<int> expected = {41, 18467, 6334, 26500, 19169};
  for (const int value : expected) EXPECT_EQ(random.Next(), value);
  random.Seed(250465);
  for (int i = 0; i < 100000; ++i) {
    const double r = random.Random01();
    ASSERT_GE(r, 0.0);
    ASSERT_LE(r, 1.0);
  }
}

class LayoutTest : public ::testing::Test {
 protected:
  void Load(const tVREXPanelData& panel, const std::vector<tVREXPartData>& parts, double maxCut = 99999.9) {
    optimizer.Initialize(1, static_cast<int32_t>(parts.size()), 0);
    tVREXSettings settings = NestingSettings();
    settings.max_saw_cuttingwidth = maxCut;
    optimizer.PutSettings(settings);
    optimizer.PutPanel(panel);
    for (const auto& part : parts) optimizer.PutPart(part);
    optimizer.PreparePanels();
    optimizer.PrepareParts();
    optimizer.AllocLayout(layout);
    layout.panel = optimizer.panels[0];
    layout.stripCut = maxCut < layout.panel.width - kEps ? layout.panel.width - maxCut : layout.panel.width;
    layout.demandMultiplier = 1;
  }

  Block SingleBlock(double length, double width) {
    Block block;
    block.count = 1;
    block.first = static_cast<int32_t>(optimizer.blockPlacements.size());
    optimizer.blockPlacements.push_back({0, false, 0, 0});
    block.length = length;
    block.width = width;
    block.area = length * width;
    block.weight = 2 * length * width;
    block.minLength = length;
    block.minWidth = width;
    return block;
  }

  // The block scored at the rectangle as a construction step scores it, with every placed part
  // a possible blocker.
  bool ScorePlacement(const FreeRect& rect, const Block& block, Point* position, double* score) const {
    StepFrame frame = optimizer.ConstructionFrame(layout);
    Optimizer::SetFrameRect(frame, layout, rect);
    NearBoxes near;
    near.Reserve(layout.placedCount);
    for (int32_t i = 0; i < layout.placedCount; ++i) {
      const PlacedPart& q = layout.placed[i];
      near.x0[near.count] = q.x;
      near.y0[near.count] = q.y;
      near.x1[near.count] = q.x + q.length;
      near.y1[near.count] = q.y + q.width;
      ++near.count;
    }
    ActiveBlocks one;
    one.Reserve(1);
    one.Append(block, 0);
    return ScoreBlockAt(frame, one, 0, near, &position->x, &position->y, score);
  }

  void Place(double x, double y, double length, double width) {
    PlacedPart& placed = layout.placed[layout.placedCount++];
    placed = {0, false, x, y, length, width};
  }

  Optimizer optimizer;
  Layout layout;
};

TEST_F(LayoutTest, ResetDrawsOnlyForPanelsWiderThanTheSaw) {
  struct Case {
    double width;
    double maxCut;
    bool draws;
    int32_t rects;
  };
  const Case cases[] = {{500, 600, false, 1}, {600.00005, 600, false, 1}, {1000, 600, true, 2}};
  for (const Case& c : cases) {
    Load(Panel(2000, c.width, 1), {Part(1, 100, 100, 1)}, c.maxCut);
    optimizer.random.Seed(99);
    Random reference;
    reference.Seed(99);
    optimizer.ResetLayout(layout);
    if (c.draws) reference.Next();
    EXPECT_EQ(optimizer.random.Next(), reference.Next()) << "width " << c.width;
    ASSERT_EQ(layout.freeCount, c.rects) << "width " << c.width;
    if (c.rects == 2) {
      // Two strips meeting at the cut, which stays within [width - maxCut, width / 2].
      const FreeRect& low = layout.freeRects[0];
      const FreeRect& high = layout.freeRects[1];
      EXPECT_GE(layout.stripCut, 400 - kEps);
      EXPECT_LE(layout.stripCut, 500 + kEps);
      EXPECT_DOUBLE_EQ(low.width, layout.stripCut);
      EXPECT_DOUBLE_EQ(high.y, layout.stripCut);
      EXPECT_DOUBLE_EQ(high.width, c.width - layout.stripCut);
    }
    optimizer.ReleaseData();
  }
}

TEST_F(LayoutTest, BlockAtTheCornerRemovesTheRectangleAShiftedOneTrimsIt) {
  Load(Panel(1000, 1000, 1), {Part(1, 300, 100, 5)});  // smallest 100, largest 300
  const Block block = SingleBlock(200, 100);
  struct Expected {
    double x, y, length, width;
  };
  struct Case {
    Point p;
    std::vector<Expected> rects;
  };
  const Case cases[] = {
      {{0, 0}, {{200, 0, 600, 100}, {0, 100, 200, 900}}},
      {{50, 0}, {{0, 0, 50, 1000}, {250, 0, 600, 100}, {50, 100, 200, 900}, {0, 100, 750, 100}}},
  };
  for (const Case& c : cases) {
    layout.freeCount = 0;
    layout.freeRects[layout.freeCount++] = {0, 0, 1000, 1000, true};
    optimizer.UpdateFreeRects(layout, block, 0, c.p);
    ASSERT_EQ(layout.freeCount, static_cast<int32_t>(c.rects.size())) << "at x " << c.p.x;
    for (size_t i = 0; i < c.rects.size(); ++i) {
      const FreeRect& rect = layout.freeRects[i];
      EXPECT_DOUBLE_EQ(rect.x, c.rects[i].x) << "rect " << i;
      EXPECT_DOUBLE_EQ(rect.y, c.rects[i].y) << "rect " << i;
      EXPECT_DOUBLE_EQ(rect.length, c.rects[i].length) << "rect " << i;
      EXPECT_DOUBLE_EQ(rect.width, c.rects[i].width) << "rect " << i;
    }
    if (c.p.x > 0) {
      EXPECT_FALSE(layout.freeRects[0].smallParts);
    }
  }
}

TEST_F(LayoutTest, FreeRectangleNeedsRoomForTheSmallestPart) {
  Load(Panel(1000, 1000, 1), {Part(1, 300, 100, 5)});
  layout.freeCount = 0;
  optimizer.AddFreeRect(layout, 900, 0, 100, 100);      // just room
  optimizer.AddFreeRect(layout, 900.001, 0, 100, 100);  // no room along the length
  optimizer.AddFreeRect(layout, 0, 900.001, 100, 100);  // none across the width
  ASSERT_EQ(layout.freeCount, 1);
  EXPECT_DOUBLE_EQ(layout.freeRects[0].x, 900);
}

TEST_F(LayoutTest, ParkedRectanglesComeBackLastParkedFirst) {
  Load(Panel(1000, 1000, 1), {Part(1, 100, 100, 5)});
  layout.freeCount = 0;
  for (const double x : {0.0, 100.0, 200.0}) layout.freeRects[layout.freeCount++] = {x, 0, 50, 50, false};
  optimizer.ParkFreeRect(layout, 0);
  optimizer.RemoveFreeRect(layout, 0);
  optimizer.ParkFreeRect(layout, 1);
  optimizer.RemoveFreeRect(layout, 1);
  ASSERT_EQ(layout.freeCount, 1);
  optimizer.RestoreParkedRects(layout);
  ASSERT_EQ(layout.freeCount, 3);
  EXPECT_EQ(layout.parkedCount, 0);
  EXPECT_DOUBLE_EQ(layout.freeRects[0].x, 100);
  EXPECT_DOUBLE_EQ(layout.freeRects[1].x, 200);
  EXPECT_DOUBLE_EQ(layout.freeRects[2].x, 0);
}

TEST_F(LayoutTest, RestoredRectangleTakesTheSmallPartsFlagOfANewOne) {
  // Parking clears the flag; coming back for the next sequence, the rectangle is as good as a
  // new one and must keep small parts off the panel's outer band again.
  for (const int32_t smallPartsInside : {0, 1}) {
    Load(Panel(1000, 1000, 1), {Part(1, 100, 100, 5)});
    optimizer.settings.small_parts_inside = smallPartsInside;
    layout.freeCount = 0;
    optimizer.AddFreeRect(layout, 0, 0, 1000, 1000);
    ASSERT_EQ(layout.freeCount, 1);
    EXPECT_EQ(layout.freeRects[0].smallParts, smallPartsInside == 1);
    optimizer.ParkFreeRect(layout, 0);
    optimizer.RemoveFreeRect(layout, 0);
    EXPECT_FALSE(layout.parkedRects[0].smallParts);
    optimizer.RestoreParkedRects(layout);
    ASSERT_EQ(layout.freeCount, 1);
    EXPECT_EQ(layout.freeRects[0].smallParts, smallPartsInside == 1) << "flag " << smallPartsInside;
    optimizer.ReleaseData();
  }
}

TEST_F(LayoutTest, ScorePlacementShiftsPastABlockingPart) {
  Load(Panel(1000, 1000, 1), {Part(1, 100, 100, 5)});
  Place(0, 0, 100, 100);
  const Block block = SingleBlock(100, 100);
  struct Case {
    const char* name;
    FreeRect rect;
    bool fits;
    Point position;
    double value;  // score before scaling by area / weight
  };
  const Case cases[] = {
      {"shift along the length", {50, 0, 500, 500, false}, true, {100, 0}, 6 * 50 + 400},
      {"shift across the width", {0, 50, 500, 500, false}, true, {0, 100}, 6 * 50 + 400},
      {"no shift clears it", {0, 0, 500, 500, false}, false, {}, 0},
      {"past the panel end", {950, 0, 500, 500, false}, false, {}, 0},
      {"free spot, width tighter", {200, 0, 500, 150, false}, true, {200, 0}, 50},
  };
  for (const Case& c : cases) {
    Point position;
    double score = 0;
    ASSERT_EQ(ScorePlacement(c.rect, block, &position, &score), c.fits) << c.name;
    if (!c.fits) continue;
    EXPECT_DOUBLE_EQ(position.x, c.position.x) << c.name;
    EXPECT_DOUBLE_EQ(position.y, c.position.y) << c.name;
    EXPECT_DOUBLE_EQ(score, c.value * block.area / block.weight) << c.name;
  }
}

TEST_F(LayoutTest, ScoringVariantWeighsBothSides) {
  Load(Panel(1000, 1000, 1), {Part(1, 100, 100, 5)});
  const Block block = SingleBlock(100, 100);
  layout.scoringVariant = true;
  Point position;
  double score = 0;
  // dL = 400 is tighter than dW = 900: 4 x 400 + 2 x 900.
  ASSERT_TRUE(ScorePlacement({0, 0, 500, 1000, false}, block, &position, &score));
  EXPECT_DOUBLE_EQ(score, (4 * 400 + 2 * 900) * block.area / block.weight);
}

TEST_F(LayoutTest, TheSameCandidateEntersTheBestListOnce) {
  Load(Panel(1000, 1000, 1), {Part(1, 100, 100, 5)});
  optimizer.blocks = {SingleBlock(100, 50), SingleBlock(100, 50), SingleBlock(50, 100), SingleBlock(100, 60)};
  auto offer = [&](BestFive& best, double score, int32_t block) {
    const Block& b = optimizer.blocks[block];
    best.Offer(score, block, b.length, b.width, b.area, 0, 0);
  };
  BestFive seeded;
  seeded.Reset();
  offer(seeded, 10, 0);
  // The position the candidate takes in the list holding only block 0 at score 10, or -1.
  auto firstAccepted = [&](double score, int32_t block) {
    BestFive best = seeded;
    offer(best, score, block);
    for (int k = 0; k < 5; ++k) {
      if (best.entry[k].block == block) return k;
    }
    return -1;
  };
  struct Case {
    const char* name;
    double score;
    int32_t block;
    int expected;
  };
  const Case cases[] = {
      {"same score, same size", 10, 1, -1},
      {"same score, other size", 10, 2, 1},
      {"score within tolerance, same size", 10.00005, 1, 1},
      {"score within tolerance, larger area", 10.00005, 3, 0},
      {"clearly better", 9, 1, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(firstAccepted(c.score, c.block), c.expected) << c.name;
}

TEST_F(LayoutTest, DemandTestCountsRunsOfOnePart) {
  tVREXPartData limited = Part(2, 100, 100, 6);
  limited.maxnumperpanel = 4;
  Load(Panel(1000, 1000, 1), {Part(1, 100, 100, 3), limited});
  optimizer.ResetLayout(layout);
  auto grid = [&](int32_t part, int32_t copies) {
    Block block;
    block.count = copies;
    block.first = static_cast<int32_t>(optimizer.blockPlacements.size());
    for (int32_t i = 0; i < copies; ++i) optimizer.blockPlacements.push_back({part, false, i * 100.0, 0});
    return block;
  };
  struct Case {
    const char* name;
    int32_t part;
    int32_t copies;
    int32_t multiplier;
    int32_t alreadyPlaced;
    bool exceeds;
  };
  const Case cases[] = {
      {"within demand", 0, 3, 1, 0, false},
      {"above demand", 0, 4, 1, 0, true},
      {"multiplier asks for twice the copies", 0, 2, 2, 0, true},
      {"per-panel limit", 1, 4, 1, 0, false},
      {"per-panel limit with copies placed", 1, 3, 1, 2, true},
  };
  for (const Case& c : cases) {
    layout.demandMultiplier = c.multiplier;
    layout.counts[c.part] = c.alreadyPlaced;
    EXPECT_EQ(optimizer.BlockExceedsDemand(layout, grid(c.part, c.copies)), c.exceeds) << c.name;
    layout.counts[c.part] = 0;
  }
}

}  // namespace
}  // namespace sawplan
