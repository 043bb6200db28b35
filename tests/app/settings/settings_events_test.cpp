// The settings grid's events: check-box captions, the PATH rows' folder dialog, the tool tip.
#include <gtest/gtest.h>

#include "settings_fixture.h"

namespace tv::settings {
namespace {

class SettingsEvents : public SettingsFixture {
 protected:
  void SetUp() override {
    InstallSettingsEvents(program_);
    ASSERT_TRUE(Load("Drop Cut,YES\r\nNEST PATH,/old/nests/\r\nCSV Path,/old/csv/\r\nNest Name,N\r\n"));
    SetSettings(program_);
  }
};

TEST_F(SettingsEvents, CaptionFollowsTheValue) {
  grid::Grid& g = program_.Settings;
  g.UserClickButton(1, 2);
  EXPECT_EQ(g.CheckCaptionAt(1, 2), " No");
  g.SetCheckValueAt(1, 2, 1);  // set by code
  EXPECT_EQ(g.CheckCaptionAt(1, 2), " Yes");
  program_.SettingsPathEditing = true;
  g.UserClickButton(1, 2);
  EXPECT_EQ(g.CheckCaptionAt(1, 2), " Yes");
  EXPECT_EQ(GetSettingValue(program_, "Drop Cut"), "NO");
}

TEST_F(SettingsEvents, NestPathRowChoosesTheFolderAndMovesTheNestList) {
  const std::string folder = program_.AppDir + "Nests";
  std::filesystem::create_directories(folder);
  WriteCfg("Nests/Sheet1.DXF", "0\nEOF\n");
  ui_.ExpectFolderChoice(folder, "Select Destination path for Nested DXF files.");
  program_.Settings.RaiseDblClick(1, 2);
  ASSERT_EQ(ui_.FolderChoices().size(), 1u);
  EXPECT_EQ(ui_.FolderChoices()[0].title, "Path Browser");
  EXPECT_EQ(ui_.FolderChoices()[0].startFolder, "/old/nests/");
  EXPECT_EQ(program_.Settings.CellText(2, 2), folder);
  EXPECT_EQ(program_.Input.NestList.Path, folder + "/");
  EXPECT_EQ(program_.Input.NestList.Items, (std::vector<std::string>{"Sheet1.DXF"}));
  // The folder keeps the case it was chosen with.
  EXPECT_EQ(program_.NestPath, folder + "/");
  EXPECT_EQ(program_.BrowseMode, 2);
  EXPECT_FALSE(program_.SettingsPathEditing);
}

TEST_F(SettingsEvents, OtherPathRowsAndMissingFoldersLeaveTheNestListAlone) {
  program_.Input.NestList.Path = "/kept/";
  ui_.ExpectFolderChoice(std::string("/no/such/folder"), "Select Source path for CSV files.");
  program_.Settings.RaiseDblClick(1, 3);
  EXPECT_EQ(program_.Settings.CellText(3, 2), "/no/such/folder");
  EXPECT_EQ(program_.Input.NestList.Path, "/kept/");
  EXPECT_TRUE(ui_.Messages().empty());  // the quiet folder test asks nothing

  ui_.ExpectFolderChoice(std::nullopt);  // Cancel
  program_.Settings.RaiseDblClick(1, 2);
  EXPECT_EQ(program_.Settings.CellText(2, 2), "/old/nests/");
  EXPECT_EQ(program_.NestPath, "/old/nests/");

  // The value column and rows without PATH open no dialog.
  program_.SettingsPathEditing = true;
  program_.Settings.RaiseDblClick(2, 2);
  program_.Settings.RaiseDblClick(1, 4);
  EXPECT_FALSE(program_.SettingsPathEditing);
  EXPECT_EQ(ui_.FolderChoices().size(), 2u);
}

TEST_F(SettingsEvents, TipOnTheFirstFourRequestsOnly) {
  std::vector<bool> shown;
  for (int i = 0; i < 6; ++i) {
    std::string tip;
    shown.push_back(program_.Settings.FetchTextTip(1, 1, tip));
    if (shown.back()) {
      EXPECT_EQ(tip, "Tavolin Configuration Settings *** Right Click to Expand\\Restore.");
    }
  }
  EXPECT_EQ(shown, (std::vector<bool>{true, true, true, true, false, false}));
}

}  // namespace
}  // namespace tv::settings
