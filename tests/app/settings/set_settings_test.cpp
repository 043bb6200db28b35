// The settings grid copied into the program-wide values.
#include <gtest/gtest.h>

#include "settings_fixture.h"

namespace tv::settings {
namespace {

TEST_F(SettingsFixture, SampleConfigurationGivesAMetricShop) {
  ASSERT_TRUE(LoadSettingsCSV(program_, SampleCfg()));
  program_.MetricUnits = true;
  SetSettings(program_);
  const core::Program& p = program_;
  EXPECT_DOUBLE_EQ(p.PerimeterMargin, 10);
  EXPECT_EQ(p.CurrentNestName, "NEST");
  // Empty folders: the input window's load puts the program folder's defaults in.
  EXPECT_EQ(p.NestPath, "/");
  EXPECT_EQ(p.CsvPath, "/");
  EXPECT_DOUBLE_EQ(p.OsArea, 40000);
  EXPECT_DOUBLE_EQ(p.OsThickness, 0.5);
  EXPECT_DOUBLE_EQ(p.LeadLength, 10);
  EXPECT_DOUBLE_EQ(p.CutOutClearance, 1);
  EXPECT_DOUBLE_EQ(p.CutOutDiameter, 10);
  EXPECT_EQ(p.CutOutRouter, "1");
  EXPECT_FALSE(p.CutOutFirst);
  EXPECT_TRUE(p.CutOutClockwise);
  EXPECT_TRUE(p.CutOutsOn);
  EXPECT_DOUBLE_EQ(p.CutOutDepthPlus, 0.3);
  EXPECT_EQ(p.NestFromCorner, 0);
  EXPECT_EQ(p.SmallPartsInside, 1);
  EXPECT_FALSE(p.GenerateBatch);
  EXPECT_FALSE(p.RespondToBatch);
  EXPECT_FALSE(p.PerimeterClean);
  EXPECT_TRUE(p.DropCut);
  EXPECT_FLOAT_EQ(p.DropCutLength, 300);
  EXPECT_EQ(p.DropCutPasses, 1);
  EXPECT_TRUE(p.AttachBarcode);
  EXPECT_FALSE(p.BcmBarcode);
  EXPECT_EQ(p.SFieldBarcode, "");
  EXPECT_TRUE(p.TagParts);
  EXPECT_TRUE(p.ZLimitOn);
  EXPECT_FALSE(p.NestByCabinet);
  EXPECT_TRUE(p.MakeCsvFiles);
  EXPECT_FALSE(p.SheetStockQty);
  EXPECT_FALSE(p.PromptForNest);
  EXPECT_EQ(GetSettingValue(program_, "Font Size"), "3");
  EXPECT_EQ(GetSettingValue(program_, "Nest Font"), "0");
  EXPECT_EQ(program_.Settings.CellText(FindSettingRow(program_, "Nest Font"), kColValue), "DXF Font");
}

TEST_F(SettingsFixture, MissingRowsGiveTheirDefaults) {
  program_.CutOutsOn = false;
  program_.CutOutClockwise = true;
  program_.PerimeterMargin = 7;
  program_.NestPath = "/old/";
  program_.DropCut = true;
  program_.NestFromCorner = 3;
  SetSettings(program_);
  EXPECT_FALSE(program_.CutOutClockwise);
  EXPECT_TRUE(program_.CutOutsOn);
  EXPECT_DOUBLE_EQ(program_.PerimeterMargin, 0);
  EXPECT_EQ(program_.NestPath, "/");
  EXPECT_EQ(program_.CsvPath, "/");
  EXPECT_FALSE(program_.DropCut);
  EXPECT_EQ(program_.NestFromCorner, 0);
  EXPECT_EQ(program_.SmallPartsInside, 0);
  EXPECT_EQ(program_.CurrentNestName, "");
}

TEST_F(SettingsFixture, ConversionsOfTheCopy) {
  ASSERT_TRUE(
      Load("Nest Name,  kitchen 2417 \r\n"
           "NEST PATH,/home/shop/nests\r\n"
           "CSV Path,/home/shop/csv/\r\n"
           "Cut Out Router#,t1\r\n"
           "Cut Out Direction,no cutouts\r\n"
           "Nest From Corner,Lower Right\r\n"
           "Drop Cut Passes,2.5\r\n"
           "Perimeter Margin,0.5\r\n"  // inches by size
           "OS Area <,2\r\n"           // square inches
           "Drop Cut Length,300\r\n"
           "Small Parts Inside,no\r\n"
           "Generate Batch,Yes\r\n"));
  program_.MetricUnits = true;
  SetSettings(program_);
  EXPECT_EQ(program_.CurrentNestName, "KITCHEN 2417");
  // Folders keep their case: the file system tells /home from /HOME.
  EXPECT_EQ(program_.NestPath, "/home/shop/nests/");
  EXPECT_EQ(program_.CsvPath, "/home/shop/csv/");
  EXPECT_EQ(program_.CutOutRouter, "T1");
  EXPECT_FALSE(program_.CutOutClockwise);
  EXPECT_FALSE(program_.CutOutsOn);
  EXPECT_EQ(program_.NestFromCorner, 3);
  EXPECT_EQ(program_.DropCutPasses, 2);  // halves round to even
  EXPECT_DOUBLE_EQ(program_.PerimeterMargin, 12.7);
  EXPECT_DOUBLE_EQ(program_.OsArea, 1290.32);
  EXPECT_EQ(program_.SmallPartsInside, 0);
  EXPECT_TRUE(program_.GenerateBatch);

  program_.MetricUnits = false;
  SetSettings(program_);
  EXPECT_DOUBLE_EQ(program_.PerimeterMargin, 0.5);
  EXPECT_FLOAT_EQ(program_.DropCutLength, 11.811f);
}

TEST_F(SettingsFixture, WildNumbersStayInTheirType) {
  ASSERT_TRUE(Load("Drop Cut Passes,99999999999\r\nNest From Corner,3\r\n"));
  program_.Settings.SetCellKindAt(2, 2, grid::Kind::Edit);
  program_.Settings.SetCellText(2, 2, "-70000");
  SetSettings(program_);
  EXPECT_EQ(program_.DropCutPasses, 2147483647);
  EXPECT_EQ(program_.NestFromCorner, -32768);
}

TEST_F(SettingsFixture, SetSettingValueWritesEditCellsOnly) {
  ASSERT_TRUE(Load("NEST PATH,\r\nDrop Cut,YES\r\nCut Out Direction,Clockwise\r\n"));
  SetSettingValue(program_, "nest path", "/srv/nests/");
  SetSettingValue(program_, "Drop Cut", "/x/");
  SetSettingValue(program_, "Cut Out Direction", "No Cutouts");
  SetSettingValue(program_, "Missing", "/x/");
  EXPECT_EQ(Rows(),
            (std::vector<std::string>{"NEST PATH=/srv/nests/", "Drop Cut=1", "Cut Out Direction=Clockwise"}));
  EXPECT_EQ(GetSettingValue(program_, "Missing"), "");
}

// A view follows the grid's current cell: reading the settings must not move the operator's cursor.
TEST_F(SettingsFixture, LookupsLeaveTheCurrentCellAlone) {
  ASSERT_TRUE(LoadSettingsCSV(program_, SampleCfg()));
  program_.Settings.SetRow(3);
  program_.Settings.SetCol(kColName);
  for (const char* name : {"Nest Font", "Drop Cut", "Nest Path", "Perimeter Margin", "Missing"}) {
    GetSettingValue(program_, name);
    GetSettingText(program_, name);
  }
  SetSettings(program_);
  EXPECT_EQ(program_.Settings.Row(), 3);
  EXPECT_EQ(program_.Settings.Col(), kColName);
}

}  // namespace
}  // namespace tv::settings
