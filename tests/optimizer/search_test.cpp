// Whole optimizer runs: small jobs whose best layout is known, the choice between panel types,
// stopping, determinism, and invariants over many generated jobs.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

#include "instance_fixture.h"
#include "optimizer.h"

namespace sawplan {
namespace {

using fixture::Instance;
using fixture::NestingSettings;
using fixture::Panel;
using fixture::Part;
using fixture::RunJob;
using fixture::RunResult;

constexpr double kTol = 1e-9;

TEST(OptimizeTest, TwoSquaresPerPanelAreCutTwice) {
  Instance instance;
  instance.settings = NestingSettings();
  instance.panels = {Panel(1000, 500, 10)};
  instance.parts = {Part(7, 500, 500, 4)};
  Optimizer optimizer;
  const RunResult result = RunJob(optimizer, instance);

  ASSERT_EQ(result.layouts.size(), 1u);
  EXPECT_EQ(result.layouts[0].layout.panelindex, 0);
  EXPECT_EQ(result.layouts[0].layout.numused, 2);
  ASSERT_EQ(result.layouts[0].layout.numplacedparts, 2);
  const auto& parts = result.layouts[0].parts;
  EXPECT_EQ(parts[0].pid, 7);
  EXPECT_DOUBLE_EQ(parts[0].lengthcoord, 0);
  EXPECT_DOUBLE_EQ(parts[0].widthcoord, 0);
  EXPECT_DOUBLE_EQ(parts[1].lengthcoord, 500);
  EXPECT_DOUBLE_EQ(parts[1].widthcoord, 0);
  EXPECT_EQ(result.progress.numpanelsused, 2);
  EXPECT_EQ(result.progress.numlayouts, 1);
  EXPECT_EQ(result.progress.numpanelstogo, 8);
  EXPECT_EQ(result.progress.numpartstogo, 0);
}

TEST(OptimizeTest, StartCornerMirrorsTheCoordinates) {
  struct Case {
    int32_t corner;
    double lengthcoord;
    double widthcoord;
  };
  const Case cases[] = {{0, 0, 0}, {1, 0, 1170}, {2, 2340, 1170}, {3, 2340, 0}, {7, 2340, 0}};
  for (const Case& c : cases) {
    for (const double kerf : {0.0, 4.0}) {
      Instance instance;
      instance.settings = NestingSettings();
      instance.settings.start_corner = c.corner;
      instance.settings.saw_kerf = kerf;
      instance.panels = {Panel(2440, 1220, 1)};
      instance.parts = {Part(1, 100, 50, 1, /*turnable=*/0)};
      Optimizer optimizer;
      const RunResult result = RunJob(optimizer, instance);
      ASSERT_EQ(result.layouts.size(), 1u);
      ASSERT_EQ(result.layouts[0].parts.size(), 1u);
      const tVREXPlacedPartData& part = result.layouts[0].parts[0];
      EXPECT_NEAR(part.lengthcoord, c.lengthcoord, kTol) << "corner " << c.corner << " kerf " << kerf;
      EXPECT_NEAR(part.widthcoord, c.widthcoord, kTol) << "corner " << c.corner << " kerf " << kerf;
      EXPECT_NEAR(part.length, 100, kTol);
      EXPECT_NEAR(part.width, 50, kTol);
    }
  }
}

TEST(OptimizeTest, PanelTypeThatTakesNothingLeavesTheRun) {
  Instance instance;
  instance.settings = NestingSettings();
  instance.panels = {Panel(1000, 500, 3), Panel(2000, 1000, 3)};
  instance.parts = {Part(1, 1500, 800, 1)};
  Optimizer optimizer;
  const RunResult result = RunJob(optimizer, instance);
  ASSERT_EQ(result.layouts.size(), 1u);
  EXPECT_EQ(result.layouts[0].layout.panelindex, 1);
  EXPECT_EQ(result.progress.numpanelsused, 1);
  EXPECT_EQ(result.progress.numpanelstogo, 2);  // 6 - 3 rejected - 1 used
}

TEST(OptimizeTest, OffcutBelowMinimumUtilizationIsRemoved) {
  // The part's weight is 475000 on both 1000 x 1000 panels and it uses the whole length, so
  // the offcut layout reaches 47.5 percent.
  struct Case {
    double minUtilization;
    int32_t panelIndex;
    int32_t panelsToGo;
  };
  const Case cases[] = {{50, 1, 4}, {40, 0, 6}};
  for (const Case& c : cases) {
    Instance instance;
    instance.settings = NestingSettings();
    instance.settings.min_stockutilization = c.minUtilization;
    instance.panels = {Panel(1000, 1000, 2, /*sequence=*/1, /*instock=*/1), Panel(1000, 1000, 5, 2)};
    instance.parts = {Part(1, 1000, 400, 1, /*turnable=*/0)};
    Optimizer optimizer;
    const RunResult result = RunJob(optimizer, instance);
    ASSERT_EQ(result.layouts.size(), 1u) << c.minUtilization;
    EXPECT_EQ(result.layouts[0].layout.panelindex, c.panelIndex) << c.minUtilization;
    EXPECT_EQ(result.progress.numpanelstogo, c.panelsToGo) << c.minUtilization;
  }
}

TEST(OptimizeTest, OnePanelLayoutWinsOverHigherUtilization) {
  // Panel 0 takes one square at full utilization; panel 1 takes both at lower utilization.
  struct Case {
    int32_t onePanel;
    int32_t panelIndex;
    int32_t numused;
    int32_t placed;
  };
  const Case cases[] = {{0, 0, 2, 1}, {1, 1, 1, 2}};
  for (const Case& c : cases) {
    Instance instance;
    instance.settings = NestingSettings();
    instance.settings.use_one_panel_if_possible = c.onePanel;
    instance.panels = {Panel(500, 500, 5), Panel(2000, 600, 5)};
    instance.parts = {Part(1, 500, 500, 2)};
    Optimizer optimizer;
    const RunResult result = RunJob(optimizer, instance);
    ASSERT_EQ(result.layouts.size(), 1u) << c.onePanel;
    EXPECT_EQ(result.layouts[0].layout.panelindex, c.panelIndex) << c.onePanel;
    EXPECT_EQ(result.layouts[0].layout.numused, c.numused) << c.onePanel;
    EXPECT_EQ(result.layouts[0].layout.numplacedparts, c.placed) << c.onePanel;
  }
}

TEST(OptimizeTest, LaterSequenceUsesTheRectangleParkedForTheEarlierOne) {
  // The saw cuts at most 600 wide, so the 1000-wide panel starts as two strips. The first
  // strip is too narrow for part 1 and is parked; part 2 (next sequence) can only go there.
  Instance instance;
  instance.settings = NestingSettings();
  instance.settings.max_saw_cuttingwidth = 600;
  instance.panels = {Panel(1000, 1000, 1)};
  instance.parts = {Part(1, 1000, 500, 1, 0, /*sequence=*/1), Part(2, 1000, 300, 1, 0, /*sequence=*/2)};
  Optimizer optimizer;
  const RunResult result = RunJob(optimizer, instance);
  ASSERT_EQ(result.layouts.size(), 1u);
  ASSERT_EQ(result.layouts[0].parts.size(), 2u);
  const tVREXPlacedPartData& second = result.layouts[0].parts[1];
  EXPECT_EQ(second.pid, 2);
  EXPECT_DOUBLE_EQ(second.widthcoord, 0);
}

TEST(OptimizeTest, SmallPartsPenalizedEverywhereAreStillPlaced) {
  Instance instance;
  instance.settings = NestingSettings();
  instance.settings.small_parts_inside = 1;
  instance.panels = {Panel(1000, 1000, 1)};
  instance.parts = {Part(1, 50, 50, 3)};
  Optimizer optimizer;
  const RunResult result = RunJob(optimizer, instance);
  ASSERT_EQ(result.layouts.size(), 1u);
  EXPECT_EQ(result.layouts[0].layout.numplacedparts, 3);
}

TEST(OptimizeTest, EmptyTablesStoreNothingAndReportThePreparedTotals) {
  struct Case {
    const char* name;
    std::vector<tVREXPanelData> panels;
    std::vector<tVREXPartData> parts;
    tVREXProgress progress;
  };
  const Case cases[] = {
      {"no panels", {}, {Part(1, 100, 100, 3)}, {0, 0, 0, 0}},
      {"no parts", {Panel(1000, 1000, 5)}, {}, {0, 0, 5, 0}},
      {"part fits no panel", {Panel(1000, 1000, 5)}, {Part(1, 1100, 100, 3)}, {0, 0, 5, 0}},
  };
  for (const Case& c : cases) {
    Instance instance;
    instance.settings = NestingSettings();
    instance.panels = c.panels;
    instance.parts = c.parts;
    Optimizer optimizer;
    const RunResult result = RunJob(optimizer, instance);
    EXPECT_TRUE(result.layouts.empty()) << c.name;
    EXPECT_EQ(result.progress.numpanelsused, c.progress.numpanelsused) << c.name;
    EXPECT_EQ(result.progress.numlayouts, c.progress.numlayouts) << c.name;
    EXPECT_EQ(result.progress.numpanelstogo, c.progress.numpanelstogo) << c.name;
    EXPECT_EQ(result.progress.numpartstogo, c.progress.numpartstogo) << c.name;
  }
}

TEST(OptimizeTest, InterruptBeforeOptimizeStoresNoLayout) {
  Optimizer optimizer;
  optimizer.Initialize(1, 1, 0);
  optimizer.PutSettings(NestingSettings());
  optimizer.PutPanel(Panel(1000, 1000, 2));
  optimizer.PutPart(Part(1, 300, 200, 4));
  optimizer.InterruptRun();
  optimizer.Optimize(0);
  EXPECT_EQ(optimizer.GetNumLayouts(), 0);
  const tVREXProgress progress = optimizer.GetProgress();
  EXPECT_EQ(progress.numpanelstogo, 2);
  EXPECT_EQ(progress.numpartstogo, 4);
  optimizer.ReleaseData();
}

TEST(OptimizeTest, InterruptFromTheCallbackKeepsEarlierLayouts) {
  Optimizer optimizer;
  optimizer.Initialize(1, 1, 0);
  optimizer.PutSettings(NestingSettings());
  optimizer.PutPanel(Panel(1000, 500, 10));
  // Two squares per panel and three demanded: two passes.
  optimizer.PutPart(Part(1, 500, 500, 3));
  std::vector<tVREXProgress> calls;
  optimizer.Optimize(1, [&](const tVREXProgress& progress) {
    calls.push_back(progress);
    if (calls.size() == 2) optimizer.InterruptRun();
  });
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].numlayouts, 0);
  EXPECT_EQ(calls[0].numpartstogo, 3);
  EXPECT_EQ(calls[1].numlayouts, 1);
  EXPECT_EQ(optimizer.GetNumLayouts(), 1);
  tVREXLayoutData layout{};
  optimizer.GetLayout(0, &layout);
  EXPECT_EQ(layout.numused, 1);
  EXPECT_EQ(layout.numplacedparts, 2);
  optimizer.ReleaseData();
}

TEST(OptimizeTest, CallbackOnlyWhenAskedOncePerPass) {
  for (const int32_t useCallback : {0, 1}) {
    Optimizer optimizer;
    optimizer.Initialize(1, 1, 0);
    optimizer.PutSettings(NestingSettings());
    optimizer.PutPanel(Panel(1000, 500, 10));
    optimizer.PutPart(Part(1, 500, 500, 3));
    int calls = 0;
    optimizer.Optimize(useCallback, [&](const tVREXProgress&) { ++calls; });
    // Two passes: 2 squares cut once, then the last square.
    EXPECT_EQ(optimizer.GetNumLayouts(), 2);
    EXPECT_EQ(calls, useCallback != 0 ? 2 : 0);
    optimizer.ReleaseData();
  }
}

TEST(OptimizeTest, PassThatCanTryNoPanelTypeEndsTheRun) {
  // Panel sequences above 999999 are never tried; a pass that finds nothing to try must end
  // the run instead of starting the same pass again.
  for (const int32_t sequence : {1000000, 2147483647}) {
    Optimizer optimizer;
    optimizer.Initialize(1, 1, 0);
    optimizer.PutSettings(NestingSettings());
    optimizer.PutPanel(Panel(1000, 1000, 5, sequence));
    optimizer.PutPart(Part(1, 300, 200, 3));
    int calls = 0;
    optimizer.Optimize(1, [&](const tVREXProgress&) {
      // A run stuck in its pass loop is stopped here so the test fails instead of hanging.
      if (++calls == 3) optimizer.InterruptRun();
    });
    EXPECT_EQ(calls, 1) << "sequence " << sequence;
    EXPECT_EQ(optimizer.GetNumLayouts(), 0);
    const tVREXProgress progress = optimizer.GetProgress();
    EXPECT_EQ(progress.numpanelstogo, 5);
    EXPECT_EQ(progress.numpartstogo, 3);
    optimizer.ReleaseData();
  }
}

TEST(OptimizeTest, SearchLimits) {
  struct Case {
    int32_t maxIters;
    int32_t constructions;
    SearchEnd end;
  };
  // Zero: the first construction always improves on the empty candidate, the second may not run.
  const Case cases[] = {{0, 1, SearchEnd::NoImprovement}, {100000, 5000, SearchEnd::Constructions}};
  for (const Case& c : cases) {
    Optimizer optimizer;
    std::vector<PanelSearchReport> reports;
    optimizer.panelSearchObserver = [&](const PanelSearchReport& report) { reports.push_back(report); };
    Instance instance;
    instance.settings = NestingSettings();
    instance.settings.max_num_iters = c.maxIters;
    instance.settings.max_runtime = 1000;
    instance.panels = {Panel(1000, 1000, 1)};
    instance.parts = {Part(1, 300, 200, 4)};
    RunJob(optimizer, instance);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].constructions, c.constructions);
    EXPECT_EQ(reports[0].end, c.end);
  }
}

TEST(OptimizeTest, SameInputGivesSameLayouts) {
  std::mt19937 random(11);
  for (int i = 0; i < 6; ++i) {
    const Instance instance = fixture::RandomInstance(random, true);
    Optimizer first;
    Optimizer second;
    const std::string a = fixture::Fingerprint(RunJob(first, instance));
    // The same object again: nothing of the earlier run may leak into the next.
    const std::string b = fixture::Fingerprint(RunJob(second, instance));
    const std::string c = fixture::Fingerprint(RunJob(first, instance));
    EXPECT_EQ(a, b) << "instance " << i;
    EXPECT_EQ(a, c) << "instance " << i;
  }
}

// Checks what must hold for any job: parts inside their panel and its drilling area, no
// overlaps, sizes back without kerf, and never more copies or panels than there are.
void CheckLayouts(const Instance& instance, const RunResult& result, const std::string& name) {
  std::map<int32_t, int64_t> cut;
  std::vector<int64_t> panelsUsed(instance.panels.size(), 0);
  int64_t panelTotal = 0;
  for (const auto& panel : instance.panels) panelTotal += panel.num;
  int64_t placedTotal = 0;
  for (const fixture::ReadLayout& read : result.layouts) {
    ASSERT_GE(read.layout.panelindex, 0) << name;
    ASSERT_LT(read.layout.panelindex, static_cast<int32_t>(instance.panels.size())) << name;
    ASSERT_GE(read.layout.numused, 1) << name;
    const tVREXPanelData& panel = instance.panels[read.layout.panelindex];
    panelsUsed[read.layout.panelindex] += read.layout.numused;
    const double eps = 1e-6;
    for (size_t i = 0; i < read.parts.size(); ++i) {
      const tVREXPlacedPartData& a = read.parts[i];
      ASSERT_GE(a.pid, 1) << name;
      const tVREXPartData& part = instance.parts[a.pid - 1];
      const bool plain = std::fabs(a.length - part.length) < eps && std::fabs(a.width - part.width) < eps;
      const bool turned = std::fabs(a.length - part.width) < eps && std::fabs(a.width - part.length) < eps;
      EXPECT_TRUE(plain || (turned && part.turnable == 1)) << name << " pid " << a.pid;
      EXPECT_GE(a.lengthcoord, -eps) << name;
      EXPECT_GE(a.widthcoord, -eps) << name;
      EXPECT_LE(a.lengthcoord + a.length, panel.length + 1e-3) << name;
      EXPECT_LE(a.widthcoord + a.width, panel.width + 1e-3) << name;
      for (size_t j = i + 1; j < read.parts.size(); ++j) {
        const tVREXPlacedPartData& b = read.parts[j];
        // Kerf-enlarged parts may touch within the tolerance; the parts themselves never overlap.
        const bool apart = a.lengthcoord + a.length <= b.lengthcoord + 1e-3 ||
                           b.lengthcoord + b.length <= a.lengthcoord + 1e-3 ||
                           a.widthcoord + a.width <= b.widthcoord + 1e-3 ||
                           b.widthcoord + b.width <= a.widthcoord + 1e-3;
        EXPECT_TRUE(apart) << name << " parts " << i << " and " << j;
      }
      cut[a.pid] += read.layout.numused;
      placedTotal += read.layout.numused;
    }
  }
  for (const auto& [pid, copies] : cut) {
    EXPECT_LE(copies, instance.parts[pid - 1].num) << name << " pid " << pid;
  }
  for (size_t p = 0; p < instance.panels.size(); ++p) {
    EXPECT_LE(panelsUsed[p], instance.panels[p].num) << name << " panel " << p;
  }
  int64_t panelsUsedTotal = 0;
  for (const int64_t used : panelsUsed) panelsUsedTotal += used;
  EXPECT_EQ(result.progress.numpanelsused, panelsUsedTotal) << name;
  EXPECT_EQ(result.progress.numlayouts, static_cast<int32_t>(result.layouts.size())) << name;
  EXPECT_LE(result.progress.numpanelstogo, panelTotal - panelsUsedTotal) << name;
  int64_t demand = 0;
  for (const auto& part : instance.parts) demand += part.num;
  EXPECT_LE(result.progress.numpartstogo, demand - placedTotal) << name;
}

TEST(OptimizeTest, GeneratedJobsKeepTheLayoutRules) {
  std::mt19937 random(2024);
  for (int i = 0; i < 60; ++i) {
    const Instance instance = fixture::RandomInstance(random, true);
    Optimizer optimizer;
    const RunResult result = RunJob(optimizer, instance);
    CheckLayouts(instance, result, "instance " + std::to_string(i));
  }
}

TEST(OptimizeTest, GeneratedJobsMirrorForEveryStartCorner) {
  std::mt19937 random(77);
  for (int i = 0; i < 8; ++i) {
    Instance instance = fixture::RandomInstance(random, false);
    instance.settings.saw_kerf = 3;
    Optimizer optimizer;
    const RunResult lowerLeft = RunJob(optimizer, instance);
    for (int32_t corner = 1; corner <= 3; ++corner) {
      instance.settings.start_corner = corner;
      const RunResult mirrored = RunJob(optimizer, instance);
      ASSERT_EQ(mirrored.layouts.size(), lowerLeft.layouts.size());
      for (size_t k = 0; k < lowerLeft.layouts.size(); ++k) {
        const tVREXPanelData& panel = instance.panels[lowerLeft.layouts[k].layout.panelindex];
        ASSERT_EQ(mirrored.layouts[k].parts.size(), lowerLeft.layouts[k].parts.size());
        for (size_t p = 0; p < lowerLeft.layouts[k].parts.size(); ++p) {
          const tVREXPlacedPartData& a = lowerLeft.layouts[k].parts[p];
          const tVREXPlacedPartData& b = mirrored.layouts[k].parts[p];
          const double x = corner >= 2 ? panel.length - a.lengthcoord - a.length : a.lengthcoord;
          const double y = corner == 1 || corner == 2 ? panel.width - a.widthcoord - a.width : a.widthcoord;
          EXPECT_NEAR(b.lengthcoord, x, 1e-9) << "instance " << i << " corner " << corner;
          EXPECT_NEAR(b.widthcoord, y, 1e-9) << "instance " << i << " corner " << corner;
        }
      }
    }
  }
}

TEST(OptimizeTest, DrilledPartsStayInsideTheDrillingArea) {
  std::mt19937 random(5);
  for (int i = 0; i < 25; ++i) {
    Instance instance = fixture::RandomInstance(random, false);
    for (auto& panel : instance.panels) {
      panel.drilling_area_length = panel.length * 0.6;
      panel.drilling_area_width = panel.width * 0.7;
    }
    // Half the parts drilled near one end; pairs form only among parts drilled alike.
    for (size_t p = 0; p < instance.parts.size(); p += 2) {
      tVREXPartData& part = instance.parts[p];
      part.drilling_required = 1;
      part.drill_length = part.length * 0.5;
      part.drill_width = part.width * 0.25;
      part.drill_length_turned = part.width * 0.25;
      part.drill_width_turned = part.length * 0.5;
    }
    Optimizer optimizer;
    const RunResult result = RunJob(optimizer, instance);
    for (const fixture::ReadLayout& read : result.layouts) {
      const tVREXPanelData& panel = instance.panels[read.layout.panelindex];
      for (const tVREXPlacedPartData& placed : read.parts) {
        const tVREXPartData& part = instance.parts[placed.pid - 1];
        if (part.drilling_required != 1) continue;
        const bool turned = std::fabs(placed.length - part.length) > 1e-6;
        const double reachL = placed.lengthcoord + (turned ? part.drill_length_turned : part.drill_length);
        const double reachW = placed.widthcoord + (turned ? part.drill_width_turned : part.drill_width);
        EXPECT_LE(reachL, panel.drilling_area_length + 1e-3) << "instance " << i << " pid " << placed.pid;
        EXPECT_LE(reachW, panel.drilling_area_width + 1e-3) << "instance " << i << " pid " << placed.pid;
      }
    }
  }
}

TEST(OptimizeTest, DrillingDeeperThanItsPartStaysInsideTheDrillingArea) {
  // Part 2 is drilled 280 deep across a width of 100, in an area 260 deep: it fits nowhere, not
  // even below part 1 where the pair's own reach (150 + 100) would let it in.
  struct Case {
    const char* name;
    bool stacked;
  };
  for (const Case& c : {Case{"stacked", true}, Case{"side by side", false}}) {
    auto drilled = [&](int32_t pid, double across, double drillAlong, double drillAcross) {
      tVREXPartData part = c.stacked ? Part(pid, 300, across, 1, 0) : Part(pid, across, 300, 1, 0);
      part.drilling_required = 1;
      part.drill_length = c.stacked ? drillAlong : drillAcross;
      part.drill_width = c.stacked ? drillAcross : drillAlong;
      return part;
    };
    Instance instance;
    instance.settings = NestingSettings();
    instance.panels = {c.stacked ? Panel(2000, 1000, 2) : Panel(1000, 2000, 2)};
    instance.panels[0].drilling_area_length = c.stacked ? 2000 : 260;
    instance.panels[0].drilling_area_width = c.stacked ? 260 : 2000;
    instance.parts = {drilled(1, 200, 100, 150), drilled(2, 100, 100, 280)};
    Optimizer optimizer;
    const RunResult result = RunJob(optimizer, instance);
    for (const fixture::ReadLayout& read : result.layouts) {
      for (const tVREXPlacedPartData& placed : read.parts) {
        const tVREXPartData& part = instance.parts[placed.pid - 1];
        EXPECT_LE(placed.lengthcoord + part.drill_length, instance.panels[0].drilling_area_length + 1e-3)
            << c.name << ", pid " << placed.pid;
        EXPECT_LE(placed.widthcoord + part.drill_width, instance.panels[0].drilling_area_width + 1e-3)
            << c.name << ", pid " << placed.pid;
      }
    }
    EXPECT_EQ(result.progress.numpartstogo, 1) << c.name;
  }
}

}  // namespace
}  // namespace sawplan
