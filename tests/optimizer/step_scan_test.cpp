// The step scan on made-up steps: the scalar and the vector path keep the same five best to the
// last bit, and a rectangle proved to take no unmoved block indeed takes none.
#include <gtest/gtest.h>

#include <cstring>

#include "optimizer.h"
#include "testing/draw.h"

namespace sawplan {
namespace {

using tv::test_support::Draw;

struct MadeUpStep {
  StepFrame frame;
  ActiveBlocks active;
  NearBoxes near;
};

// A step on a 2440 x 1220 panel: sizes on a coarse grid, so that blocks end exactly on the
// rectangle's and the parts' edges and scores tie, and now and then a tolerance off.
MadeUpStep MakeStep(Draw& draw) {
  Optimizer optimizer;
  optimizer.settings.small_parts_inside = draw.Chance(1, 2) ? 1 : 0;
  Layout layout;
  layout.panel.length = 2440;
  layout.panel.width = 1220;
  layout.panel.drilling_area_length = draw.Chance(1, 3) ? 1800 : 2440;
  layout.panel.drilling_area_width = draw.Chance(1, 3) ? 900 : 1220;
  layout.stripCut = draw.Chance(1, 4) ? 610 + 10 * draw.Uniform(0, 30) : 1220;
  layout.scoringVariant = draw.Chance(1, 2);
  layout.remainingArea = draw.Chance(1, 2) ? 1e7 : 4e6;
  auto coordinate = [&](int32_t most) {
    double value = 10.0 * draw.Uniform(0, most / 10);
    if (draw.Chance(1, 10)) value += draw.Chance(1, 2) ? 0.0001 : -0.0001;
    return value;
  };
  FreeRect rect{coordinate(2000), coordinate(1100), coordinate(1500) + 10, coordinate(900) + 10,
                draw.Chance(2, 3)};

  MadeUpStep step;
  step.frame = optimizer.ConstructionFrame(layout);
  Optimizer::SetFrameRect(step.frame, layout, rect);

  const int32_t parts = draw.Uniform(0, 8);
  step.near.Reserve(parts);
  for (int32_t i = 0; i < parts; ++i) {
    // Parts around the corner: some cover it, some end on its edges.
    const double x0 = rect.x + coordinate(600) - 300;
    const double y0 = rect.y + coordinate(400) - 200;
    step.near.x0[step.near.count] = x0;
    step.near.y0[step.near.count] = y0;
    step.near.x1[step.near.count] = x0 + coordinate(500) + 10;
    step.near.y1[step.near.count] = y0 + coordinate(300) + 10;
    ++step.near.count;
  }

  const int32_t blocks = draw.Uniform(1, 23);
  step.active.Reserve(blocks);
  step.active.Clear();
  for (int32_t b = 0; b < blocks; ++b) {
    Block block;
    block.length = coordinate(1600) + 10;
    block.width = coordinate(1000) + 10;
    block.minLength = draw.Chance(1, 2) ? block.length : block.length / 2;
    block.minWidth = draw.Chance(1, 2) ? block.width : block.width / 2;
    block.area = block.length * block.width * (draw.Chance(1, 4) ? 0.5 : 1);
    block.weight = draw.Chance(1, 3) ? block.area : block.area * 1.25;
    block.drilled = draw.Chance(1, 4);
    block.drillLength = block.drilled ? block.length * 0.75 : 0;
    block.drillWidth = block.drilled ? block.width * 0.75 : 0;
    step.active.Append(block, b);
    if (draw.Chance(1, 8)) step.active.Kill(b);
  }
  step.active.Pad();
  return step;
}

bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(StepScanTest, ScalarAndVectorPathsKeepTheSameFiveBest) {
  if (!ScanPathAvailable(ScanPath::Avx2)) GTEST_SKIP() << "this processor has no avx2";
  Draw draw(20261210);
  int32_t withCandidates = 0;
  for (int32_t c = 0; c < 4000; ++c) {
    MadeUpStep step = MakeStep(draw);
    step.frame.onlyMoved = draw.Chance(1, 5);
    BestFive scalar;
    BestFive vector;
    scalar.Reset();
    vector.Reset();
    ScanStepScalar(step.frame, step.active, step.near, scalar);
    ScanStepAvx2(step.frame, step.active, step.near, vector);
    if (scalar.entry[0].block >= 0) ++withCandidates;
    for (int k = 0; k < 5; ++k) {
      ASSERT_EQ(scalar.entry[k].block, vector.entry[k].block) << "case " << c << " entry " << k;
      ASSERT_TRUE(SameBits(scalar.entry[k].score, vector.entry[k].score)) << "case " << c << " entry " << k;
      ASSERT_TRUE(SameBits(scalar.entry[k].position.x, vector.entry[k].position.x)) << "case " << c;
      ASSERT_TRUE(SameBits(scalar.entry[k].position.y, vector.entry[k].position.y)) << "case " << c;
    }
  }
  // The cases must exercise placements, not only refusals.
  EXPECT_GT(withCandidates, 1000);
}

TEST(StepScanTest, ARectangleProvedEmptyTakesNoUnmovedBlock) {
  Draw draw(4242);
  int32_t proved = 0;
  for (int32_t c = 0; c < 4000; ++c) {
    MadeUpStep step = MakeStep(draw);
    step.active.RefreshLeast();
    if (!NoUnmovedBlockFits(step.frame, step.near, step.active.leastLength, step.active.leastWidth)) continue;
    ++proved;
    const StepFrame& f = step.frame;
    for (int32_t i = 0; i < step.active.count; ++i) {
      if (step.active.live[i] == 0) continue;
      const auto slot = static_cast<size_t>(i);
      const bool moved =
          f.smallParts && (f.MovesAcross(step.active, slot) || f.MovesAlong(step.active, slot));
      if (moved) continue;
      double x = 0;
      double y = 0;
      double score = 0;
      EXPECT_FALSE(ScoreBlockAt(f, step.active, static_cast<size_t>(i), step.near, &x, &y, &score))
          << "case " << c << " block " << i << " fits at " << x << ", " << y;
    }
    // Scoring only the moved blocks then keeps the same five best as scoring all.
    BestFive all;
    BestFive movedOnly;
    all.Reset();
    movedOnly.Reset();
    ScanStepScalar(f, step.active, step.near, all);
    step.frame.onlyMoved = true;
    ScanStepScalar(step.frame, step.active, step.near, movedOnly);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(all.entry[k].block, movedOnly.entry[k].block) << "case " << c;
  }
  EXPECT_GT(proved, 200);
}

}  // namespace
}  // namespace sawplan
