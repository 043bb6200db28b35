// One optimizer pass per material group: the records, the call order, the read-back and the
// group's contribution to the run's failure report.
#include "nesting/material_group.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "fake_vrex.h"
#include "testing/scripted_ui.h"

namespace tv::nesting {
namespace {

using testing::FakeVrex;

GroupPart Part(const char* cabinet, double length, double width, int qty, int rotatable = 0) {
  GroupPart part;
  part.Cabinet = cabinet;
  part.SortKey = cabinet;
  part.Length = length;
  part.Width = width;
  part.Qty = qty;
  part.Rotatable = rotatable;
  part.Material = "MELWHITE19";
  return part;
}

sawplan::tVREXPlacedPartData Placed(int pid) {
  sawplan::tVREXPlacedPartData placed{};
  placed.pid = pid;
  return placed;
}

class MaterialGroup : public ::testing::Test {
 protected:
  MaterialGroup() {
    run.Parts = {Part("B", 600, 400, 2), Part("A", 500, 300, 1, 1), Part("A  ", 700, 200, 2)};
    run.GroupPartCount = 3;
    run.SheetList = {SheetRecord{0, false, 0, 2440, 1220, 19, 4}, SheetRecord{1, true, 3, 900, 600, 19, 6}};
    settings.PerimeterMargin = 5;
    settings.CutOutDiameter = 0.25;
    settings.CutOutClearance = 0.05;
    settings.NestFromCorner = 2;
    settings.SmallPartsInside = 1;
  }

  GroupResult Nest(const LayoutBuilder& builder) {
    return NestMaterialGroup(run, settings, ui, factory, builder);
  }
  LayoutBuilder Recorder(LayoutResult result = LayoutResult::Written) {
    return [this, result](const sawplan::tVREXLayoutData& layout,
                          const std::vector<sawplan::tVREXPlacedPartData>& placed) {
      vrex.calls.push_back("build " + std::to_string(layout.panelindex) + " x" +
                           std::to_string(layout.numused) + " parts " + std::to_string(placed.size()));
      return result;
    };
  }

  FakeVrex vrex;
  int created = 0;
  VrexFactory factory = [this](std::string&) {
    ++created;
    vrex.AddRef();
    return VrexRef(&vrex);
  };
  RunValues run;
  GroupNestingSettings settings;
  test_support::ScriptedUi ui;
};

TEST_F(MaterialGroup, HandsSheetsAndPartsOverInOrderAndReadsEveryLayoutBack) {
  vrex.layouts = {{{0, 2, 2}, {Placed(1), Placed(3)}}, {{1, 1, 1}, {Placed(2)}}};
  EXPECT_EQ(Nest(Recorder()), GroupResult::Continue);

  EXPECT_EQ(vrex.calls, (std::vector<std::string>{"Initialize 2 3 0", "PutSettings", "PutPanel", "PutPanel",
                                                  "PutPart", "PutPart", "PutPart", "Optimize 0",
                                                  "GetNumLayouts", "GetLayout 0", "GetPlacedPart 0 0",
                                                  "GetPlacedPart 0 1", "build 0 x2 parts 2", "GetLayout 1",
                                                  "GetPlacedPart 1 0", "build 1 x1 parts 1", "ReleaseData"}));
  EXPECT_EQ(created, 1);
  EXPECT_EQ(vrex.references, 1);  // the group let go of its object

  const auto& s = vrex.settings.at(0);
  EXPECT_EQ(s.max_runtime, 10);
  EXPECT_EQ(s.max_num_iters, 700);
  EXPECT_EQ(s.minimize_number_of_layouts, 0);
  EXPECT_EQ(s.use_one_panel_if_possible, 0);
  EXPECT_DOUBLE_EQ(s.saw_kerf, 0.3);
  EXPECT_DOUBLE_EQ(s.max_saw_cuttingwidth, 99999.9);
  EXPECT_DOUBLE_EQ(s.min_stockutilization, 0.7);
  EXPECT_EQ(s.start_corner, 2);
  EXPECT_EQ(s.small_parts_inside, 1);
  EXPECT_FLOAT_EQ(run.SawKerf, 0.3f);

  // Whole sheet less the margin on both sides; Qty 0 offers 999; offcuts come first.
  const auto& full = vrex.panels.at(0);
  EXPECT_DOUBLE_EQ(full.length, 2430);
  EXPECT_DOUBLE_EQ(full.width, 1210);
  EXPECT_DOUBLE_EQ(full.drilling_area_length, 2430);
  EXPECT_DOUBLE_EQ(full.drilling_area_width, 1210);
  EXPECT_EQ(full.instock, 0);
  EXPECT_EQ(full.sequence, 2);
  EXPECT_EQ(full.num, 999);
  const auto& offcut = vrex.panels.at(1);
  EXPECT_EQ(offcut.instock, 1);
  EXPECT_EQ(offcut.sequence, 1);
  EXPECT_EQ(offcut.num, 3);

  // The last sheet has grain: only the part that may turn itself turns.
  const auto& first = vrex.parts.at(0);
  EXPECT_EQ(first.pid, 1);
  EXPECT_DOUBLE_EQ(first.length, 600);
  EXPECT_DOUBLE_EQ(first.width, 400);
  EXPECT_DOUBLE_EQ(first.drill_length, 600);
  EXPECT_DOUBLE_EQ(first.drill_width, 400);
  EXPECT_DOUBLE_EQ(first.drill_length_turned, 400);
  EXPECT_DOUBLE_EQ(first.drill_width_turned, 600);
  EXPECT_EQ(first.drilling_required, 0);
  EXPECT_EQ(first.maxnumperpanel, 2);
  EXPECT_EQ(first.num, 2);
  EXPECT_EQ(first.sequence, 1);
  EXPECT_EQ(first.turnable, 0);
  EXPECT_EQ(vrex.parts.at(1).turnable, 1);
  EXPECT_EQ(vrex.parts.at(2).pid, 3);

  const auto& history = ui.StatusHistory();
  ASSERT_EQ(history.size(), 2u);
  EXPECT_EQ(history[0].second, "*** Standby... Calculating Nesting Co-ordinates for 5 Parts...*** ");
  EXPECT_EQ(history[1].second, "*** Merging Parts Into Nested Sheets...*** ");
  EXPECT_GE(ui.ProcessEventsCalls(), 1);

  // Five instances: two layouts hold 2 x 2 + 1.
  EXPECT_EQ(run.FailureKind, RunFailure::None);
  EXPECT_EQ(run.FailedPartCount, 0);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(MaterialGroup, GrainlessSheetsLetEveryPartTurnAndCabinetsGetTheirOwnNumbers) {
  run.SheetList[1].Grain = false;
  settings.NestByCabinet = true;
  EXPECT_EQ(Nest(Recorder()), GroupResult::Continue);
  ASSERT_EQ(vrex.parts.size(), 3u);
  for (const auto& part : vrex.parts) EXPECT_EQ(part.turnable, 1);
  EXPECT_EQ(vrex.parts[0].sequence, 2);  // B
  EXPECT_EQ(vrex.parts[1].sequence, 1);  // A
  EXPECT_EQ(vrex.parts[2].sequence, 1);  // "A  "
}

TEST_F(MaterialGroup, KerfGoesOverWithAtMostFourDecimals) {
  settings.CutOutDiameter = 0.123456;
  settings.CutOutClearance = 0.1;
  Nest(Recorder());
  EXPECT_DOUBLE_EQ(vrex.settings.at(0).saw_kerf, 0.2235);
}

TEST_F(MaterialGroup, AMaterialWithoutSheetsIsReportedAndDropped) {
  run.SheetList.clear();
  EXPECT_EQ(Nest(Recorder()), GroupResult::Continue);
  EXPECT_EQ(created, 0);
  EXPECT_EQ(run.GroupPartCount, 0);
  EXPECT_EQ(run.FailureKind, RunFailure::None);
  EXPECT_EQ(run.FailedPartCount, 0);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().text, "Requested material is unavailable for these parts. \rMELWHITE19");
  EXPECT_EQ(ui.LastMessage().title, "Alert");
  EXPECT_EQ(ui.LastMessage().icon, core::MsgIcon::Information);
}

TEST_F(MaterialGroup, AnEmptyGroupDoesNothing) {
  run.GroupPartCount = 0;
  EXPECT_EQ(Nest(Recorder()), GroupResult::Continue);
  EXPECT_EQ(created, 0);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(MaterialGroup, AnOptimizerThatCannotBeCreatedEndsTheRunWithTheReason) {
  factory = [](std::string& reason) {
    reason = "Class {AE7CF44B-F0A7-49A1-A327-B0AD0EBD1B39} is not registered.";
    return VrexRef();
  };
  EXPECT_EQ(Nest(Recorder()), GroupResult::AbortRun);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().title, "Nesting Error");
  EXPECT_NE(ui.LastMessage().text.find("is not registered"), std::string::npos);
  EXPECT_EQ(run.FailureKind, RunFailure::None);
}

TEST_F(MaterialGroup, OutcomeCountsPartInstancesOnWrittenSheets) {
  struct Case {
    const char* name;
    std::vector<testing::FakeLayout> layouts;
    LayoutResult result;
    RunFailure failureKind;
    long failed;
  } cases[] = {
      {"no layout", {}, LayoutResult::Written, RunFailure::NoLayout, 0},
      {"all five placed",
       {{{0, 2, 2}, {Placed(1), Placed(3)}}, {{0, 1, 1}, {Placed(2)}}},
       LayoutResult::Written,
       RunFailure::None,
       0},
      {"one copy short",
       {{{0, 2, 2}, {Placed(1), Placed(3)}}},
       LayoutResult::Written,
       RunFailure::PartsNotPlaced,
       1},
      {"copies count",
       {{{0, 1, 3}, {Placed(1), Placed(2), Placed(3)}}},
       LayoutResult::Written,
       RunFailure::PartsNotPlaced,
       2},
      {"sheet not written",
       {{{0, 5, 3}, {Placed(1), Placed(2), Placed(3)}}},
       LayoutResult::NotWritten,
       RunFailure::PartsNotPlaced,
       5},
      {"layout skipped",
       {{{0, 5, 3}, {Placed(1), Placed(2), Placed(3)}}},
       LayoutResult::Skipped,
       RunFailure::PartsNotPlaced,
       5},
  };
  for (Case& c : cases) {
    FakeVrex fresh;
    fresh.layouts = c.layouts;
    VrexFactory make = [&fresh](std::string&) {
      fresh.AddRef();
      return VrexRef(&fresh);
    };
    RunValues groupRun = run;
    groupRun.FailedPartCount = 3;  // an earlier group's failures stay counted
    const long before = groupRun.FailedPartCount;
    NestMaterialGroup(groupRun, settings, ui, make, Recorder(c.result));
    EXPECT_EQ(groupRun.FailureKind, c.failureKind) << c.name;
    EXPECT_EQ(groupRun.FailedPartCount - before, c.failed) << c.name;
    EXPECT_EQ(fresh.calls.back(), "ReleaseData") << c.name;
  }
}

TEST_F(MaterialGroup, AnUnwrittenLayoutDropsTheGroupsLaterLayouts) {
  vrex.layouts = {{{0, 1, 1}, {Placed(1)}}, {{0, 1, 1}, {Placed(2)}}};
  Nest(Recorder(LayoutResult::NotWritten));
  EXPECT_EQ(std::count(vrex.calls.begin(), vrex.calls.end(), "GetLayout 1"), 0);
  EXPECT_EQ(vrex.calls.back(), "ReleaseData");
}

TEST_F(MaterialGroup, OptimizerDataIsReleasedWhenTheRunEndsInsideALayout) {
  vrex.layouts = {{{0, 1, 1}, {Placed(1)}}, {{0, 1, 1}, {Placed(2)}}};
  EXPECT_EQ(Nest(Recorder(LayoutResult::AbortRun)), GroupResult::AbortRun);
  EXPECT_EQ(std::count(vrex.calls.begin(), vrex.calls.end(), "GetLayout 1"), 0);
  EXPECT_EQ(vrex.calls.back(), "ReleaseData");
  EXPECT_EQ(run.FailureKind, RunFailure::None);

  FakeVrex throwing;
  throwing.layouts = vrex.layouts;
  VrexFactory make = [&throwing](std::string&) {
    throwing.AddRef();
    return VrexRef(&throwing);
  };
  LayoutBuilder fails = [](const sawplan::tVREXLayoutData&,
                           const std::vector<sawplan::tVREXPlacedPartData>&) -> LayoutResult {
    throw std::runtime_error("drawing could not be written");
  };
  EXPECT_THROW(NestMaterialGroup(run, settings, ui, make, fails), std::runtime_error);
  EXPECT_EQ(throwing.calls.back(), "ReleaseData");
  EXPECT_EQ(throwing.references, 1);
}

}  // namespace
}  // namespace tv::nesting
