// The main window's own commands without the window: Sheet Stock Clear, Copy and Paste on the
// grid that had the focus, the mouse mode, Open and Save DXF as, and their refusal while a run
// is in progress.
#include "commands/main_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "core/run_lock.h"
#include "stock/stock.h"
#include "support/user_settings.h"
#include "testing/cat.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"
#include "worklist/work_list.h"

namespace tv::commands {
namespace {

class MainCommandsTest : public ::testing::Test {
 protected:
  MainCommandsTest() {
    program_.AppDir = folder_.Path();
    program_.IniPath = folder_.Path() + "TAVO.INI";
    program_.RegistryFolder = folder_.Path() + "registry";
    stock::SetUpStockGrids(program_);
    worklist::SetUpWorkListGrid(program_, 10);
    for (long row = 1; row <= 40; ++row)
      program_.SSList.SetCellText(row, 2, test_support::Cat("M", std::to_string(row)));
  }
  std::string Column(const grid::Grid& g, long col, long first, long last) const {
    std::string text;
    for (long row = first; row <= last; ++row) text += g.CellText(row, col) + "|";
    return text;
  }

  test_support::TempFolder folder_;
  test_support::ScriptedUi ui_;
  core::Program program_{ui_};
};

TEST_F(MainCommandsTest, SheetStockClearEmptiesEveryCellOnlyAfterYes) {
  const long rows = program_.SSList.MaxRows();
  ui_.ExpectQuestion("This will clear all entries", core::MsgResult::No);
  EXPECT_FALSE(SheetStockClear(program_));
  EXPECT_EQ(program_.SSList.CellText(40, 2), "M40");

  ui_.ExpectQuestion(core::MsgResult::Yes);
  EXPECT_TRUE(SheetStockClear(program_));
  EXPECT_EQ(ui_.LastMessage().title, "Deleting Sheet Stock Material");
  EXPECT_EQ(ui_.LastMessage().text,
            "This will clear all entries in the Sheet Stock Materials list.\rDo you want to continue?");
  EXPECT_EQ(Column(program_.SSList, 2, 1, 40), std::string(40, '|'));
  EXPECT_EQ(program_.SSList.MaxRows(), rows);
  EXPECT_EQ(program_.SSList.CellText(0, 2), "Sheet Stock Material");
  EXPECT_FALSE(program_.SSList.BlockSelect());
}

TEST_F(MainCommandsTest, PasteFillsTheFirstRowsTextDownTheFocusedGrid) {
  // Sheet stock, nothing selected, active cell in row 5 of 40: rows 5 to 40 take the value, trimmed.
  program_.FocusedGrid = 2;
  program_.SSList.SetActiveCell(5, 2);
  PasteFocusedGrid(program_, "  OAK 19  ");
  EXPECT_EQ(program_.SSList.CellText(4, 2), "M4");
  EXPECT_EQ(Column(program_.SSList, 2, 5, 40), [] {
    std::string all;
    for (int i = 5; i <= 40; ++i) all += "OAK 19|";
    return all;
  }());

  // Work list, rows 3 to 6 of column 2 selected: those rows end with the pasted text, untrimmed.
  program_.FocusedGrid = 1;
  program_.PList.AddSelection({3, 2, 6, 2});
  program_.PList.SetActiveCell(3, 2);
  PasteFocusedGrid(program_, " 4");
  EXPECT_EQ(Column(program_.PList, 2, 2, 7), "| 4| 4| 4| 4||");

  // No grid had the focus: nothing happens, and Copy gives nothing.
  program_.FocusedGrid = 0;
  PasteFocusedGrid(program_, "x");
  EXPECT_EQ(CopyFocusedGrid(program_), "");
  program_.FocusedGrid = 2;
  program_.SSList.ClearSelection();
  program_.SSList.SetActiveCell(4, 2);
  EXPECT_EQ(CopyFocusedGrid(program_), "M4\n");
}

TEST_F(MainCommandsTest, MouseModeSetsTheZoomFunctionAndItsStatusText) {
  const struct {
    int index;
    const char* text;
  } cases[] = {{2, "Pan "}, {1, "Zoom Spot "}, {0, "Zoom Window "}};
  for (const auto& c : cases) {
    SetMouseMode(program_, c.index);
    EXPECT_EQ(program_.DXF1.ZoomFunction(), c.index);
    EXPECT_EQ(ui_.Status("ZoomState"), c.text);
  }
  SetMouseMode(program_, 3);
  EXPECT_EQ(program_.DXF1.ZoomFunction(), 0);
}

TEST_F(MainCommandsTest, OpenRemembersTheFolderAndSaveAsOffersTheLastName) {
  const std::string drawing = folder_.Write("parts/Side.dxf",
                                            "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nBORDER\n10\n0\n20\n0\n11\n"
                                            "100\n21\n50\n0\nENDSEC\n0\nEOF\n");
  ui_.ExpectFileChoice(drawing, "Open DXF File");
  EXPECT_TRUE(OpenDrawing(program_));
  EXPECT_EQ(ui_.FileChoices().back().choice.filters,
            (std::vector<core::FileFilter>{{"DXF (*.dxf)", {"*.dxf"}}}));
  EXPECT_EQ(ui_.FileChoices().back().choice.defaultExt, ".DXF");
  EXPECT_EQ(support::GetUserSetting(program_, "Paths", "Open"), folder_.Path() + "parts/");
  EXPECT_EQ(program_.ViewerCaption, drawing);

  std::string lastName;
  const std::string copy = folder_.Path() + "out/Copy.DXF";
  std::filesystem::create_directories(folder_.Path() + "out");
  ui_.ExpectFileChoice(copy, "Save DXF File As...");
  EXPECT_TRUE(SaveDrawingAs(program_, lastName));
  EXPECT_EQ(ui_.FileChoices().back().choice.startFolder, folder_.Path() + "parts/");
  EXPECT_TRUE(std::filesystem::exists(copy));
  EXPECT_EQ(lastName, copy);
  // The next time the dialog offers that name; Cancel writes nothing and keeps it.
  ui_.ExpectFileChoice(std::nullopt);
  EXPECT_FALSE(SaveDrawingAs(program_, lastName));
  EXPECT_EQ(ui_.FileChoices().back().choice.fileName, copy);
  EXPECT_EQ(support::GetUserSetting(program_, "Paths", "Open"), folder_.Path() + "parts/");
}

TEST_F(MainCommandsTest, CommandsThatChangeWhatARunBuildsWaitForIt) {
  const core::RunLock running(program_);
  program_.FocusedGrid = 2;
  program_.SSList.SetActiveCell(1, 2);
  std::string lastName;
  // None of them asks or opens a dialog (the scripted Ui would fail the test).
  EXPECT_FALSE(OpenDrawing(program_));
  EXPECT_FALSE(SaveDrawingAs(program_, lastName));
  EXPECT_FALSE(SheetStockClear(program_));
  PasteFocusedGrid(program_, "X");
  EXPECT_EQ(program_.SSList.CellText(1, 2), "M1");
  EXPECT_EQ(program_.SSList.CellText(40, 2), "M40");
}

TEST_F(MainCommandsTest, DiagnosticTextsNameExtentsAndZoom) {
  EXPECT_EQ(ZoomCoordinatesText(program_),
            "An error occured retreiving the current zoom coordinates.\r\n\r\n"
            "An error occured retreiving the drawing extents.");
  const std::string drawing = folder_.Write("Box.dxf",
                                            "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n"
                                            "100\n21\n50\n0\nENDSEC\n0\nEOF\n");
  ui_.ExpectFileChoice(drawing);
  ASSERT_TRUE(OpenDrawing(program_));
  const std::string zoom = ZoomCoordinatesText(program_);
  EXPECT_EQ(zoom.rfind("The current zoom coordinates are: \r\nLeft = ", 0), 0u) << zoom;
  EXPECT_NE(
      zoom.find("\r\n\r\nThe drawing extents are: \r\nLeft = 0\r\nRight = 100\r\nTop = 50\r\nBottom = 0"),
      std::string::npos)
      << zoom;
  const std::string extents = ExtentsAndZoomText(program_);
  EXPECT_EQ(extents.rfind("The drawing extents are: \r\n(0,50) - (100,0)\r\nThe current zoom is: \r\n(", 0),
            0u)
      << extents;
}

}  // namespace
}  // namespace tv::commands
