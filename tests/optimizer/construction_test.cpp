// One construction step by step: where a shifted block's parts end up, and how many random
// numbers a construction draws (every later layout of a pass depends on that count).
#include <gtest/gtest.h>

#include <vector>

#include "instance_fixture.h"
#include "optimizer.h"

namespace sawplan {
namespace {

using fixture::NestingSettings;
using fixture::Panel;
using fixture::Part;

class ConstructionTest : public ::testing::Test {
 protected:
  void Load(const std::vector<tVREXPartData>& parts, const tVREXSettings& settings = NestingSettings()) {
    optimizer.Initialize(1, static_cast<int32_t>(parts.size()), 0);
    optimizer.PutSettings(settings);
    optimizer.PutPanel(Panel(1000, 1000, 5));
    for (const auto& part : parts) optimizer.PutPart(part);
    optimizer.PreparePanels();
    optimizer.PrepareParts();
    optimizer.GenerateBlocks(1000, 1000, 1000, 1000);
    optimizer.AllocLayout(layout);
    layout.panel = optimizer.panels[0];
    layout.stripCut = layout.panel.width;
    layout.demandMultiplier = 1;
    // With the usual saw width the reset draws nothing.
    optimizer.ResetLayout(layout);
  }

  Optimizer optimizer;
  Layout layout;
};

TEST_F(ConstructionTest, ShiftedBlockGoesBackToTheCornerWhereItIsFree) {
  struct Case {
    const char* name;
    bool cornerTaken;
    Point p;
    Point expected;
  };
  const Case cases[] = {
      {"at the corner", false, {0, 0}, {0, 0}},
      {"shifted, corner free", false, {0, 150}, {0, 0}},
      {"shifted, corner taken", true, {0, 150}, {0, 150}},
      {"shifted to the far edge stays", false, {900, 150}, {900, 150}},
  };
  for (const Case& c : cases) {
    Load({Part(1, 100, 100, 3, 0)});
    if (c.cornerTaken) layout.placed[layout.placedCount++] = {0, false, 0, 0, 100, 100};
    optimizer.AddGridBlock(0, false, 1, 1);
    Block& block = optimizer.blocks.back();
    optimizer.PlaceBlock(layout, block, c.p, {0, 0});
    const PlacedPart& placed = layout.placed[layout.placedCount - 1];
    EXPECT_DOUBLE_EQ(placed.x, c.expected.x) << c.name;
    EXPECT_DOUBLE_EQ(placed.y, c.expected.y) << c.name;
    EXPECT_EQ(optimizer.remainingDemand[0], 2) << c.name;
    EXPECT_EQ(layout.counts[0], 1) << c.name;
    EXPECT_DOUBLE_EQ(layout.usedWeight, block.weight) << c.name;
    EXPECT_DOUBLE_EQ(layout.usedLength, c.expected.x + 100) << c.name;
    optimizer.ReleaseData();
  }
}

TEST_F(ConstructionTest, DrawsOncePerConstructionOncePerRectangleAndOncePerPlacement) {
  struct Case {
    const char* name;
    tVREXPartData part;
    int draws;
    int32_t placed;
    int32_t parked;
    int32_t free;
  };
  // 400 x 400, one per panel: after the first copy both new rectangles are parked, each
  // after its own rectangle draw and without a placement draw.
  tVREXPartData onePerPanel = Part(1, 400, 400, 2, 0);
  onePerPanel.maxnumperpanel = 1;
  const Case cases[] = {
      {"one part placed", Part(1, 100, 100, 1, 0), 3, 1, 0, 2},
      {"rectangles parked", onePerPanel, 5, 1, 2, 0},
  };
  for (const Case& c : cases) {
    Load({c.part});
    optimizer.random.Seed(4711);
    Random reference;
    reference.Seed(4711);
    optimizer.ConstructLayout(layout, 0);
    for (int i = 0; i < c.draws; ++i) reference.Next();
    EXPECT_EQ(optimizer.random.Next(), reference.Next()) << c.name;
    EXPECT_EQ(layout.placedCount, c.placed) << c.name;
    EXPECT_EQ(layout.parkedCount, c.parked) << c.name;
    EXPECT_EQ(layout.freeCount, c.free) << c.name;
    optimizer.ReleaseData();
  }
}

TEST_F(ConstructionTest, BlockMovedBelowItsRectangleStillMeetsThePartsThere) {
  // A negative saw width puts the strip limit beyond the panel, so a small-parts rectangle at
  // y = 800 may move a 300-wide block down to y = 700, onto a part that ends below 800.
  tVREXSettings settings = NestingSettings();
  settings.small_parts_inside = 1;
  settings.max_saw_cuttingwidth = -500;
  // Room for the part already there; one copy per panel, so the block is the single part.
  tVREXPartData part = Part(1, 300, 300, 3, 0);
  part.maxnumperpanel = 1;
  Load({part}, settings);
  ASSERT_DOUBLE_EQ(layout.stripCut, 1500);
  layout.placed[layout.placedCount++] = {0, false, 0, 650, 300, 100};
  layout.freeRects[0] = {0, 800, 1000, 900, true};
  layout.freeCount = 1;
  optimizer.ConstructLayout(layout, 0);
  ASSERT_EQ(layout.placedCount, 2);
  // Lifted past the part below instead of overlapping it.
  EXPECT_DOUBLE_EQ(layout.placed[1].x, 0);
  EXPECT_DOUBLE_EQ(layout.placed[1].y, 750);
}

}  // namespace
}  // namespace sawplan
