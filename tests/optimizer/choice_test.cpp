// Layout choice and result booking: which of two layouts a panel search keeps, how often a
// layout can be cut, what a commit takes from stock and demand, and the final compaction.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "instance_fixture.h"
#include "optimizer.h"

namespace sawplan {
namespace {

using fixture::NestingSettings;
using fixture::Panel;
using fixture::Part;

class ChoiceTest : public ::testing::Test {
 protected:
  // One panel type 2000 x 1000 and two part types; part 0 is square, part 1 is 200 x 100.
  void Load(int32_t panelNum, int32_t num0, int32_t num1, int32_t minimizeLayouts = 0) {
    optimizer.Initialize(1, 2, 0);
    tVREXSettings settings = NestingSettings();
    settings.minimize_number_of_layouts = minimizeLayouts;
    optimizer.PutSettings(settings);
    optimizer.PutPanel(Panel(2000, 1000, panelNum));
    optimizer.PutPart(Part(1, 100, 100, num0));
    optimizer.PutPart(Part(2, 200, 100, num1));
    optimizer.PreparePanels();
    optimizer.PrepareParts();
  }

  Layout MakeLayout(int32_t count0, int32_t count1, double weight, double usedLength) {
    Layout layout;
    optimizer.AllocLayout(layout);
    layout.panelIndex = 0;
    layout.panel = optimizer.panels[0];
    layout.counts[0] = count0;
    layout.counts[1] = count1;
    layout.usedWeight = weight;
    layout.usedLength = usedLength;
    // Far from any weight used below, so no trial shortens its panel unless a case asks.
    layout.totalArea = 1e12;
    layout.lengthStep = 0.99;
    return layout;
  }

  Optimizer optimizer;
};

TEST_F(ChoiceTest, KeepBetterLayoutRules) {
  // Panel stock 10 and 12 squares: 1 square per layout repeats 10 times, 2 -> 6, 3 -> 4,
  // 4 -> 3, 6 -> 2. With used length 1000 the utilization is weight / 1e6.
  struct Case {
    const char* name;
    int32_t minimizeLayouts;
    bool bestOnePanel;
    int32_t countTrial;
    double weightTrial;
    double lengthTrial;
    int32_t countBest;
    double weightBest;
    bool take;
  };
  const Case cases[] = {
      {"heavier wins", 0, false, 1, 500001, 1000, 1, 500000, true},
      {"equal weight, shorter wins", 0, false, 1, 500000, 990, 1, 500000, true},
      {"equal weight, longer loses", 0, false, 1, 500000, 1010, 1, 500000, false},
      {"lighter loses even when shorter", 0, false, 1, 499999, 500, 1, 500000, false},
      {"repeats: equal weight, more repeats wins", 1, false, 2, 500000, 1000, 3, 500000, true},
      {"repeats: shorter alone does not count", 1, false, 1, 500000, 990, 1, 500000, false},
      {"one-panel best compares by length", 1, true, 1, 500000, 990, 1, 500000, true},
      {"repeats: heavier, same repeats wins", 1, false, 1, 500001, 1000, 1, 500000, true},
      // 4 against 6 repeats: d = 1.2 squared gives 4 x 1.44 < 3 x 2; d = 1.3 gives 6.76.
      {"repeats: slightly heavier, fewer repeats loses", 1, false, 3, 512000, 1000, 2, 500000, false},
      {"repeats: heavier enough, fewer repeats wins", 1, false, 3, 513000, 1000, 2, 500000, true},
      // 6 against 3 repeats: d = 2 squared gives 3 x 4 > 3 x 3; d = 1.5 gives 6.75.
      {"repeats: much lighter, more repeats loses", 1, false, 2, 480000, 1000, 4, 500000, false},
      {"repeats: slightly lighter, more repeats wins", 1, false, 2, 485000, 1000, 4, 500000, true},
      {"anything beats an empty best", 1, false, 6, 1, 1000, 1, 0, true},
  };
  for (const Case& c : cases) {
    Load(10, 12, 1, c.minimizeLayouts);
    Layout best = MakeLayout(c.countBest, 0, c.weightBest, 1000);
    best.onePanel = c.bestOnePanel;
    Layout trial = MakeLayout(c.countTrial, 0, c.weightTrial, c.lengthTrial);
    EXPECT_EQ(optimizer.KeepBetterLayout(best, trial), c.take) << c.name;
    EXPECT_EQ(best.counts[0], c.take ? c.countTrial : c.countBest) << c.name;
    EXPECT_DOUBLE_EQ(best.usedWeight, c.take ? c.weightTrial : c.weightBest) << c.name;
    optimizer.ReleaseData();
  }
}

TEST_F(ChoiceTest, DistanceUsesThePartsOwnSizesAndBreaksTheLastTie) {
  Load(10, 12, 1);
  // The 200 x 100 part turned at (10, 0): its centre is taken with its own length along x.
  const double distance = std::sqrt(110.0 * 110.0 + 50.0 * 50.0) * 200 * 100;
  for (const bool nearer : {true, false}) {
    Layout best = MakeLayout(0, 1, 500000, 1000);
    best.distance = nearer ? distance + 0.01 : distance - 0.01;
    Layout trial = MakeLayout(0, 1, 500000, 1000);
    trial.placed[0] = {1, true, 10, 0, 100, 200};
    trial.placedCount = 1;
    EXPECT_EQ(optimizer.KeepBetterLayout(best, trial), nearer);
    EXPECT_NEAR(trial.distance, distance, 1e-6);
  }
}

TEST_F(ChoiceTest, LayoutHoldingAllDemandShortensLaterTrials) {
  Load(10, 12, 1);
  Layout best = MakeLayout(1, 0, 0, 1000);
  for (const bool complete : {true, false}) {
    Layout trial = MakeLayout(1, 0, 500000, 800);
    trial.totalArea = complete ? 500000.00005 : 600000;
    ASSERT_TRUE(optimizer.KeepBetterLayout(best, trial));
    EXPECT_DOUBLE_EQ(trial.panel.length, complete ? 800 - 0.99 : 2000) << complete;
    // The kept copy keeps the panel type's own length.
    EXPECT_DOUBLE_EQ(best.panel.length, 2000);
    best.usedWeight = 0;
  }
}

TEST_F(ChoiceTest, RepeatCountAndCommit) {
  struct Case {
    int32_t panelNum;
    int32_t num0;
    int32_t num1;
    int32_t count0;
    int32_t count1;
    int32_t repeats;
  };
  const Case cases[] = {
      {10, 12, 5, 2, 0, 6},
      {10, 12, 5, 2, 1, 5},
      {10, 12, 5, 0, 0, 10},
      {10, 13, 7, 4, 3, 2},
      // Below 2 the later part types are no longer asked, even one whose demand is used up.
      {1, 12, 0, 1, 1, 1},
      {10, 3, 0, 2, 1, 1},
  };
  for (const Case& c : cases) {
    Load(c.panelNum, c.num0, c.num1);
    Layout layout = MakeLayout(c.count0, c.count1, 1, 1000);
    EXPECT_EQ(optimizer.LayoutRepeatCount(layout), c.repeats)
        << c.panelNum << " panels, counts " << c.count0 << " " << c.count1;
    optimizer.ReleaseData();
  }

  Load(10, 12, 5);
  Layout layout = MakeLayout(2, 1, 1, 1000);
  optimizer.CommitLayout(layout);
  EXPECT_EQ(layout.repeatCount, 5);
  EXPECT_EQ(layout.panel.num, 5);
  EXPECT_EQ(optimizer.panels[0].num, 5);
  EXPECT_EQ(optimizer.panelsUsed, 5);
  EXPECT_EQ(optimizer.panelsLeft, 5);
  EXPECT_EQ(optimizer.parts[0].num, 2);
  EXPECT_EQ(optimizer.parts[1].num, 0);
  EXPECT_EQ(optimizer.copiesLeft, 2);
}

TEST_F(ChoiceTest, CompactionSlidesAcrossTheWidthFirstOnEqualGaps) {
  struct Box {
    double x;
    double y;
    double length;
    double width;
  };
  struct Case {
    const char* name;
    std::vector<Box> before;
    std::vector<Box> after;
  };
  const std::vector<Case> cases = {
      {"lone part goes to the origin", {{50, 30, 100, 100}}, {{0, 0, 100, 100}}},
      // B has 50 free both ways: it drops first, then slides up to the low strip E. Sliding
      // along the length first would leave it resting on E at (100, 40).
      {"equal gaps drop across the width first",
       {{0, 0, 120, 40}, {0, 50, 100, 100}, {150, 50, 100, 100}},
       {{0, 0, 120, 40}, {0, 40, 100, 100}, {120, 0, 100, 100}}},
  };
  Load(10, 12, 1);
  for (const Case& c : cases) {
    Layout layout = MakeLayout(0, 0, 1, 1000);
    for (const Box& box : c.before) {
      layout.placed[layout.placedCount++] = {0, false, box.x, box.y, box.length, box.width};
    }
    optimizer.CompactLayout(layout);
    ASSERT_EQ(layout.placedCount, static_cast<int32_t>(c.after.size()));
    for (size_t i = 0; i < c.after.size(); ++i) {
      EXPECT_DOUBLE_EQ(layout.placed[i].x, c.after[i].x) << c.name << " part " << i;
      EXPECT_DOUBLE_EQ(layout.placed[i].y, c.after[i].y) << c.name << " part " << i;
    }
  }
}

}  // namespace
}  // namespace sawplan
