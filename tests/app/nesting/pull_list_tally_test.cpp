// The pull list tallies the sheets of a run per stock material and drop.
#include "nesting/pull_list_tally.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tv::nesting {
namespace {

void SetRow(grid::Grid& g, long row, const std::vector<std::string>& cells) {
  for (std::size_t c = 0; c < cells.size(); ++c) g.SetCellText(row, static_cast<long>(c) + 1, cells[c]);
}

std::vector<std::string> RowOf(const grid::Grid& g, long row) {
  std::vector<std::string> cells;
  for (long c = 1; c <= g.MaxCols(); ++c) cells.push_back(g.CellText(row, c));
  return cells;
}

class PullListTally : public ::testing::Test {
 protected:
  PullListTally() {
    SetRow(stock, 4, {"1", "MEL WHITE 19", "0", "0", "10", "2440", "1220", "19"});
    SetRow(stock, 5, {"1", "MEL WHITE 19", "0", "1", "5", "2800", "2070", "19"});  // same material and drop
    SetRow(stock, 6, {"1", "MEL WHITE 19", "1", "0", "1", "900", "600", "19"});    // an offcut
    SetRow(stock, 7, {"1", "MDF 3/4", "0", "0", "8", "96", "48", "0.75"});
    SetRow(pullList, 1, {"x", "old", "old", "old", "9", "old", "old", "old"});
    SetRow(pullList, 3, {"", "", "", "", "2"});
  }
  grid::Grid stock{10, 8};
  grid::Grid pullList{4, 8};
  int rowCount = 5;
};

TEST_F(PullListTally, ClearEmptiesEveryCellAndRestartsTheRows) {
  ClearPullList(pullList, rowCount);
  EXPECT_EQ(rowCount, 0);
  EXPECT_EQ(pullList.MaxRows(), 4);
  for (long r = 1; r <= 4; ++r) EXPECT_EQ(RowOf(pullList, r), std::vector<std::string>(8)) << r;
}

TEST_F(PullListTally, CountsSheetsPerMaterialAndDrop) {
  ClearPullList(pullList, rowCount);
  for (long stockRow : {4, 7, 4, 5, 6, 4}) TallyPullList(pullList, stock, rowCount, stockRow);
  EXPECT_EQ(rowCount, 3);
  // Rows 4 and 5 differ only in size: one pull-list row, shown with the first row's texts.
  EXPECT_EQ(RowOf(pullList, 1),
            (std::vector<std::string>{"1", "MEL WHITE 19", "0", "0", "4", "2440", "1220", "19"}));
  EXPECT_EQ(RowOf(pullList, 2),
            (std::vector<std::string>{"1", "MDF 3/4", "0", "0", "1", "96", "48", "0.75"}));
  EXPECT_EQ(RowOf(pullList, 3),
            (std::vector<std::string>{"1", "MEL WHITE 19", "1", "0", "1", "900", "600", "19"}));
}

TEST_F(PullListTally, AnEditedPullListRowIsNotFoundAgain) {
  ClearPullList(pullList, rowCount);
  TallyPullList(pullList, stock, rowCount, 4);
  pullList.SetCellText(1, 2, "mel white 19");
  TallyPullList(pullList, stock, rowCount, 4);
  EXPECT_EQ(pullList.CellText(1, 5), "1");
  EXPECT_EQ(pullList.CellText(2, 2), "MEL WHITE 19");
  EXPECT_EQ(pullList.CellText(2, 5), "1");
}

TEST_F(PullListTally, GrowsInsteadOfLosingATally) {
  grid::Grid small(1, 8);
  int count = 0;
  ClearPullList(small, count);
  for (long stockRow : {4, 6, 7, 7}) TallyPullList(small, stock, count, stockRow);
  ASSERT_EQ(small.MaxRows(), 3);
  EXPECT_EQ(small.CellText(3, 2), "MDF 3/4");
  EXPECT_EQ(small.CellText(3, 5), "2");
}

}  // namespace
}  // namespace tv::nesting
