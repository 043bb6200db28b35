// The start-up and shut-down sequences on a program folder seeded from the samples: their order,
// the folders and files they make or write, the INI's viewer options, and the program folder's
// fallback for an executable in a folder that cannot be written.
#include "commands/startup.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "commands/program_folder.h"
#include "support/ini.h"
#include "support/user_settings.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"

namespace tv::commands {
namespace {

namespace fs = std::filesystem;
using test_support::ReadText;

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() {
    fs::copy(fs::path(TAVOLIN_SOURCE_DIR) / "samples", folder_.Path(), fs::copy_options::recursive);
    program_.RegistryFolder = folder_.Path() + "registry";
    program_.PrinterFonts = [] { return std::vector<std::string>{"Sans"}; };
    ui_.SetTimeOfDay(36000);
  }

  // Steps that note their names (and the event pumps between them) in order.
  StartupSteps RecordingSteps() {
    ui_.SetProcessEventsHook([this] { order_.push_back("events"); });
    StartupSteps steps;
    steps.ShowSplash = [this] { order_.push_back("splash"); };
    steps.BuildToolbar = [this] { order_.push_back("toolbar"); };
    steps.PlaceInputWindow = [this] { order_.push_back("input"); };
    steps.PlaceStockWindow = [this] { order_.push_back("stock"); };
    steps.PlaceViewer = [this] {
      order_.push_back("viewer");
      return 14000L;
    };
    return steps;
  }
  std::string Exe() const { return folder_.Path() + "tavolin"; }

  test_support::TempFolder folder_;
  test_support::ScriptedUi ui_;
  core::Program program_{ui_};
  std::vector<std::string> order_;
};

TEST_F(StartupTest, RunsItsStepsInOrderAndPreparesTheProgramFolder) {
  std::vector<core::Change> notices;
  auto listening = program_.Changes.Subscribe([&](core::Change c) { notices.push_back(c); });
  program_.NestFiles = {"old"};
  ASSERT_EQ(Startup(program_, Exe(), RecordingSteps()), StartupResult::Started);

  ASSERT_GE(order_.size(), 6u);
  EXPECT_EQ(order_[0], "splash");
  EXPECT_EQ(order_[1], "events");
  std::vector<std::string> windows;
  for (const std::string& step : order_) {
    if (step != "events") windows.push_back(step);
  }
  EXPECT_EQ(windows, (std::vector<std::string>{"splash", "toolbar", "input", "stock", "viewer"}));

  EXPECT_EQ(program_.SplashStart, 36000);
  EXPECT_EQ(program_.AppDir, folder_.Path());
  EXPECT_EQ(program_.IniPath, folder_.Path() + "TAVO.INI");
  EXPECT_TRUE(fs::is_directory(folder_.Path() + "TMP"));
  EXPECT_TRUE(fs::is_directory(folder_.Path() + "NestTmp"));
  EXPECT_EQ(support::GetUserSetting(program_, "Paths", "Executable"), folder_.Path());
  EXPECT_EQ(program_.RightPaneWidth, 14000);
  EXPECT_EQ(program_.DXF1.TmpFileNamePath(), folder_.Path() + "TMP/");
  EXPECT_TRUE(program_.NestFiles.empty());
  EXPECT_NE(std::find(notices.begin(), notices.end(), core::Change::NestFiles), notices.end());
  // The input window's load read the configuration and the material window's the stock.
  EXPECT_EQ(program_.FrameSetCaption, "Tavo.CFG");
  EXPECT_FALSE(program_.SSList.CellText(1, 2).empty());
  // The splash stays up 3 seconds, without handling events.
  EXPECT_EQ(ui_.Waits(), (std::vector<double>{3}));
  EXPECT_EQ(ui_.SplashCloseCalls(), 1);
}

TEST_F(StartupTest, FoldersThatExistAlreadyAreNoError) {
  fs::create_directories(folder_.Path() + "TMP");
  fs::create_directories(folder_.Path() + "NestTmp");
  fs::create_directories(folder_.Path() + "Nests");
  test_support::WriteText(folder_.Path() + "Nests/NEST001.DXF", "0\nEOF\n");
  ASSERT_EQ(Startup(program_, Exe()), StartupResult::Started);
  for (const auto& message : ui_.Messages()) ADD_FAILURE() << message.title << ": " << message.text;
}

TEST_F(StartupTest, WithoutConfigurationTheProgramEndsBeforeTheWindowsArePlaced) {
  fs::remove(folder_.Path() + "Tavo.CFG");
  EXPECT_EQ(Startup(program_, Exe(), RecordingSteps()), StartupResult::NoConfiguration);
  EXPECT_EQ(ui_.CountMessages("Configuration file not found"), 1u);
  for (const char* step : {"input", "stock", "viewer"}) {
    EXPECT_EQ(std::find(order_.begin(), order_.end(), step), order_.end()) << step;
  }
}

TEST_F(StartupTest, ViewerOptionsFollowTheIniRules) {
  const struct {
    const char* options;  // lines of [Options]
    bool printBlack, displayBlack;
    int backColor;
    float zoomLeft, zoomRight;  // 0: the drawing's own value stays
  } cases[] = {
      {"", false, false, 0, 0, 0},
      {"PrintBlack= 1\nDisplayBlack= 0\nBackColor= 16777215\nZoomLeft=150\nZoomRight=75\n", true, false,
       16777215, 150, 75},
      {"PrintBlack=2\nDisplayBlack=-1\nBackColor=255.5\nZoomLeft=0\nZoomRight=-20\n", true, true, 256, 0, 0},
  };
  for (const auto& c : cases) {
    test_support::ScriptedUi ui;
    core::Program program(ui);
    program.AppDir = folder_.Path();
    program.IniPath = folder_.Path() + "case.ini";
    test_support::WriteText(program.IniPath, std::string("[Options]\n") + c.options);
    const float ownLeft = program.DXF1.SpotZoomLeft();
    const float ownRight = program.DXF1.SpotZoomRight();
    ApplyViewerOptions(program);
    EXPECT_EQ(program.DXF1.PrintBlackWhite(), c.printBlack) << c.options;
    EXPECT_EQ(program.DXF1.DisplayBlackWhite(), c.displayBlack) << c.options;
    EXPECT_EQ(program.DXF1.BackColor(), c.backColor) << c.options;
    EXPECT_EQ(program.DXF1.SpotZoomLeft(), c.zoomLeft > 0 ? c.zoomLeft : ownLeft) << c.options;
    EXPECT_EQ(program.DXF1.SpotZoomRight(), c.zoomRight > 0 ? c.zoomRight : ownRight) << c.options;
  }
}

TEST_F(StartupTest, ShutdownSavesStockSettingsAndTheirNameWithoutAsking) {
  ASSERT_EQ(Startup(program_, Exe()), StartupResult::Started);
  program_.SSList.SetCellText(3, 2, "BIRCH PLY 18");
  program_.FrameSetCaption = "Shop.CFG";
  ui_.ClearMessages();

  EXPECT_TRUE(Shutdown(program_).empty());
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_NE(ReadText(folder_.Path() + "Mat.dat").find("BIRCH PLY 18"), std::string::npos);
  EXPECT_NE(ReadText(folder_.Path() + "Shop.CFG").find("Nest Name,NEST"), std::string::npos);
  EXPECT_EQ(support::ReadIni(program_, "Config", "CfgFile"), "Shop.CFG");
}

TEST_F(StartupTest, ShutdownLeavesAConfigurationReadOnlyInPartAlone) {
  ASSERT_EQ(Startup(program_, Exe()), StartupResult::Started);
  const std::string before = ReadText(folder_.Path() + "Tavo.CFG");
  program_.Settings.SetCellText(1, 2, "99");
  program_.ConfigMayBeWrittenBack = false;
  EXPECT_TRUE(Shutdown(program_).empty());
  EXPECT_EQ(ReadText(folder_.Path() + "Tavo.CFG"), before);
  program_.ConfigMayBeWrittenBack = true;
  EXPECT_TRUE(Shutdown(program_).empty());
  EXPECT_NE(ReadText(folder_.Path() + "Tavo.CFG"), before);
}

TEST_F(StartupTest, ShutdownGoesOnPastAStepThatFails) {
  ASSERT_EQ(Startup(program_, Exe()), StartupResult::Started);
  // "Mat.dat" cannot be written where a folder of that name stands.
  program_.MaterialDataPath = folder_.Path() + "stock/";
  fs::create_directories(folder_.Path() + "stock/Mat.dat");
  program_.FrameSetCaption = "Shop.CFG";
  const std::vector<std::string> failures = Shutdown(program_);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("Mat.dat"), std::string::npos);
  EXPECT_TRUE(fs::exists(folder_.Path() + "Shop.CFG"));
  EXPECT_EQ(support::ReadIni(program_, "Config", "CfgFile"), "Shop.CFG");
}

TEST(ProgramFolderTest, ExecutableFolderWhenWritableElseTheUsersDataFolder) {
  test_support::TempFolder folder;
  EXPECT_EQ(ProgramFolder(folder.Path() + "tavolin"), folder.Path());

  const char* saved = getenv("XDG_DATA_HOME");
  const std::string before = saved ? saved : "";
  setenv("XDG_DATA_HOME", (folder.Path() + "data").c_str(), 1);
  const std::string fallback = ProgramFolder("/nonexistent-tavolin-folder/bin/tavolin");
  if (saved) {
    setenv("XDG_DATA_HOME", before.c_str(), 1);
  } else {
    unsetenv("XDG_DATA_HOME");
  }
  EXPECT_EQ(fallback, folder.Path() + "data/tavolin/");
  EXPECT_TRUE(fs::is_directory(fallback));
}

}  // namespace
}  // namespace tv::commands
