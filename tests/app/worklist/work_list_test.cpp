// The work-list store: clearing, marks, the "Process" rule, verification of the drawings and
// the header sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "worklist/input_window.h"
#include "worklist/work_list.h"
#include "worklist_fixture.h"

namespace tv::worklist::testing {
namespace {

using core::MsgIcon;

TEST_F(WorkListTest, ClearingEmptiesEveryCellButKeepsTheRowsAndForgetsTheUnitKind) {
  program.PList.SetMaxRows(12);
  SetRow(1, {"1", "2", "Side.dxf", "J", "R", "C", "D", "OAK"});
  SetRow(12, {"0", "1", "Back.dxf"});
  MarkWorkListRow(program, 12);
  program.BatchUnitState = 1;
  program.Input.ProcEnabled = true;

  ClearWorkList(program);

  EXPECT_EQ(program.PList.MaxRows(), 12);
  for (long row = 1; row <= 12; ++row) {
    for (long col = 1; col <= kWorkListCols; ++col) ASSERT_EQ(Cell(row, col), "") << row << "," << col;
  }
  EXPECT_EQ(Cell(0, kColFileName), "File Name");
  EXPECT_EQ(program.BatchUnitState, 0);
  EXPECT_FALSE(program.Input.ProcEnabled);
  EXPECT_EQ(program.PList.BackColorAt(12, kColFileName), grid::kWhite);
  EXPECT_EQ(program.PList.BackColorAt(12, kColOk), kOkColumnColor);
}

TEST_F(WorkListTest, MarkingColoursTheRowRedAndKeepsOkGrey) {
  MarkWorkListRow(program, 4);
  EXPECT_EQ(program.PList.BackColorAt(4, kColQty), kMarkedRowColor);
  EXPECT_EQ(program.PList.BackColorAt(4, kColSubName), kMarkedRowColor);
  EXPECT_EQ(program.PList.BackColorAt(4, kColOk), kOkColumnColor);
  EXPECT_EQ(program.PList.BackColorAt(5, kColQty), grid::kWhite);

  ClearWorkListMarks(program);
  EXPECT_EQ(program.PList.BackColorAt(4, kColQty), grid::kWhite);
  EXPECT_EQ(program.PList.BackColorAt(4, kColOk), kOkColumnColor);
}

TEST_F(WorkListTest, ProcessFollowsATickWrittenInCodeExceptDuringAnImport) {
  InstallWorkListEvents(program);
  SetWorkListCell(program, 7, kColOk, "1");
  EXPECT_TRUE(program.Input.ProcEnabled);
  SetWorkListCell(program, 7, kColOk, "0");
  EXPECT_FALSE(program.Input.ProcEnabled);

  program.ImportingWorkList = true;
  SetWorkListCell(program, 3, kColOk, "1");
  EXPECT_FALSE(program.Input.ProcEnabled);
  program.ImportingWorkList = false;
  UpdateProcButton(program);
  EXPECT_TRUE(program.Input.ProcEnabled);
}

TEST_F(WorkListTest, VerificationReportsMissingDrawingsAndColoursTheirNames) {
  const std::string parts = SampleFolder("Parts");
  struct Case {
    const char* name;
    std::vector<std::vector<std::string>> rows;  // OK, Path, File Name
    bool quiet;
    bool result;
    std::string message;  // "" = none
    MsgIcon icon;
    std::vector<long> colouredRows;  // rows whose file name is marked missing
  };
  const std::vector<Case> cases = {
      {"all found, loud",
       {{"1", parts, "B1_Back.dxf"}, {"1", parts, "B1_Door.dxf"}},
       false,
       true,
       "All DXF Files Found  ",
       MsgIcon::Information,
       {}},
      {"all found, quiet", {{"1", parts, "B1_Back.dxf"}}, true, true, "", MsgIcon::None, {}},
      // Unticked rows are not checked, even when their drawing is missing.
      {"only unticked rows",
       {{"0", parts, "Gone.dxf"}, {"", parts, "B1_Back.dxf"}},
       true,
       false,
       "No Entries Found in Worklist  ",
       MsgIcon::Information,
       {}},
      {"two missing",
       {{"1", parts, "Gone.dxf"}, {"1", parts, "B1_Back.dxf"}, {"1", "/no/such/", "X.dxf"}},
       true,
       false,
       " 2 DXF Files Not Found  ",
       MsgIcon::Critical,
       {1, 3}},
      // Names are found without regard to case, as on the shop's old file system.
      {"other case",
       {{"1", parts, "b1_back.DXF"}},
       false,
       true,
       "All DXF Files Found  ",
       MsgIcon::Information,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearWorkList(program);
    ui.ClearMessages();
    long row = 1;
    for (const auto& r : c.rows) {
      SetWorkListCell(program, row, kColOk, r[0]);
      SetWorkListCell(program, row, kColPath, r[1]);
      SetWorkListCell(program, row, kColFileName, r[2]);
      ++row;
    }
    EXPECT_EQ(VerifyWorkListFiles(program, c.quiet), c.result);
    if (c.message.empty()) {
      EXPECT_TRUE(ui.Messages().empty());
    } else {
      ASSERT_EQ(ui.Messages().size(), 1u);
      EXPECT_EQ(ui.LastMessage().text, c.message);
      EXPECT_EQ(ui.LastMessage().title, "DXF Verification");
      EXPECT_EQ(ui.LastMessage().icon, c.icon);
    }
    EXPECT_EQ(ui.CurrentPointer(), core::Pointer::Normal);
    for (long r = 1; r <= 3; ++r) {
      const bool coloured =
          std::find(c.colouredRows.begin(), c.colouredRows.end(), r) != c.colouredRows.end();
      EXPECT_EQ(program.PList.BackColorAt(r, kColFileName), coloured ? kMissingFileColor : grid::kWhite) << r;
      EXPECT_EQ(program.PList.BackColorAt(r, kColQty), grid::kWhite) << r;
    }
  }
}

TEST_F(WorkListTest, HeaderDoubleClickSortsFilledRowsAndTogglesOnTheSameColumn) {
  InstallWorkListEvents(program);
  SetRow(1, {"1", "1", "b.dxf", "x", "2"});
  SetRow(2, {"1", "1", "c.dxf", "x", "3"});
  SetRow(3, {"1", "1", "a.dxf", "x", "1"});
  auto names = [&] { return Cell(1, kColFileName) + Cell(2, kColFileName) + Cell(3, kColFileName); };

  program.PList.RaiseDblClick(kColFileName, 0);
  EXPECT_EQ(names(), "a.dxfb.dxfc.dxf");
  program.PList.RaiseDblClick(kColFileName, 0);
  EXPECT_EQ(names(), "c.dxfb.dxfa.dxf");
  // Another column starts ascending again.
  program.PList.RaiseDblClick(kColRoom, 0);
  EXPECT_EQ(names(), "a.dxfb.dxfc.dxf");
  // Rows below the first empty "Qty" stay where they are.
  EXPECT_EQ(Cell(4, kColFileName), "");
  EXPECT_FALSE(program.SourceListClicked);
}

}  // namespace
}  // namespace tv::worklist::testing
