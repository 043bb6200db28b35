// The material window's logic: "Mat.dat" and its folder, the tick check, the header sort and
// deleting selected rows.
#include <gtest/gtest.h>

#include "stock_fixture.h"

namespace tv::stock {
namespace {

class StockWindowTest : public StockFixture {
 protected:
  void SetIni(const std::string& materialDataPath) {
    test_support::WriteText(program_.IniPath, "[Config]\nMaterialDataPath=" + materialDataPath + "\n");
  }
  std::string MatDat() const { return program_.AppDir + "Mat.dat"; }
  void FillSomeStock() {
    StockRow(1, {"1", "WHITE MELAMINE 19", "0", "0", "10", "2800", "2070", "19"});
    StockRow(2, {"", "PAINT GRADE MDF 19", "0", "1", "4", "2440", "1220", "19"});
    StockRow(3, {"1", "Ærø, \"19\"", "1", "0", "1", "1200", "600", "19"});
  }
};

TEST_F(StockWindowTest, StockFolderRule) {
  const std::string own = program_.AppDir + "stock/";
  std::filesystem::create_directories(own);
  const struct {
    std::string ini;
    std::string folder;
  } cases[] = {
      {"", program_.AppDir},    // no key: "/" is too short
      {"D:", program_.AppDir},  // a bare drive is three characters with its separator
      {"D:\\", program_.AppDir}, {own.substr(0, own.size() - 1), own}, {own, own},
  };
  for (const auto& c : cases) {
    SetIni(c.ini);
    ShtStk_Load(program_);
    EXPECT_EQ(StockFolder(program_), c.folder) << "'" << c.ini << "'";
    EXPECT_EQ(StockFilePath(program_), c.folder + "Mat.dat");
  }
}

TEST_F(StockWindowTest, SavedStockLoadsBackWithItsGridShape) {
  FillSomeStock();
  std::string error;
  ASSERT_TRUE(SaveStock(program_, &error)) << error;

  test_support::ScriptedUi ui;
  core::Program again(ui);
  again.AppDir = program_.AppDir;
  again.IniPath = program_.IniPath;
  again.PList.SetMaxRows(2);
  ShtStk_Load(again);
  EXPECT_EQ(again.SSList.MaxRows(), kDefaultStockRows);
  for (long row = 0; row <= 4; ++row) {
    for (long col = 1; col <= kStockCols; ++col) {
      EXPECT_EQ(again.SSList.CellText(row, col), program_.SSList.CellText(row, col)) << row << "," << col;
    }
  }
  EXPECT_EQ(again.SSList.CellText(0, 2), "Sheet Stock Material");
  EXPECT_EQ(again.SSList.CellKindAt(1, kColOk), grid::Kind::CheckBox);
  EXPECT_EQ(again.MPL.CellText(0, 2), "Pull List Material");
  EXPECT_TRUE(again.MPL.IsColumnHidden(kColOk));
  EXPECT_GE(again.MPL.MaxRows(), again.SSList.MaxRows());
  EXPECT_EQ(again.PList.ChoiceListAt(1, 8),
            "WHITE MELAMINE 19\tPAINT GRADE MDF 19\t" + again.SSList.CellText(3, 2));
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(StockWindowTest, MissingFileGivesAnEmptyStockWithoutAMessage) {
  ShtStk_Load(program_);
  EXPECT_EQ(program_.SSList.MaxRows(), kDefaultStockRows);
  EXPECT_EQ(Material(1), "");
  EXPECT_FALSE(program_.StockFileUnreadable);
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_TRUE(SaveStock(program_));
  EXPECT_TRUE(std::filesystem::exists(MatDat()));
}

TEST_F(StockWindowTest, UnreadableStockFileSurvivesUntilTheOperatorEntersStock) {
  FillSomeStock();
  ASSERT_TRUE(SaveStock(program_));
  const std::string good = test_support::ReadText(MatDat());
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"foreign", "OK;Material;Drop\r\n1;OAK;0\r\n"},
      {"garbage", std::string("\x00\x01\x02\xff", 4)},
      {"future version", "TAVOLIN GRID\t9\tdata\nsize\t3\t8\nend\n"},
      {"broken off", good.substr(0, good.size() / 2)},
  };
  for (const auto& c : cases) {
    test_support::WriteText(MatDat(), c.bytes);
    test_support::ScriptedUi ui;
    core::Program p(ui);
    p.AppDir = program_.AppDir;
    p.IniPath = program_.IniPath;
    ShtStk_Load(p);
    // The operator hears why the stock looks short before an edit of it replaces the file.
    ASSERT_EQ(ui.Messages().size(), 1u) << c.name;
    EXPECT_EQ(ui.LastMessage().text.rfind("Sheet Stock Not Loaded Whole:\r" + MatDat() + "\rline ", 0), 0u)
        << ui.LastMessage().text;
    EXPECT_TRUE(p.StockFileUnreadable) << c.name;
    // Leaving the grid and shutting down save nothing over the file.
    p.SSList.RaiseLostFocus();
    EXPECT_FALSE(SaveStock(p)) << c.name;
    EXPECT_EQ(test_support::ReadText(MatDat()), c.bytes) << c.name;
    // The operator types stock: from then on the stock is saved again.
    ui.ClearMessages();
    p.SSList.UserEditText(5, 2, "BIRCH PLY 12");
    p.SSList.RaiseLostFocus();
    EXPECT_NE(test_support::ReadText(MatDat()), c.bytes) << c.name;
    core::Program reread(ui);
    reread.AppDir = program_.AppDir;
    reread.IniPath = program_.IniPath;
    ShtStk_Load(reread);
    EXPECT_FALSE(reread.StockFileUnreadable) << c.name;
    EXPECT_EQ(reread.SSList.CellText(5, 2), "BIRCH PLY 12") << c.name;
  }
}

// "MaterialDataPath = /srv/shop/stock/" in a hand-edited TAVO.INI gave a path starting with a
// blank: the stock showed empty and every save failed without a word.
TEST_F(StockWindowTest, AHandEditedMaterialDataPathFindsTheStockAndAFailedSaveIsToldOnce) {
  const std::string folder = temp_.Path() + "shop stock/";
  std::filesystem::create_directories(folder);
  StockRow(1, {"1", "OAK", "0", "0", "5", "96", "48", "0.75"});
  ASSERT_TRUE(program_.SSList.SaveGridFile(folder + "Mat.dat", true));
  test_support::WriteText(program_.IniPath, "[Config]\r\nMaterialDataPath = \t" + folder + " \r\n");

  test_support::ScriptedUi ui;
  core::Program p(ui);
  p.AppDir = program_.AppDir;
  p.IniPath = program_.IniPath;
  ShtStk_Load(p);
  EXPECT_EQ(StockFilePath(p), folder + "Mat.dat");
  EXPECT_EQ(p.SSList.CellText(1, kColMaterial), "OAK");
  EXPECT_TRUE(ui.Messages().empty());

  // The folder goes away: leaving the grid says so once, not at every focus change.
  std::filesystem::remove_all(folder);
  p.SSList.UserEditText(2, kColMaterial, "ASH");
  p.SSList.RaiseLostFocus();
  p.SSList.RaiseLostFocus();
  ASSERT_EQ(ui.CountMessages("Sheet Stock Not Saved:"), 1u);
  EXPECT_EQ(ui.LastMessage().text.rfind("Sheet Stock Not Saved:\r" + folder + "Mat.dat\r", 0), 0u)
      << ui.LastMessage().text;
  EXPECT_GT(ui.LastMessage().text.size(), ("Sheet Stock Not Saved:\r" + folder + "Mat.dat\r").size());
  // Back again, the save goes through quietly; a later failure is told anew.
  std::filesystem::create_directories(folder);
  p.SSList.RaiseLostFocus();
  EXPECT_TRUE(std::filesystem::exists(folder + "Mat.dat"));
  std::filesystem::remove_all(folder);
  p.SSList.RaiseLostFocus();
  EXPECT_EQ(ui.CountMessages("Sheet Stock Not Saved:"), 2u);
}

TEST_F(StockWindowTest, TickNeedsMaterialAndSizes) {
  ShtStk_Load(program_);
  const struct {
    const char* name;
    std::vector<std::string> row;
    bool kept;
  } cases[] = {
      {"complete, without drop, grain or qty", {"", "OAK", "", "", "", "2440", "1220", "19"}, true},
      {"no material", {"", "", "0", "0", "1", "2440", "1220", "19"}, false},
      {"no length", {"", "OAK", "0", "0", "1", "", "1220", "19"}, false},
      {"width not a number", {"", "OAK", "0", "0", "1", "2440", "wide", "19"}, false},
      {"zero thickness", {"", "OAK", "0", "0", "1", "2440", "1220", " 0"}, false},
  };
  long row = 1;
  for (const auto& c : cases) {
    ui_.ClearMessages();
    StockRow(row, c.row);
    program_.SSList.UserClickButton(row, kColOk);
    EXPECT_EQ(program_.SSList.CheckValueAt(row, kColOk), c.kept ? 1 : 0) << c.name;
    if (c.kept) {
      EXPECT_TRUE(ui_.Messages().empty()) << c.name;
    } else {
      ASSERT_EQ(ui_.Messages().size(), 1u) << c.name;
      EXPECT_EQ(ui_.LastMessage().text,
                "Information not entered for:\rMaterial, Kerf, Length, Width or Thickness");
      EXPECT_EQ(ui_.LastMessage().title, "Alert");
      EXPECT_EQ(ui_.LastMessage().icon, core::MsgIcon::Warning);
      EXPECT_EQ(program_.SSList.CellText(row, kColOk), "") << c.name;
    }
    ++row;
  }
  // A tick set by code is checked like a click, except while the stock loads; unticking
  // is never checked.
  ui_.ClearMessages();
  SetStockCell(program_, 8, kColOk, "1");
  EXPECT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(program_.SSList.CellText(8, kColOk), "");
  ui_.ClearMessages();
  program_.StockLoading = true;
  SetStockCell(program_, 9, kColOk, "1");
  program_.StockLoading = false;
  program_.SSList.UserClickButton(9, kColOk);
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_EQ(program_.SSList.CellText(9, kColOk), "0");
}

TEST_F(StockWindowTest, RowsArrivingTickedFromTheFileAreNotChecked) {
  StockRow(1, {"1", "OAK", "", "", "", "", "", ""});
  ASSERT_TRUE(SaveStock(program_));
  test_support::ScriptedUi ui;
  core::Program again(ui);
  again.AppDir = program_.AppDir;
  again.IniPath = program_.IniPath;
  ShtStk_Load(again);
  EXPECT_EQ(again.SSList.CheckValueAt(1, kColOk), 1);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(StockWindowTest, EditsTrimTheMaterialAndFocusNamesTheGrid) {
  ShtStk_Load(program_);
  StockRow(3, {"", "  WHITE HARDBOARD 6 "});
  program_.SSList.UserEditText(3, 6, "2440");
  EXPECT_EQ(Material(3), "WHITE HARDBOARD 6");
  SetStockCell(program_, 4, 2, "  MDF  ");
  EXPECT_EQ(Material(4), "MDF");
  program_.SSList.RaiseGotFocus();
  EXPECT_EQ(program_.FocusedGrid, 2);
}

TEST_F(StockWindowTest, HeaderDoubleClickSortsTheFilledRowsAndFlips) {
  ShtStk_Load(program_);
  StockRow(1, {"", "OAK", "", "", "", "2440"});
  StockRow(2, {"", "BIRCH", "", "", "", "96"});
  StockRow(3, {"", "MDF", "", "", "", "2800"});
  StockRow(5, {"", "AAA below the gap"});
  auto materials = [&] {
    return std::vector<std::string>{Material(1), Material(2), Material(3), Material(5)};
  };
  program_.SSList.RaiseDblClick(2, 0);
  EXPECT_EQ(materials(), (std::vector<std::string>{"BIRCH", "MDF", "OAK", "AAA below the gap"}));
  program_.SSList.RaiseDblClick(2, 0);
  EXPECT_EQ(materials(), (std::vector<std::string>{"OAK", "MDF", "BIRCH", "AAA below the gap"}));
  program_.SSList.RaiseDblClick(6, 0);  // another column starts ascending again
  EXPECT_EQ(materials(), (std::vector<std::string>{"BIRCH", "OAK", "MDF", "AAA below the gap"}));
  program_.SSList.RaiseDblClick(2, 3);  // a data row sorts nothing
  EXPECT_EQ(materials(), (std::vector<std::string>{"BIRCH", "OAK", "MDF", "AAA below the gap"}));
}

TEST_F(StockWindowTest, PopupDeleteRemovesTheSelectedRowsAfterAsking) {
  const struct {
    const char* name;
    bool requested;
    bool selected;
    core::MsgResult answer;
    std::vector<std::string> left;
  } cases[] = {
      {"yes", true, true, core::MsgResult::Yes, {"A", "C", "E", ""}},
      {"no", true, true, core::MsgResult::No, {"A", "B", "C", "D"}},
      {"nothing selected", true, false, core::MsgResult::Yes, {"A", "B", "C", "D"}},
      {"other item chosen", false, true, core::MsgResult::Yes, {"A", "B", "C", "D"}},
  };
  for (const auto& c : cases) {
    test_support::ScriptedUi ui;
    core::Program p(ui);
    p.AppDir = program_.AppDir;
    p.IniPath = program_.IniPath;
    SetUpStockGrids(p);
    for (long r = 1; r <= 5; ++r) p.SSList.SetCellText(r, 2, std::string(1, static_cast<char>('A' + r - 1)));
    if (c.selected) {
      p.SSList.AddSelection({2, 1, 2, kStockCols});
      p.SSList.AddSelection({4, -1, 4, -1});
    }
    const bool asked = c.requested && c.selected;
    if (asked) ui.ExpectQuestion("Delete selected entries in Sheet Stock List?", c.answer);
    SSList_PopupClosed(p, c.requested);
    std::vector<std::string> left;
    for (long r = 1; r <= 4; ++r) left.push_back(p.SSList.CellText(r, 2));
    EXPECT_EQ(left, c.left) << c.name;
    EXPECT_EQ(p.SSList.IsBlockSelected(), !c.requested && c.selected) << c.name;
    if (asked) {
      EXPECT_EQ(ui.LastMessage().title, "Query");
    }
  }
}

TEST_F(StockWindowTest, SampleStockCoversTheSampleJobs) {
  std::filesystem::copy_file(std::string(TAVOLIN_SOURCE_DIR) + "/samples/Mat.dat", MatDat());
  ShtStk_Load(program_);
  ASSERT_FALSE(program_.StockFileUnreadable);
  for (const char* material :
       {"WHITE MELAMINE 19", "PAINT GRADE MDF 19", "WHITE HARDBOARD 6", "WHITE MELAMINE 3/4"}) {
    EXPECT_TRUE(IsStockMaterial(program_, material)) << material;
  }
  bool offcut = false;
  long emptyRows = 0;
  for (long row = 1; row <= program_.SSList.MaxRows(); ++row) {
    if (Material(row).empty()) {
      ++emptyRows;
      continue;
    }
    EXPECT_EQ(program_.SSList.CheckValueAt(row, kColOk), 1) << row;
    EXPECT_GT(GetStockLength(program_, row), 0) << row;
    EXPECT_GT(GetStockWidth(program_, row), 0) << row;
    EXPECT_GT(GetStockThickness(program_, row), 0) << row;
    if (GetStockCell(program_, row, kColDrop) == "1") offcut = true;
  }
  EXPECT_TRUE(offcut);
  EXPECT_GT(emptyRows, 0);  // room for materials added from the work list
}

}  // namespace
}  // namespace tv::stock
