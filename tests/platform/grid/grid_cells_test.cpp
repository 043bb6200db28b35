// Cell kinds, addressing with -1, and the events a code change raises.
#include <gtest/gtest.h>

#include <vector>

#include "grid/grid.h"

namespace tv::grid {
namespace {

struct Click {
  long col, row;
  int state;
  bool operator==(const Click&) const = default;
};

TEST(GridCells, WholeColumnFormatReachesRowsAddedLater) {
  Grid g(3, 8);
  g.SetRow(-1);
  g.SetCol(8);
  g.SetCellKind(Kind::Choice);
  g.SetChoiceList("RED OAK\tOAK");
  g.SetCol(1);
  g.SetCellKind(Kind::CheckBox);
  g.SetMaxRows(5);
  EXPECT_EQ(g.CellKindAt(5, 8), Kind::Choice);
  EXPECT_EQ(g.ChoiceListAt(5, 8), "RED OAK\tOAK");
  EXPECT_EQ(g.CellKindAt(5, 1), Kind::CheckBox);
  // The header row is not a data row and keeps plain cells.
  EXPECT_EQ(g.CellKindAt(0, 8), Kind::Edit);
  EXPECT_EQ(g.CellKindAt(5, 2), Kind::Edit);
}

TEST(GridCells, WholeRowAndWholeGridColours) {
  Grid g(4, 3);
  const Rgb red = MakeRgb(255, 0, 0), grey = MakeRgb(192, 192, 192);
  g.SetCol(-1);
  g.SetRow(2);
  g.SetCellBackColor(red);
  g.SetCol(1);
  g.SetCellBackColor(grey);
  EXPECT_EQ(g.BackColorAt(2, 1), grey);
  EXPECT_EQ(g.BackColorAt(2, 3), red);
  EXPECT_EQ(g.BackColorAt(3, 3), kWhite);
  g.SetRow(-1);
  g.SetCol(-1);
  g.SetCellBackColor(kWhite);
  EXPECT_EQ(g.BackColorAt(2, 1), kWhite);
  EXPECT_EQ(g.BackColorAt(2, 3), kWhite);
  EXPECT_EQ(MakeRgb(192, 192, 192), 0xC0C0C0u);
  EXPECT_EQ(RedOf(MakeRgb(250, 10, 0)), 250);
  EXPECT_EQ(GreenOf(MakeRgb(250, 10, 0)), 10);
}

TEST(GridCells, OutOfRangeAccessIsHarmless) {
  Grid g(2, 2);
  g.SetCellText(3, 1, "x");
  g.SetCellText(1, 0, "x");
  g.SetCellText(-5, 1, "x");
  EXPECT_EQ(g.CellText(3, 1), "");
  EXPECT_EQ(g.CellText(1, 3), "");
  g.SetRow(9);
  g.SetCol(9);
  g.SetText("x");
  EXPECT_EQ(g.Text(), "");
}

TEST(GridCells, SizeChangesDropAndAddRows) {
  Grid g(3, 2);
  g.SetCellText(3, 2, "gone");
  g.SetCellText(1, 1, "kept");
  g.SetMaxRows(2);
  g.SetMaxRows(4);
  EXPECT_EQ(g.CellText(3, 2), "");
  EXPECT_EQ(g.CellText(1, 1), "kept");
  g.SetMaxCols(1);
  g.SetMaxCols(2);
  EXPECT_EQ(g.CellText(1, 1), "kept");
  EXPECT_EQ(g.MaxRows(), 4);
  g.SetMaxRows(Grid::kRowLimit + 5);
  EXPECT_EQ(g.MaxRows(), Grid::kRowLimit);
  Grid wide(1, Grid::kColLimit);
  wide.SetMaxRows(Grid::kRowLimit);
  EXPECT_EQ(wide.MaxRows() * wide.MaxCols(), Grid::kCellLimit);
}

TEST(GridCells, CheckBoxValueIsItsText) {
  Grid g(2, 1);
  g.SetRow(1);
  g.SetCol(1);
  g.SetCellKind(Kind::CheckBox);
  struct Case {
    const char* text;
    int value;
  };
  for (const Case& c :
       {Case{"1", 1}, Case{"0", 0}, Case{"", 0}, Case{" 2", 1}, Case{"x", 0}, Case{"-1", 1}}) {
    g.SetText(c.text);
    EXPECT_EQ(g.CheckValue(), c.value) << "text '" << c.text << "'";
  }
  g.SetCheckValue(1);
  EXPECT_EQ(g.Text(), "1");
  g.SetCheckValue(0);
  EXPECT_EQ(g.Text(), "0");
}

TEST(GridCells, CheckBoxWritesRaiseButtonClickedLikeAClick) {
  Grid g(3, 2);
  g.SetRow(-1);
  g.SetCol(1);
  g.SetCellKind(Kind::CheckBox);
  std::vector<Click> clicks;
  g.Events().ButtonClicked = [&](long col, long row, int state) { clicks.push_back({col, row, state}); };

  g.SetCheckValueAt(1, 1, 1);  // code
  g.SetCellText(2, 1, "0");    // code, through the text
  g.UserClickButton(2, 1);     // operator: 0 -> 1
  g.UserClickButton(1, 1);     // operator: 1 -> 0
  g.SetCellText(1, 2, "1");    // an edit cell raises nothing
  g.UserClickButton(1, 2);     // nor does a click on it
  EXPECT_EQ(clicks, (std::vector<Click>{{1, 1, 1}, {1, 2, 0}, {1, 2, 1}, {1, 1, 0}}));
  EXPECT_EQ(g.CellText(1, 2), "1");
}

TEST(GridCells, CaptionHandlerCanFollowValuesSetByCode) {
  // The settings grid keeps a check box's caption in step from the click event.
  Grid g(2, 2);
  g.Events().ButtonClicked = [&](long col, long row, int) {
    if (col == 2) g.SetCheckCaptionAt(row, 2, g.CheckValueAt(row, 2) == 1 ? " Yes" : " No");
  };
  g.SetCellKindAt(1, 2, Kind::CheckBox);
  g.SetCheckValueAt(1, 2, 1);
  EXPECT_EQ(g.CheckCaptionAt(1, 2), " Yes");
  g.SetCheckValueAt(1, 2, 0);
  EXPECT_EQ(g.CheckCaptionAt(1, 2), " No");
}

TEST(GridCells, ChoiceCellIndexFollowsTextAndTextFollowsIndex) {
  Grid g(1, 1);
  g.SetCellKindAt(1, 1, Kind::Choice);
  g.SetChoiceListAt(1, 1, "Lower Left\tUpper Left\tUpper Right\tLower Right");
  EXPECT_EQ(g.ChoiceIndexAt(1, 1), -1);
  g.SetChoiceIndexAt(1, 1, 2);
  EXPECT_EQ(g.CellText(1, 1), "Upper Right");
  g.SetCellText(1, 1, "Lower Right");
  EXPECT_EQ(g.ChoiceIndexAt(1, 1), 3);
  // Any text is accepted; it simply selects no item.
  g.SetCellText(1, 1, "MDF 3/4");
  EXPECT_EQ(g.CellText(1, 1), "MDF 3/4");
  EXPECT_EQ(g.ChoiceIndexAt(1, 1), -1);
  g.SetChoiceIndexAt(1, 1, 1);
  g.SetChoiceIndexAt(1, 1, 4);
  EXPECT_EQ(g.ChoiceIndexAt(1, 1), -1);
  EXPECT_EQ(g.CellText(1, 1), "");
  // A new list keeps the text and finds it again.
  g.SetCellText(1, 1, "OAK");
  g.SetChoiceListAt(1, 1, "RED OAK\tOAK");
  EXPECT_EQ(g.ChoiceIndexAt(1, 1), 1);
}

TEST(GridCells, DuplicateChoiceItemsKeepTheChosenIndex) {
  Grid g(1, 1);
  g.SetCellKindAt(1, 1, Kind::Choice);
  g.SetChoiceListAt(1, 1, "DXF Font\tArial\tArial");
  g.SetChoiceIndexAt(1, 1, 2);
  EXPECT_EQ(g.ChoiceIndexAt(1, 1), 2);
  g.SetCellText(1, 1, "Arial");  // the same text again keeps the choice
  EXPECT_EQ(g.ChoiceIndexAt(1, 1), 2);
}

class Recorder : public GridObserver {
 public:
  void GridChanged(const Grid&, const Change& change) override { changes.push_back(change); }
  std::vector<Change> changes;
};

TEST(GridCells, ObserversSeeCellsAndLayout) {
  Grid g(3, 3);
  Recorder view;
  g.AddObserver(&view);
  g.SetCellText(2, 3, "x");
  g.SetMaxRows(5);
  g.RemoveObserver(&view);
  g.SetCellText(1, 1, "unseen");
  ASSERT_EQ(view.changes.size(), 2u);
  EXPECT_EQ(view.changes[0].what, Change::What::Cells);
  EXPECT_EQ(view.changes[0].row, 2);
  EXPECT_EQ(view.changes[0].col, 3);
  EXPECT_EQ(view.changes[1].what, Change::What::Layout);
}

TEST(GridCells, UserEventsReachTheHandlers) {
  Grid g(3, 3);
  std::vector<std::string> seen;
  auto& e = g.Events();
  e.CellChange = [&](long col, long row) {
    seen.push_back("change " + std::to_string(col) + "," + std::to_string(row));
  };
  e.DblClick = [&](long col, long row) {
    seen.push_back("dbl " + std::to_string(col) + "," + std::to_string(row));
  };
  e.TextTipFetch = [&](long, long, std::string& tip, bool& show) {
    tip = "tip";
    show = true;
  };
  g.UserEditText(2, 3, "typed");
  g.RaiseDblClick(4, 0);
  std::string tip;
  EXPECT_TRUE(g.FetchTextTip(1, 1, tip));
  EXPECT_EQ(tip, "tip");
  EXPECT_EQ(seen, (std::vector<std::string>{"change 3,2", "dbl 4,0"}));
  EXPECT_EQ(g.CellText(2, 3), "typed");
}

TEST(GridCells, LockedGridRefusesTheOperatorButNotTheCode) {
  Grid g(3, 3);
  g.SetCellKindAt(1, 1, Kind::CheckBox);
  g.SetChoiceListAt(2, 2, "A\tB");
  g.SetCellKindAt(2, 2, Kind::Choice);
  int events = 0;
  g.Events().CellChange = [&](long, long) { ++events; };
  g.Events().DblClick = [&](long, long) { ++events; };
  g.Events().ButtonClicked = [&](long, long, int) { ++events; };
  const std::string before = g.SaveGridText(false);

  g.SetUserLocked(true);
  g.UserEditText(3, 3, "typed");
  g.UserChooseItem(2, 2, 1);
  g.UserClickButton(1, 1);
  g.RaiseDblClick(3, 3);
  g.SetActiveCell(3, 1);
  g.Paste("a\tb");
  EXPECT_EQ(g.SaveGridText(false), before);
  EXPECT_EQ(events, 0);

  g.SetCellText(3, 3, "by code");
  EXPECT_EQ(g.CellText(3, 3), "by code");

  g.SetUserLocked(false);
  g.UserEditText(3, 2, "typed");
  g.UserClickButton(1, 1);
  EXPECT_EQ(g.CellText(3, 2), "typed");
  EXPECT_EQ(g.CheckValueAt(1, 1), 1);
  EXPECT_EQ(events, 2);
}

}  // namespace
}  // namespace tv::grid
