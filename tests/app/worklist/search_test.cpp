// The work-list search: "Next" goes down a column, then on to the next column, marks the hit
// yellow and reports when the text is nowhere (any more).
#include <gtest/gtest.h>

#include "worklist/search.h"
#include "worklist/work_list.h"
#include "worklist_fixture.h"

namespace tv::worklist::testing {
namespace {

class SearchTest : public WorkListTest {
 protected:
  void SetUp() override {
    program.PList.SetMaxRows(8);
    for (long row = 1; row <= 8; ++row) {
      SetRow(row, {"1", "1", "Part" + std::to_string(row) + ".dxf", "2417", "Kitchen", "B1", "Side", "OAK"});
    }
  }
  bool IsMarked(long row, long col) { return program.PList.BackColorAt(row, col) == kSearchHitColor; }

  WorkListSearch search;
};

TEST_F(SearchTest, NextWalksDownAColumnThenRightAndReportsTheEnd) {
  SetWorkListCell(program, 7, kColRoom, "Pantry");
  SetWorkListCell(program, 2, kColMaterial, "pantry white");
  search.Activate();
  search.SetText(" pantry ");  // trimmed, case ignored, part of the cell

  EXPECT_TRUE(search.Next(program));
  EXPECT_TRUE(IsMarked(7, kColRoom));
  EXPECT_EQ(program.PList.ActiveRow(), 7);
  EXPECT_EQ(program.PList.ActiveCol(), kColRoom);

  EXPECT_TRUE(search.Next(program));
  EXPECT_FALSE(IsMarked(7, kColRoom));  // the previous hit loses its mark
  EXPECT_TRUE(IsMarked(2, kColMaterial));

  EXPECT_FALSE(search.Next(program));
  EXPECT_FALSE(IsMarked(2, kColMaterial));
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().text, "Search Text Not Found  ");
  EXPECT_EQ(ui.LastMessage().title, "Search Status");
  EXPECT_EQ(ui.LastMessage().icon, core::MsgIcon::Information);
  EXPECT_EQ(search.SearchColumn(), 3);

  // After the end the search starts over at the top of "File Name" (never its header).
  EXPECT_TRUE(search.Next(program));
  EXPECT_TRUE(IsMarked(7, kColRoom));
}

TEST_F(SearchTest, FirstAndLastRowsAreFoundButQtyIsNeverSearched) {
  SetWorkListCell(program, 1, kColCabinet, "W9");
  SetWorkListCell(program, 8, kColSubName, "LAST-ONE");
  search.SetText("W9");
  EXPECT_TRUE(search.Next(program));
  EXPECT_TRUE(IsMarked(1, kColCabinet));

  search.SetText("last-one");
  EXPECT_TRUE(search.Next(program));
  EXPECT_TRUE(IsMarked(8, kColSubName));

  // "Qty" is never searched.
  SetWorkListCell(program, 4, kColQty, "77");
  search.SetText("77");
  EXPECT_FALSE(search.Next(program));
  EXPECT_EQ(ui.CountMessages("Search Text Not Found"), 1u);
}

TEST_F(SearchTest, TypingRestartsAtFileNameAndCancelRemovesTheMark) {
  search.SetText("Part");
  EXPECT_TRUE(search.Next(program));
  EXPECT_TRUE(search.Next(program));
  EXPECT_TRUE(IsMarked(2, kColFileName));

  search.SetText("Part");
  EXPECT_TRUE(search.Next(program));
  EXPECT_TRUE(IsMarked(1, kColFileName));

  search.Cancel(program);
  EXPECT_FALSE(IsMarked(1, kColFileName));
  EXPECT_EQ(program.PList.BackColorAt(1, kColOk), kOkColumnColor);
  // The position survives Cancel: the next "Next" goes on below the last hit.
  EXPECT_TRUE(search.Next(program));
  EXPECT_TRUE(IsMarked(2, kColFileName));
  // Showing the dialog again starts a new search.
  search.Activate();
  EXPECT_EQ(search.Text(), "");
  EXPECT_EQ(search.SearchColumn(), 3);
}

}  // namespace
}  // namespace tv::worklist::testing
