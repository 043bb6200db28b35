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

TEST(MaterialKey, KeepsTheLettersAndDigitsOfEveryScript) {
  const struct {
    const char* text;
    const char* key;
  } cases[] = {
      {"МДФ 19", "МДФ19"},
      {"ЛДСП 19", "ЛДСП19"},
      {"Δρυς 18", "Δρυς18"},
      {"橡木 18", "橡木18"},
      {"Dąb 18", "Dąb18"},
      {"Db 18", "Db18"},
      {"Chêne 19", "Chêne19"},
      {"Dub ٢٠", "Dub٢٠"},                      // Arabic-Indic digits are digits
      {"Da\u0328b 18", "Dąb18"},                // letter and accent typed apart: composed
      {"MDF \u2013 19 \u00AE\u00BD", "MDF19"},  // dash, sign and fraction go, as in ASCII
      {"Oak\xFF 19", "Oak19"},                  // a byte that is no UTF-8
  };
  std::vector<std::string> keys;
  for (const auto& c : cases) {
    EXPECT_EQ(MaterialKey(c.text), c.key) << c.text;
    keys.push_back(MaterialKey(c.text));
  }
  // The first seven names are seven materials: none shares a key with another or with its digits.
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_NE(keys[i], "19");
    EXPECT_NE(keys[i], "18");
    for (std::size_t j = i + 1; j < 7; ++j)
      EXPECT_NE(keys[i], keys[j]) << cases[i].text << " / " << cases[j].text;
  }
  EXPECT_EQ(CleanName("  МДФ  19  "), "МДФ  19");
}

TEST_F(StockFixture, MaterialsInOtherScriptsMatchTheStockByTheirLetters) {
  StockRow(1, {"1", "МДФ 19"});
  StockRow(2, {"1", "ЛДСП 19"});
  EXPECT_TRUE(IsStockMaterial(program_, "ЛДСП19"));
  EXPECT_TRUE(IsStockMaterial(program_, "МДФ 19"));
  EXPECT_FALSE(IsStockMaterial(program_, "мдф 19"));  // case counts here
  EXPECT_FALSE(IsStockMaterial(program_, "ДСП 19"));
  WorkListMaterial(1, "мдф 19");  // present, case ignored here in every script
  WorkListMaterial(2, "ДСП 19");
  WorkListMaterial(3, "Dąb 18");
  AddWorkListMaterialsToStock(program_);
  EXPECT_EQ(Material(3), "ДСП19");
  EXPECT_EQ(Material(4), "Dąb18");
  EXPECT_EQ(Material(5), "");
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
  // Events go through every ~50 ms of scanning, not at every stock row: a scan this short lets
  // none through.
  EXPECT_EQ(ui_.ProcessEventsCalls(), 0);
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
