// Block actions, the row sort and the column search.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/grid.h"

namespace tv::grid {
namespace {

// A grid whose rows hold the given texts in column 1 and "r<n>" (the original row) in column 2.
void Fill(Grid& g, const std::vector<std::string>& col1) {
  g.SetMaxRows(static_cast<long>(col1.size()));
  for (size_t i = 0; i < col1.size(); ++i) {
    const long r = static_cast<long>(i) + 1;
    g.SetCellText(r, 1, col1[i]);
    g.SetCellText(r, 2, std::string("r").append(std::to_string(r)));
  }
}

std::vector<std::string> Column(const Grid& g, long col) {
  std::vector<std::string> out;
  for (long r = 1; r <= g.MaxRows(); ++r) out.push_back(g.CellText(r, col));
  return out;
}

void SortRows(Grid& g, long first, long last, long keyCol, int order) {
  g.SetRow(first);
  g.SetRow2(last);
  g.SetCol(1);
  g.SetCol2(g.MaxCols());
  g.SetSortBy(0);
  g.SetSortKey(1, keyCol);
  g.SetSortKeyOrder(1, order);
  g.DoAction(ActionCode::Sort);
}

TEST(GridSort, StableInBothDirections) {
  Grid g(0, 2);
  Fill(g, {"MDF", "OAK", "MDF", "BIRCH", "OAK"});
  SortRows(g, 1, 5, 1, 1);
  EXPECT_EQ(Column(g, 1), (std::vector<std::string>{"BIRCH", "MDF", "MDF", "OAK", "OAK"}));
  EXPECT_EQ(Column(g, 2), (std::vector<std::string>{"r4", "r1", "r3", "r2", "r5"}));
  SortRows(g, 1, 5, 1, 2);
  EXPECT_EQ(Column(g, 1), (std::vector<std::string>{"OAK", "OAK", "MDF", "MDF", "BIRCH"}));
  // Equal keys keep their order from before the sort, descending too.
  EXPECT_EQ(Column(g, 2), (std::vector<std::string>{"r2", "r5", "r1", "r3", "r4"}));
}

TEST(GridSort, NumbersByValueAndEqualTextsTogether) {
  Grid g(0, 2);
  Fill(g, {" 1220", "oak", " 600", "OAK", "2440", "Oak", "OAK", "-5"});
  SortRows(g, 1, 8, 1, 1);
  // Numbers first, by value; texts ignoring case, with identical texts next to each other
  // (the run groups consecutive rows of one material).
  EXPECT_EQ(Column(g, 1),
            (std::vector<std::string>{"-5", " 600", " 1220", "2440", "OAK", "OAK", "Oak", "oak"}));
}

TEST(GridSort, OnlyTheBlockMoves) {
  Grid g(0, 3);
  Fill(g, {"C", "B", "A", "0"});
  for (long r = 1; r <= 4; ++r) g.SetCellText(r, 3, std::string("x").append(std::to_string(r)));
  g.SetCellText(0, 1, "Header");
  g.SetBackColorAt(1, 1, MakeRgb(255, 0, 0));
  // Rows 1-3, columns 1-2: row 4 and column 3 stay, the header too.
  g.SetRow(1);
  g.SetRow2(3);
  g.SetCol(1);
  g.SetCol2(2);
  g.SetSortKey(1, 1);
  g.SetSortKeyOrder(1, 1);
  g.DoAction(ActionCode::Sort);
  EXPECT_EQ(Column(g, 1), (std::vector<std::string>{"A", "B", "C", "0"}));
  EXPECT_EQ(Column(g, 2), (std::vector<std::string>{"r3", "r2", "r1", "r4"}));
  EXPECT_EQ(Column(g, 3), (std::vector<std::string>{"x1", "x2", "x3", "x4"}));
  EXPECT_EQ(g.CellText(0, 1), "Header");
  EXPECT_EQ(g.BackColorAt(3, 1), MakeRgb(255, 0, 0));  // a cell's colour moves with it
}

TEST(GridSort, SecondKeyBreaksTies) {
  Grid g(0, 2);
  Fill(g, {"B", "A", "B", "A"});
  g.SetCellText(1, 2, "2");
  g.SetCellText(2, 2, "9");
  g.SetCellText(3, 2, "1");
  g.SetCellText(4, 2, "3");
  g.SetSortKey(2, 2);
  g.SetSortKeyOrder(2, 2);
  SortRows(g, 1, 4, 1, 1);
  EXPECT_EQ(Column(g, 2), (std::vector<std::string>{"9", "3", "2", "1"}));
}

TEST(GridSort, EmptyOrReversedBlockChangesNothing) {
  Grid g(0, 2);
  Fill(g, {"B", "A"});
  SortRows(g, 1, 0, 1, 1);
  SortRows(g, 2, 1, 1, 1);
  EXPECT_EQ(Column(g, 1), (std::vector<std::string>{"B", "A"}));
}

TEST(GridActions, DeleteRowsMovesRowsUpAndKeepsTheCount) {
  Grid g(0, 2);
  Fill(g, {"a", "b", "c", "d", "e"});
  g.SetRow(-1);
  g.SetCol(1);
  g.SetCellKind(Kind::CheckBox);
  g.SetBlockSelect(true);
  g.SetRow(2);
  g.SetRow2(3);
  g.SetCol(1);
  g.SetCol2(2);
  g.DoAction(ActionCode::DeleteRows);
  EXPECT_EQ(g.MaxRows(), 5);
  EXPECT_EQ(Column(g, 1), (std::vector<std::string>{"a", "d", "e", "", ""}));
  EXPECT_EQ(g.CellKindAt(5, 1), Kind::CheckBox);  // new bottom rows take the column's format
}

TEST(GridActions, DeletingEverySelectedBlockRemovesTheChosenRows) {
  // The work list deletes the operator's blocks one after another by selection index: each
  // deletion must not shift the rows that the later blocks name.
  Grid g(0, 2);
  Fill(g, {"a", "b", "c", "d", "e", "f", "g", "h"});
  g.SetMultiSelect(true);
  g.AddSelection({2, 1, 3, 2});    // b c
  g.AddSelection({6, -1, 6, -1});  // f
  g.AddSelection({3, 1, 4, 1});    // c d (overlaps the first)
  g.AddSelection({8, 1, 8, 2});    // h
  ASSERT_EQ(g.SelectionCount(), 4);
  g.SetBlockSelect(true);
  const long count = g.SelectionCount();
  for (long i = 0; i < count; ++i) {
    g.SetSelectionIndex(i);
    g.DoAction(ActionCode::DeleteRows);
  }
  g.SetBlockSelect(false);
  EXPECT_EQ(Column(g, 1), (std::vector<std::string>{"a", "e", "g", "", "", "", "", ""}));
}

TEST(GridActions, SingleSelectionReplacesTheLastOne) {
  Grid g(5, 2);
  g.AddSelection({1, 1, 1, 1});
  g.AddSelection({2, 1, 3, 1});
  EXPECT_EQ(g.SelectionCount(), 1);
  EXPECT_EQ(g.Selection(0), (Block{2, 1, 3, 1}));
  EXPECT_EQ(g.Selection(1), Block{});
  g.SetRow(-1);
  g.SetRow2(-1);
  g.SetCol(-1);
  g.SetCol2(-1);
  g.SetBlockSelect(true);
  g.DoAction(ActionCode::ClearSelection);
  EXPECT_FALSE(g.IsBlockSelected());
}

TEST(GridActions, ClearTextEmptiesTheBlockOnly) {
  Grid g(0, 3);
  Fill(g, {"a", "b", "c"});
  for (long r = 1; r <= 3; ++r) g.SetCellText(r, 3, "keep");
  g.SetCellKindAt(2, 1, Kind::Choice);
  g.SetChoiceListAt(2, 1, "b\tz");
  g.SetBackColorAt(2, 2, MakeRgb(1, 2, 3));
  g.SetCellText(0, 1, "Header");
  // Row 1 to the last, columns 1-2, as the pull list is cleared.
  g.SetRow(1);
  g.SetRow2(-1);
  g.SetCol(1);
  g.SetCol2(2);
  g.SetBlockSelect(true);
  g.DoAction(ActionCode::ClearText);
  EXPECT_EQ(Column(g, 1), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(Column(g, 2), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(Column(g, 3), (std::vector<std::string>{"keep", "keep", "keep"}));
  EXPECT_EQ(g.CellText(0, 1), "Header");
  EXPECT_EQ(g.ChoiceIndexAt(2, 1), -1);
  EXPECT_EQ(g.ChoiceListAt(2, 1), "b\tz");
  EXPECT_EQ(g.BackColorAt(2, 2), MakeRgb(1, 2, 3));
}

TEST(GridActions, WithoutBlockSelectActionsTakeTheAddressedCell) {
  Grid g(0, 2);
  Fill(g, {"a", "b", "c"});
  g.SetRow(2);
  g.SetCol(2);
  g.SetRow2(3);
  g.SetCol2(2);
  g.DoAction(ActionCode::ClearText);
  EXPECT_EQ(Column(g, 2), (std::vector<std::string>{"r1", "", "r3"}));
  g.DoAction(ActionCode::DeleteRows);
  EXPECT_EQ(Column(g, 1), (std::vector<std::string>{"a", "c", ""}));
}

TEST(GridSearch, FirstMatchAfterTheStartRow) {
  Grid g(0, 2);
  Fill(g, {"Side Panel", "SHELF", "side", "Back", "Shelf Front"});
  struct Case {
    long start, end;
    const char* text;
    SearchMatch match;
    long expected;
  };
  const Case cases[] = {
      {0, 5, "shelf", SearchMatch::Part, 2},  // case ignored
      {2, 5, "shelf", SearchMatch::Part, 5},  // the start row itself is skipped
      {0, 5, "side", SearchMatch::Whole, 3},  // whole-text match ignores "Side Panel"
      {0, 5, "side", SearchMatch::Part, 1},
      {4, 5, "Front", SearchMatch::Part, 5},   // the last row is searched
      {0, 4, "Front", SearchMatch::Part, -1},  // the end row bounds the search
      {0, 5, "drawer", SearchMatch::Part, -1},
      {0, 5, "", SearchMatch::Part, -1},  // an empty text finds nothing
  };
  for (const Case& c : cases) {
    EXPECT_EQ(g.SearchCol(1, c.start, c.end, c.text, c.match), c.expected) << c.text << " from " << c.start;
  }
  EXPECT_EQ(g.SearchCol(9, 0, 5, "a", SearchMatch::Part), -1);
}

}  // namespace
}  // namespace tv::grid
