// The material key, the stock test, adding missing materials and the work list's choices.
#include <gtest/gtest.h>

#include "stock_fixture.h"

namespace tv::stock {
namespace {

TEST(MaterialKey, KeepsOnlyTheMatchingCharacters) {
  const struct {
    const char* text;
    const char* clean;
    const char* key;
  } cases[] = {
      {"MDF 3/4", "MDF 3/4", "MDF3/4"},
      {"  Red Oak #1  ", "Red Oak 1", "RedOak1"},
      {"Chêne 19", "Chne 19", "Chne19"},  // both bytes of the accented letter go
      {"A-B.C/D:0@[x]\\^_`", "A-B.C/D:0@[x]\\^_`", "A-B.C/D:0@[x]\\^_`"},
      {"!\"#$%&'()*+,;<=>?{|}~", "", ""},
      {"WHITE MELAMINE 19", "WHITE MELAMINE 19", "WHITEMELAMINE19"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CleanName(c.text), c.clean) << c.text;
    EXPECT_EQ(MaterialKey(c.text), c.key) << c.text;
  }
}

TEST_F(StockFixture, StockTestIsCaseSensitiveAndIgnoresBlanks) {
  StockRow(1, {"", "MDF 3/4"});
  StockRow(2, {"", "OAK"});
  EXPECT_TRUE(IsStockMaterial(program_, "MDF3/4"));
  EXPECT_TRUE(IsStockMaterial(program_, " O A K "));
  EXPECT_FALSE(IsStockMaterial(program_, "oak"));
  EXPECT_FALSE(IsStockMaterial(program_, "MAPLE"));
  // The scan ran to the last row, which is empty: an empty material now matches at once.
  EXPECT_EQ(program_.LastStockMaterial, "");
  EXPECT_TRUE(IsStockMaterial(program_, ""));
}

TEST_F(StockFixture, StockTestRemembersTheLastMatch) {
  StockRow(1, {"", "MAPLE"});
  StockRow(2, {"", "WHITE MELAMINE 19"});
  EXPECT_TRUE(IsStockMaterial(program_, "WHITEMELAMINE19"));
  EXPECT_EQ(program_.LastStockMaterial, "WHITE MELAMINE 19");
  program_.SSList.SetMaxRows(0);  // the remembered text answers without a scan
  EXPECT_TRUE(IsStockMaterial(program_, "WHITE MELAMINE 19"));
}

TEST_F(StockFixture, MissingMaterialsGoIntoTheFirstEmptyRowOnce) {
  StockRow(1, {"1", "OAK"});
  StockRow(2, {"1", "MDF"});
  StockRow(3, {"", "###"});  // a name without a key character is still a stock row
  WorkListMaterial(1, "Birch Ply 12");
  WorkListMaterial(2, "oak");  // present, case ignored here
  WorkListMaterial(3, "Birch Ply 12");
  WorkListMaterial(4, "BIRCH PLY 12");
  WorkListMaterial(5, "   ");
  WorkListMaterial(6, "###");
  AddWorkListMaterialsToStock(program_);
  EXPECT_EQ(Material(1), "OAK");
  EXPECT_EQ(Material(3), "###");
  EXPECT_EQ(Material(4), "BirchPly12");  // the key, not the typed text
  EXPECT_EQ(Material(5), "");
  EXPECT_GT(ui_.ProcessEventsCalls(), 0);
}

TEST_F(StockFixture, RowsBelowTheFirstEmptyRowAreNotSeen) {
  StockRow(1, {"1", "OAK"});
  StockRow(6, {"1", "MAPLE"});
  WorkListMaterial(1, "MAPLE");
  AddWorkListMaterialsToStock(program_);
  EXPECT_EQ(Material(2), "MAPLE");
  EXPECT_EQ(Material(6), "MAPLE");
}

TEST_F(StockFixture, NothingIsAddedWithoutAnEmptyRow) {
  program_.SSList.SetMaxRows(2);
  StockRow(1, {"1", "OAK"});
  StockRow(2, {"1", "MDF"});
  WorkListMaterial(1, "PINE");
  AddWorkListMaterialsToStock(program_);
  EXPECT_EQ(Material(1), "OAK");
  EXPECT_EQ(Material(2), "MDF");
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(StockFixture, WorkListChoicesListEachStockTextOnce) {
  program_.PList.SetMaxRows(3);
  StockRow(1, {"", "RED OAK"});
  StockRow(2, {"", "OAK"});
  StockRow(4, {"", "RED OAK"});
  StockRow(5, {"", "mdf #3/4"});  // offered as typed, not as its key
  RefreshMaterialChoices(program_);
  EXPECT_EQ(program_.PList.ChoiceListAt(1, 8), "RED OAK\tOAK\tmdf #3/4");
  EXPECT_EQ(program_.PList.ChoiceListAt(3, 8), "RED OAK\tOAK\tmdf #3/4");
  program_.PList.SetMaxRows(4);  // rows added later offer the same list
  EXPECT_EQ(program_.PList.ChoiceListAt(4, 8), "RED OAK\tOAK\tmdf #3/4");
}

}  // namespace
}  // namespace tv::stock
