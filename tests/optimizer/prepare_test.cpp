// Preparation of the tables (kerf, square rule, fit test, weights) and block generation.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "instance_fixture.h"
#include "optimizer.h"

namespace sawplan {
namespace {

using fixture::NestingSettings;
using fixture::Panel;
using fixture::Part;

class PrepareTest : public ::testing::Test {
 protected:
  void Load(const std::vector<tVREXPanelData>& panels, const std::vector<tVREXPartData>& parts,
            double kerf = 0) {
    optimizer.Initialize(static_cast<int32_t>(panels.size()), static_cast<int32_t>(parts.size()), 0);
    tVREXSettings settings = NestingSettings();
    settings.saw_kerf = kerf;
    optimizer.PutSettings(settings);
    for (const auto& panel : panels) optimizer.PutPanel(panel);
    for (const auto& part : parts) optimizer.PutPart(part);
    optimizer.PreparePanels();
    optimizer.PrepareParts();
  }

  void Generate(int32_t panel) {
    const tVREXPanelData& p = optimizer.panels[panel];
    optimizer.GenerateBlocks(p.length, p.width, p.drilling_area_length, p.drilling_area_width);
  }

  std::vector<std::pair<double, double>> BlockSizes() const {
    std::vector<std::pair<double, double>> sizes;
    for (const Block& block : optimizer.blocks) sizes.emplace_back(block.length, block.width);
    return sizes;
  }

  Optimizer optimizer;
};

tVREXPanelData DrillingPanel(double length, double width, double areaLength, double areaWidth) {
  tVREXPanelData panel = Panel(length, width, 5);
  panel.drilling_area_length = areaLength;
  panel.drilling_area_width = areaWidth;
  return panel;
}

tVREXPartData DrilledPart(int32_t pid, double length, double width, int32_t num, double drillLength,
                          double drillWidth) {
  tVREXPartData part = Part(pid, length, width, num, 0);
  part.drilling_required = 1;
  part.drill_length = drillLength;
  part.drill_width = drillWidth;
  return part;
}

TEST_F(PrepareTest, PartPreparation) {
  struct Case {
    const char* name;
    std::vector<tVREXPanelData> panels;
    tVREXPartData part;
    double kerf;
    int32_t turnable;
    int32_t num;
    double weight;
  };
  const Case cases[] = {
      // Sizes within 0.0001 of each other make a square: it does not turn.
      {"near square", {Panel(2000, 1000, 5)}, Part(1, 500, 500.00005, 2), 0, 0, 2, 437500.00625},
      // No orientation at all: it passes the fit test but no panel gives it a weight.
      {"turnable -1", {Panel(1000, 1000, 5)}, Part(1, 300, 200, 4, -1), 0, -1, 4, 60000},
      {"fits no panel", {Panel(1000, 1000, 5)}, Part(1, 1100, 100, 3), 0, 1, 0, 110000},
      {"fits only an empty panel type",
       {Panel(2000, 2000, 0), Panel(1000, 1000, 5)},
       Part(1, 1100, 100, 3),
       0,
       1,
       0,
       110000},
      // 8 copies on the 1000 x 1000 panel beat the 1200 x 1000 panel's 8.
      {"cheapest panel", {Panel(1200, 1000, 5), Panel(1000, 1000, 5)}, Part(1, 500, 250, 1), 0, 1, 1, 125000},
      {"panel type without stock ignored",
       {Panel(1000, 1000, 0), Panel(1200, 1000, 1)},
       Part(1, 500, 250, 1),
       0,
       1,
       1,
       143750},
      {"kerf on part and panel", {Panel(1000, 1000, 5)}, Part(1, 500, 250, 1), 2, 1, 1, 282627},
      // Drilled: three along the length (the third reaches past the drilling area with its
      // body, not its drilling), four across.
      {"drilled grows by one",
       {DrillingPanel(1000, 1000, 600, 1000)},
       DrilledPart(1, 250, 250, 1, 100, 100),
       0,
       0,
       1,
       78125},
      {"drilling out of reach",
       {DrillingPanel(1000, 1000, 100, 100)},
       DrilledPart(1, 500, 500, 1, 200, 200),
       0,
       0,
       1,
       250000},
  };
  for (const Case& c : cases) {
    Load(c.panels, {c.part}, c.kerf);
    EXPECT_EQ(optimizer.parts[0].turnable, c.turnable) << c.name;
    EXPECT_EQ(optimizer.parts[0].num, c.num) << c.name;
    EXPECT_NEAR(optimizer.partWeights[0], c.weight, 1e-6) << c.name;
    optimizer.ReleaseData();
  }
}

TEST_F(PrepareTest, TotalsAndPartDimensions) {
  Load({Panel(1000, 800, 3), Panel(500, 400, 2)},
       {Part(1, 300, 200, 4), Part(2, 1200, 50, 2), Part(3, 100.00005, 700, 5)}, 1);
  EXPECT_EQ(optimizer.panelsLeft, 5);
  EXPECT_EQ(optimizer.panelsUsed, 0);
  EXPECT_DOUBLE_EQ(optimizer.panels[0].length, 1001);
  EXPECT_DOUBLE_EQ(optimizer.panels[1].drilling_area_width, 401);
  // Part 2 fits nowhere and drops out of the demand, but its sizes still count.
  EXPECT_EQ(optimizer.copiesLeft, 9);
  EXPECT_EQ(optimizer.totalDemand, 9);
  EXPECT_DOUBLE_EQ(optimizer.smallestPartDimension, 51);
  EXPECT_DOUBLE_EQ(optimizer.largestPartDimension, 1201);
}

TEST_F(PrepareTest, GridBlocksDoubleAndStopAtTheLimitPerPanel) {
  // 30 x 10 copies fit in two thirds of the panel; 20 demanded, at most 12 per panel.
  tVREXPartData part = Part(1, 10, 10, 20);
  part.maxnumperpanel = 12;
  Load({Panel(460, 160, 1)}, {part});
  Generate(0);
  const std::vector<std::pair<double, double>> expected = {
      {10, 10}, {10, 20}, {10, 40}, {10, 80}, {10, 100}, {20, 10},
      {20, 20}, {20, 40}, {40, 10}, {40, 20}, {80, 10},  {120, 10},
  };
  EXPECT_EQ(BlockSizes(), expected);
  const Block& last = optimizer.blocks.back();
  EXPECT_EQ(last.count, 12);
  EXPECT_DOUBLE_EQ(last.area, 1200);
  EXPECT_DOUBLE_EQ(last.weight, 12 * optimizer.partWeights[0]);
  EXPECT_DOUBLE_EQ(optimizer.blockPlacements[last.first + 11].x, 110);
}

TEST_F(PrepareTest, GridFallsBackToTheWholePanelAndDrillingCapsIt) {
  Load({Panel(1000, 1000, 1)}, {Part(1, 700, 100, 5, 0)});
  Generate(0);
  const std::vector<std::pair<double, double>> whole = {
      {700, 100}, {700, 200}, {700, 300}, {700, 400}, {700, 500}};
  EXPECT_EQ(BlockSizes(), whole);
  optimizer.ReleaseData();

  // Two thirds would take 6 along the length; the 300-long drilling area takes 3.
  Load({DrillingPanel(1000, 1000, 300, 1000)}, {DrilledPart(1, 100, 100, 50, 40, 30)});
  Generate(0);
  ASSERT_EQ(optimizer.blocks.size(), 18u);
  const Block& last = optimizer.blocks.back();
  EXPECT_DOUBLE_EQ(last.length, 300);
  EXPECT_DOUBLE_EQ(last.width, 600);
  EXPECT_TRUE(last.drilled);
  EXPECT_DOUBLE_EQ(last.drillLength, 240);
  EXPECT_DOUBLE_EQ(last.drillWidth, 530);
}

TEST_F(PrepareTest, PairBlocks) {
  struct Case {
    const char* name;
    tVREXPartData i;
    tVREXPartData j;
    // Expected pair blocks: size and the pid placed first.
    std::vector<std::pair<std::pair<double, double>, int32_t>> pairs;
  };
  const Case cases[] = {
      {"stacked, wider first", Part(1, 300, 200, 1, 0), Part(2, 300, 100, 1, 0), {{{300, 300}, 1}}},
      {"stacked, j wider goes first", Part(1, 300, 100, 1, 0), Part(2, 300, 200, 1, 0), {{{300, 300}, 2}}},
      {"side by side, longer first", Part(1, 200, 100, 1, 0), Part(2, 300, 100, 1, 0), {{{500, 100}, 2}}},
      {"both ways", Part(1, 200, 100, 1, 0), Part(2, 200, 100, 1, 0), {{{200, 200}, 1}, {{400, 100}, 1}}},
      {"different sequence", Part(1, 300, 200, 1, 0, 1), Part(2, 300, 100, 1, 0, 2), {}},
      {"too long together", Part(1, 400, 100, 1, 0), Part(2, 300, 100, 1, 0), {}},
  };
  for (const Case& c : cases) {
    Load({Panel(1000, 1000, 1)}, {c.i, c.j});
    Generate(0);
    std::vector<std::pair<std::pair<double, double>, int32_t>> pairs;
    for (const Block& block : optimizer.blocks) {
      if (block.count != 2 ||
          optimizer.blockPlacements[block.first].part == optimizer.blockPlacements[block.first + 1].part) {
        continue;
      }
      pairs.push_back({{block.length, block.width}, optimizer.blockPlacements[block.first].part + 1});
      EXPECT_DOUBLE_EQ(block.weight, optimizer.partWeights[0] + optimizer.partWeights[1]) << c.name;
    }
    EXPECT_EQ(pairs, c.pairs) << c.name;
    optimizer.ReleaseData();
  }
}

TEST_F(PrepareTest, DrilledPairTakesTheOrderWithTheSmallerReach) {
  // Stacked: j below i reaches 150 + 100 = 250, i below j reaches 20 + 200 = 220.
  Load({Panel(1000, 1000, 1)}, {DrilledPart(1, 300, 200, 1, 120, 150), DrilledPart(2, 300, 100, 1, 250, 20)});
  Generate(0);
  const Block* pair = nullptr;
  for (const Block& block : optimizer.blocks) {
    if (block.count == 2 &&
        optimizer.blockPlacements[block.first].part != optimizer.blockPlacements[block.first + 1].part) {
      pair = &block;
    }
  }
  ASSERT_NE(pair, nullptr);
  EXPECT_EQ(optimizer.blockPlacements[pair->first].part, 0);
  EXPECT_DOUBLE_EQ(pair->drillWidth, 220);
  EXPECT_DOUBLE_EQ(pair->drillLength, 250);
}

TEST_F(PrepareTest, DrilledPairExtentBoundsTheDrillingOfBothParts) {
  // A drill extent may reach past its own part (a bore through to the neighbour's side); the
  // pair's extent must still bound it, whichever part goes first.
  struct Case {
    const char* name;
    tVREXPartData i;
    tVREXPartData j;
  };
  const Case cases[] = {
      {"stacked, first part drilled past its partner", DrilledPart(1, 300, 200, 1, 100, 150),
       DrilledPart(2, 300, 100, 1, 100, 400)},
      {"stacked, second part drilled past its partner", DrilledPart(1, 300, 100, 1, 100, 400),
       DrilledPart(2, 300, 200, 1, 100, 150)},
      {"side by side, first part drilled past its partner", DrilledPart(1, 200, 300, 1, 150, 100),
       DrilledPart(2, 100, 300, 1, 400, 100)},
      {"side by side, second part drilled past its partner", DrilledPart(1, 100, 300, 1, 400, 100),
       DrilledPart(2, 200, 300, 1, 150, 100)},
      {"stacked, ordinary drilling", DrilledPart(1, 300, 200, 1, 120, 150),
       DrilledPart(2, 300, 100, 1, 250, 20)},
  };
  for (const Case& c : cases) {
    Load({Panel(1000, 1000, 1)}, {c.i, c.j});
    Generate(0);
    int pairs = 0;
    for (Block& block : optimizer.blocks) {
      if (block.count != 2 ||
          optimizer.blockPlacements[block.first].part == optimizer.blockPlacements[block.first + 1].part) {
        continue;
      }
      ++pairs;
      // As built, then as turned round at either edge of the panel.
      for (const double at : {-1.0, 0.0, 900.0}) {
        if (at >= 0) optimizer.ArrangePairBlock(block, at, at, 1000, 1000);
        for (int k = 0; k < 2; ++k) {
          const BlockPlacement& p = optimizer.blockPlacements[block.first + k];
          EXPECT_LE(p.x + optimizer.DrillLength(p.part, p.turned), block.drillLength + kEps)
              << c.name << ", part " << p.part + 1 << " at " << at;
          EXPECT_LE(p.y + optimizer.DrillWidth(p.part, p.turned), block.drillWidth + kEps)
              << c.name << ", part " << p.part + 1 << " at " << at;
        }
      }
    }
    EXPECT_EQ(pairs, 1) << c.name;
    optimizer.ReleaseData();
  }
}

TEST_F(PrepareTest, ArrangePairBlockPutsTheLongerPartAgainstTheNearEdge) {
  Load({Panel(1000, 1000, 1)}, {Part(1, 200, 100, 1, 0), Part(2, 300, 100, 1, 0)});
  Generate(0);
  ASSERT_FALSE(optimizer.blocks.empty());
  Block& pair = optimizer.blocks.back();
  ASSERT_DOUBLE_EQ(pair.length, 500);
  auto firstPart = [&] { return optimizer.blockPlacements[pair.first].part + 1; };
  auto secondX = [&] { return optimizer.blockPlacements[pair.first + 1].x; };
  struct Step {
    double x;
    int32_t first;
    double secondX;
  };
  // The swap stays with the block: each step starts from the order the one before left.
  const Step steps[] = {{0, 2, 300}, {300, 2, 300}, {600, 1, 200}, {300, 1, 200}, {50, 2, 300}};
  for (const Step& step : steps) {
    optimizer.ArrangePairBlock(pair, step.x, 0, 1000, 1000);
    EXPECT_EQ(firstPart(), step.first) << "at x " << step.x;
    EXPECT_DOUBLE_EQ(secondX(), step.secondX) << "at x " << step.x;
  }
}

TEST_F(PrepareTest, DrilledPairIsNotTurnedAroundPastItsDrilledExtent) {
  for (const bool drilled : {false, true}) {
    tVREXPartData i = Part(1, 300, 200, 1, 0);
    tVREXPartData j = Part(2, 300, 100, 1, 0);
    if (drilled) {
      i = DrilledPart(1, 300, 200, 1, 120, 150);
      j = DrilledPart(2, 300, 100, 1, 250, 20);
    }
    Load({Panel(1000, 1000, 1)}, {i, j});
    Generate(0);
    Block& pair = optimizer.blocks.back();
    ASSERT_EQ(optimizer.blockPlacements[pair.first].part, 0);
    // Near the high edge the narrower part would go first.
    optimizer.ArrangePairBlock(pair, 0, 700, 1000, 1000);
    EXPECT_EQ(optimizer.blockPlacements[pair.first].part, drilled ? 0 : 1) << "drilled " << drilled;
    optimizer.ReleaseData();
  }
}

}  // namespace
}  // namespace sawplan
