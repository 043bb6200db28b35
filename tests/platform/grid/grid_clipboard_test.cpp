// Copy and paste through clipboard text, and the Paste command's fill-down.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "grid/grid.h"
#include "grid/paste_fill.h"

namespace tv::grid {
namespace {

TEST(GridClipboard, CopyOfTheSelectionQuotesWhatWouldBreakTheLayout) {
  Grid g(3, 3);
  g.SetCellText(1, 1, "plain");
  g.SetCellText(1, 2, "tab\there");
  g.SetCellText(2, 1, "say \"hi\"");
  g.SetCellText(2, 2, "two\nlines");
  g.AddSelection({1, 1, 2, 2});
  EXPECT_EQ(g.CopyText(), "plain\t\"tab\there\"\n\"say \"\"hi\"\"\"\t\"two\nlines\"\n");
}

TEST(GridClipboard, CopyWithoutSelectionTakesTheActiveCell) {
  Grid g(3, 3);
  g.SetCellText(2, 3, "MDF-18");
  g.SetActiveCell(2, 3);
  EXPECT_EQ(g.CopyText(), "MDF-18\n");
}

TEST(GridClipboard, CopyThenPasteGivesTheSameCells) {
  Grid from(2, 3);
  const std::vector<std::pair<long, long>> cells = {{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}};
  const std::vector<std::string> texts = {"a", "", "\"quoted\"", "x\ty", "line\r\nbreak", "Ærø 19"};
  for (size_t i = 0; i < cells.size(); ++i) from.SetCellText(cells[i].first, cells[i].second, texts[i]);
  from.AddSelection({1, 1, 2, 3});
  Grid to(4, 4);
  to.SetActiveCell(2, 2);
  to.Paste(from.CopyText());
  for (size_t i = 0; i < cells.size(); ++i) {
    EXPECT_EQ(to.CellText(cells[i].first + 1, cells[i].second + 1), texts[i]);
  }
}

TEST(GridClipboard, PasteIsClippedAtTheEdgesAndReportsEachCell) {
  Grid g(3, 2);
  std::vector<std::pair<long, long>> changed;
  g.Events().CellChange = [&](long col, long row) { changed.push_back({row, col}); };
  g.SetActiveCell(2, 2);
  g.Paste("a\tb\r\nc\td\r\ne\tf\r\n");
  EXPECT_EQ(g.CellText(2, 2), "a");
  EXPECT_EQ(g.CellText(3, 2), "c");
  EXPECT_EQ(g.CellText(1, 2), "");
  EXPECT_EQ(changed, (std::vector<std::pair<long, long>>{{2, 2}, {3, 2}}));
}

TEST(GridClipboard, PasteIntoCheckBoxesRaisesTheirClick) {
  Grid g(2, 1);
  g.SetCellKindAt(1, 1, Kind::CheckBox);
  int clicks = 0;
  g.Events().ButtonClicked = [&](long, long, int state) { clicks += state; };
  g.SetActiveCell(1, 1);
  g.Paste("1");
  EXPECT_EQ(clicks, 1);
}

// The sheet stock writes trimmed texts; the work list writes them as they are.
TEST(PasteFillDown, NoSelectionFillsFromTheActiveRowToTheLastRow) {
  Grid g(40, 8);
  g.SetActiveCell(5, 2);
  PasteFillDown(g, "  MEL-WHITE-19 \n", [&](long row, long col, const std::string& text) {
    std::string trimmed = text;
    trimmed.erase(0, trimmed.find_first_not_of(' '));
    trimmed.erase(trimmed.find_last_not_of(' ') + 1);
    g.SetCellText(row, col, trimmed);
  });
  EXPECT_EQ(g.CellText(4, 2), "");
  for (long r = 5; r <= 40; ++r) ASSERT_EQ(g.CellText(r, 2), "MEL-WHITE-19") << "row " << r;
}

TEST(PasteFillDown, SelectedRowsGetTheTextOfTheFirst) {
  Grid g(10, 26);
  g.SetMultiSelect(true);
  g.AddSelection({3, 2, 6, 2});
  g.SetActiveCell(3, 2);
  g.SetCellText(7, 2, "untouched");
  PasteFillDown(g, " 4", [&](long row, long col, const std::string& text) { g.SetCellText(row, col, text); });
  for (long r = 3; r <= 6; ++r) EXPECT_EQ(g.CellText(r, 2), " 4") << "row " << r;
  EXPECT_EQ(g.CellText(2, 2), "");
  EXPECT_EQ(g.CellText(7, 2), "untouched");
}

}  // namespace
}  // namespace tv::grid
