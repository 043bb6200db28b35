// Load, Save and Import Work List: the field-count rules of the import, the configuration
// line, the drawing and material checks, the units of row 1, the closing sort, and files that
// cannot be read or written.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/user_settings.h"
#include "testing/encodings.h"
#include "worklist/input_window.h"
#include "worklist/work_list.h"
#include "worklist/worklist_files.h"
#include "worklist_fixture.h"

namespace tv::worklist::testing {
namespace {

using core::MsgResult;

// A line of n fields: field j is prefix + j unless given in the overrides (1-based).
std::string Line(int n, std::vector<std::pair<int, std::string>> overrides = {},
                 const std::string& prefix = "f") {
  std::string line;
  for (int j = 1; j <= n; ++j) {
    std::string field = prefix + std::to_string(j);
    for (const auto& [index, text] : overrides) {
      if (index == j) field = text;
    }
    line += (j > 1 ? "," : "") + field;
  }
  return line;
}

class WorkListFilesTest : public WorkListTest {
 protected:
  void SetUp() override {
    InstallWorkListEvents(program);
    SetStock({"OAK", "MAPLE"});
    drawings = Folder("drawings");
    WriteText(drawings + "Part7.DXF", "");
    WriteText(drawings + "Door.dxf", "");
  }
  // Imports the lines as a file chosen in the dialog.
  void Import(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    const std::string file = Folder("lists") + "job.csv";
    WriteText(file, text);
    ui.ExpectFileChoice(file, "Import Worklist to Process");
    ImportWorkList(program);
  }

  std::string drawings;
};

TEST_F(WorkListFilesTest, ImportPlacesFieldsByTheirCountAndRejectsLongLines) {
  Import({
      // 26 fields: column 1 comes from the line, and is ticked because Part7.DXF exists.
      Line(26, {{1, "0"}, {2, "3"}, {3, "Part7"}, {8, "OAK"}, {9, " 600"}, {12, drawings}}),
      // 25 fields: quantity in column 2, material in column 8; the drawing is missing.
      Line(25, {{1, "2"}, {2, "Gone.dxf"}, {7, "MAPLE"}, {11, drawings}}),
      Line(27),
      // Lower case extension: no second ".DXF" is added.
      Line(25, {{1, "1"}, {2, "door.DXF"}, {7, "OAK"}, {11, drawings}}),
  });

  // Rows 1 and 2 are sorted by material; the rejected line left row 3 empty, which ends the
  // sorted block, and the line after it kept row 4.
  EXPECT_EQ(Cell(1, kColFileName), "Gone.dxf");
  EXPECT_EQ(Cell(1, kColQty), "2");
  EXPECT_EQ(Cell(1, kColMaterial), "MAPLE");
  EXPECT_EQ(Cell(1, kColPath), drawings);
  EXPECT_EQ(Cell(1, kColSubName), "f25");
  EXPECT_EQ(Cell(1, kColOk), "");
  EXPECT_EQ(Cell(2, kColFileName), "Part7");
  EXPECT_EQ(Cell(2, kColOk), "1");
  EXPECT_EQ(Cell(2, kColQty), "3");
  EXPECT_EQ(Cell(2, kColSubName), "f26");
  for (long col = 1; col <= kWorkListCols; ++col) EXPECT_EQ(Cell(3, col), "") << col;
  EXPECT_EQ(Cell(4, kColFileName), "door.DXF");
  EXPECT_EQ(Cell(4, kColOk), "1");

  ASSERT_EQ(ui.Messages().size(), 2u);
  EXPECT_EQ(ui.Messages()[0].text,
            "Too Many Fields in Worklist File.\r\nFound 27 Need No More Than 26\r\nImport Failed.");
  EXPECT_EQ(ui.Messages()[0].title, "Alert!");
  EXPECT_EQ(ui.Messages()[1].text, "One or more DXF files in list not found.");
  EXPECT_EQ(ui.Messages()[1].title, "Alert!");

  EXPECT_FALSE(program.ImportingWorkList);
  EXPECT_EQ(ui.CurrentPointer(), core::Pointer::Normal);
  EXPECT_TRUE(program.Input.ProcEnabled);
  // The folder of the list is remembered for the next dialog.
  EXPECT_EQ(support::GetUserSetting(program, "Paths", "PList"), Folder("lists"));
}

TEST_F(WorkListFilesTest, TheLastRejectedLineIsTheOneNamed) {
  Import({Line(30), Line(28)});
  EXPECT_EQ(ui.CountMessages("Found 28 Need No More Than 26"), 1u);
  EXPECT_EQ(ui.CountMessages("Found 30"), 0u);
}

TEST_F(WorkListFilesTest, AConfigurationLineCountsOnlyBeforeTheFirstRow) {
  WriteText(program.AppDir + "Shop.CFG", "Nest Name,shop\r\n");
  ui.ExpectQuestion("Load Configuration (Shop.CFG) Specified in Worklist?", MsgResult::Yes);
  Import({"Tavolin Configuration = Shop.CFG", Line(25, {{7, "OAK"}}), "TAVOLIN CONFIGURATION = Shop.CFG"});

  EXPECT_EQ(program.FrameSetCaption, "Shop.CFG");
  EXPECT_EQ(program.CurrentNestName, "SHOP");
  // The same line after a row is an ordinary line of one field; without a material it sorts
  // first.
  EXPECT_EQ(Cell(1, kColQty), "TAVOLIN CONFIGURATION = Shop.CFG");
  EXPECT_EQ(Cell(2, kColFileName), "f2");
  EXPECT_EQ(Cell(3, kColQty), "");
}

TEST_F(WorkListFilesTest, RowOneDecidesTheUnitsAtFirstLengthOver150) {
  for (const auto& [length, metric] : std::vector<std::pair<std::string, bool>>{
           {"150", false}, {"150.5", true}, {" 2440", true}, {"96", false}, {"", false}}) {
    Import({Line(25, {{7, "OAK"}, {8, length}})});
    EXPECT_EQ(program.MetricUnits, metric) << length;
    ui.ClearMessages();
  }
}

TEST_F(WorkListFilesTest, ImportGrowsTheListButNeverShrinksIt) {
  program.PList.SetMaxRows(100);
  std::vector<std::string> lines(10, Line(25, {{7, "OAK"}}));
  Import(lines);
  EXPECT_EQ(program.PList.MaxRows(), 100);
  EXPECT_EQ(Cell(10, kColQty), "f1");

  std::vector<std::string> many(120, Line(25, {{7, "OAK"}}));
  ui.ClearMessages();
  Import(many);
  EXPECT_EQ(program.PList.MaxRows(), 120);
  EXPECT_EQ(Cell(120, kColQty), "f1");
}

TEST_F(WorkListFilesTest, MissingMaterialsAreAddedToTheStock) {
  Import({Line(25, {{7, "Cherry 3/4"}}), Line(25, {{7, "cherry 3/4"}}), Line(25, {{7, "OAK"}})});
  EXPECT_EQ(StockMaterials(), (std::vector<std::string>{"OAK", "MAPLE", "Cherry3/4"}));
}

// A list exported with blanks after the commas gave file names such as " Door.dxf ": no row
// was ticked and every drawing was "not found".
TEST_F(WorkListFilesTest, BlanksAroundAFieldAreNoPartOfIt) {
  Import({" 2 , Door.dxf ,J,R,C,\tSide panel\t, OAK ,  600 ,,, " + drawings + " ,,,,,,,,,,,,,, Sub.dxf "});
  EXPECT_EQ(Cell(1, kColQty), "2");
  EXPECT_EQ(Cell(1, kColFileName), "Door.dxf");
  EXPECT_EQ(Cell(1, kColDescription), "Side panel");
  EXPECT_EQ(Cell(1, kColMaterial), "OAK");
  EXPECT_EQ(Cell(1, kColLength), "600");
  EXPECT_EQ(Cell(1, kColPath), drawings);
  EXPECT_EQ(Cell(1, kColSubName), "Sub.dxf");
  EXPECT_EQ(Cell(1, kColOk), "1");
  EXPECT_TRUE(ui.Messages().empty());
}

// More rows than the grid holds (1,000,000 cells: 38,461 rows of 26 columns): the rest was
// dropped and only a wrong "not found" followed.
TEST_F(WorkListFilesTest, AListLargerThanTheGridKeepsWhatFitsAndSaysSo) {
  const long fits = grid::Grid::kCellLimit / kWorkListCols;
  std::vector<std::string> lines(static_cast<size_t>(fits) + 5, "1,Door.dxf,J,R,C,D,OAK,600,,," + drawings);
  lines.back() = "1,Last.dxf,J,R,C,D,OAK,600,,," + drawings;
  Import(lines);
  EXPECT_EQ(program.PList.MaxRows(), fits);
  EXPECT_EQ(Cell(fits, kColFileName), "Door.dxf");
  EXPECT_EQ(Cell(fits, kColOk), "1");
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().text, "Worklist Full.\r\nThe first " + std::to_string(fits) +
                                       " rows were kept; the rest of the list was not imported.");
}

// Each line naming a material missing from a full stock scanned the whole work list against the
// whole stock and let events through at every stock cell: minutes of frozen window.
TEST_F(WorkListFilesTest, AMissingMaterialOnAFullStockCostsEachLineOnce) {
  program.SSList.SetMaxRows(100);
  for (long row = 1; row <= 100; ++row) program.SSList.SetCellText(row, 2, "STOCK" + std::to_string(row));
  long pumps = 0;
  ui.SetProcessEventsHook([&] { ++pumps; });
  const long count = 500;
  Import(std::vector<std::string>(static_cast<size_t>(count), Line(25, {{7, "Unknown"}})));
  EXPECT_EQ(Cell(count, kColMaterial), "Unknown");
  EXPECT_EQ(StockMaterials().size(), 100u);  // full: nothing could be added
  // Once per line, plus one for every ~50 ms the scans take (12.5 million before).
  EXPECT_LT(pumps, 2 * count);
}

// The memo of what the scans settled is forgotten when the operator changes the stock or the
// work list while events are let through, so the result is what scanning everything gives.
TEST_F(WorkListFilesTest, MissingMaterialsAreAddedAsAWholeScanWouldAlsoWhenTheOperatorEdits) {
  const struct {
    const char* name;
    std::vector<std::string> stock;
    long emptyRows;                      // after the stock's materials
    std::vector<std::string> materials;  // one line each
    long editAtPump;                     // the operator's edit, at that pump of events
    std::function<void()> edit;
    std::vector<std::string> expected;
  } cases[] = {
      {"no edits", {"OAK"}, 5, {"ash", "Ash", "OAK", "pine", "ASH"}, 0, nullptr, {"OAK", "ash", "pine"}},
      {"a row cleared in a full stock",
       {"S1", "S2", "S3"},
       0,
       {"ash", "ash", "ash", "ash"},
       3,
       [&] { program.SSList.SetCellText(2, 2, ""); },
       {"S1", "ash", "S3"}},
      {"an added material deleted",
       {"OAK"},
       5,
       {"ash", "pine", "ash"},
       3,
       [&] { program.SSList.SetCellText(2, 2, ""); },
       {"OAK", "ash", "pine"}},
      {"a later work-list row typed in",
       {"S1"},
       5,
       {"ash", "pine"},
       2,
       [&] { program.PList.SetCellText(5, kColMaterial, "elm"); },
       {"S1", "ash", "pine", "elm"}},
  };
  for (const auto& c : cases) {
    program.SSList.SetMaxRows(static_cast<long>(c.stock.size()) + c.emptyRows);
    for (long row = 1; row <= program.SSList.MaxRows(); ++row) program.SSList.SetCellText(row, 2, "");
    for (size_t i = 0; i < c.stock.size(); ++i)
      program.SSList.SetCellText(static_cast<long>(i) + 1, 2, c.stock[i]);
    program.LastStockMaterial.clear();
    long pump = 0;
    ui.SetProcessEventsHook([&] {
      if (++pump == c.editAtPump) c.edit();
    });
    std::vector<std::string> lines;
    for (const std::string& material : c.materials) lines.push_back(Line(25, {{7, material}}));
    ui.ClearMessages();
    Import(lines);
    EXPECT_EQ(StockMaterials(), c.expected) << c.name;
  }
}

TEST_F(WorkListFilesTest, BinaryGarbageImportsAsText) {
  std::string garbage = Line(25, {{7, "OAK"}});
  garbage += std::string("\x01\x02\xff\xfe", 4);  // not UTF-8: read in the Windows code page
  Import({std::string("\0\0\0,x,,,,,ASH", 11), garbage});
  EXPECT_EQ(Cell(1, kColQty), std::string("\0\0\0", 3));
  EXPECT_EQ(Cell(1, kColFileName), "x");
  EXPECT_EQ(Cell(2, kColSubName), "f25\x01\x02\xc3\xbf\xc3\xbe");
}

// Spreadsheets save "CSV UTF-8" with a byte-order mark and older programs in the Windows code
// page, and an editor may re-encode a saved list: a mark left in the first field made that
// row's quantity 0 and dropped the part. Import and Load read the same rows in every encoding.
TEST_F(WorkListFilesTest, ImportAndLoadReadTheSameRowsInEveryEncoding) {
  const std::string kitchen =
      "K\xC3\xBC"
      "che";
  const std::string oak = "Ch\xC3\xAAne 19";
  SetRow(1, {"1", "2", "T\xC3\xBCr.dxf", "2417", kitchen, "B1", "Fach \xE2\x80\x9Coben\xE2\x80\x9D", oak});
  const std::string savedFile = Folder("saved") + "Job.PRC";
  ASSERT_TRUE(program.PList.SaveGridFile(savedFile, true));

  struct ExpectedCell {
    long row;
    long col;
    std::string text;
  };
  const struct {
    const char* name;
    void (*command)(core::Program&);
    const char* dialogTitle;
    std::string file;
    std::string text;  // UTF-8
    std::vector<ExpectedCell> cells;
    bool quiet;  // no message at all
  } cases[] = {
      {"import",
       ImportWorkList,
       "Import Worklist to Process",
       Folder("lists") + "job.csv",
       "2,Door,2417," + kitchen + ",B1,T\xC3\xBCr links," + oak + "\r\n1,Part7,2417," + kitchen +
           ",B1,Fach,OAK\r\n",
       {{1, kColQty, "2"},
        {1, kColFileName, "Door"},
        {1, kColRoom, kitchen},
        {1, kColDescription, "T\xC3\xBCr links"},
        {1, kColMaterial, oak},
        {2, kColQty, "1"},
        {2, kColMaterial, "OAK"}},
       false},
      {"load",
       LoadWorkList,
       "Load Process List",
       savedFile,
       test_support::ReadText(savedFile),
       {{1, kColFileName, "T\xC3\xBCr.dxf"},
        {1, kColRoom, kitchen},
        {1, kColDescription, "Fach \xE2\x80\x9Coben\xE2\x80\x9D"},
        {1, kColMaterial, oak}},
       true},
  };
  for (const auto& c : cases) {
    ui.ClearMessages();
    for (const test_support::EncodedText& encoded : test_support::InEveryEncoding(c.text)) {
      ClearWorkList(program);
      SetStock({"OAK"});
      WriteText(c.file, encoded.bytes);
      ui.ExpectFileChoice(c.file, c.dialogTitle);
      c.command(program);
      for (const ExpectedCell& cell : c.cells) {
        EXPECT_EQ(Cell(cell.row, cell.col), cell.text) << c.name << ", " << encoded.what;
      }
    }
    if (c.quiet) {
      EXPECT_TRUE(ui.Messages().empty()) << c.name;
    }
  }
}

TEST_F(WorkListFilesTest, TheTickHandlerRestsWhileLinesAreRead) {
  std::vector<bool> procDuringImport;
  ui.SetProcessEventsHook([&] {
    EXPECT_TRUE(program.ImportingWorkList);
    procDuringImport.push_back(program.Input.ProcEnabled);
  });
  Import({Line(25, {{2, "Part7"}, {7, "OAK"}, {11, drawings}}), Line(25, {{7, "OAK"}})});
  EXPECT_EQ(procDuringImport, (std::vector<bool>{false, false}));
  EXPECT_TRUE(program.Input.ProcEnabled);
}

TEST_F(WorkListFilesTest, AnUnreadableListLeavesTheWorkListAsItWas) {
  SetRow(1, {"1", "2", "Keep.dxf", "", "", "", "", "OAK"});
  for (const std::string& file : {Folder("lists") + "missing.csv", Folder("a-folder")}) {
    ui.ClearMessages();
    ui.ExpectFileChoice(file);
    ImportWorkList(program);
    ASSERT_EQ(ui.Messages().size(), 1u) << file;
    EXPECT_NE(ui.LastMessage().text.find(file), std::string::npos);
    EXPECT_EQ(ui.LastMessage().title, "Alert!");
    EXPECT_EQ(Cell(1, kColFileName), "Keep.dxf");
    EXPECT_FALSE(program.ImportingWorkList);
    EXPECT_EQ(ui.CurrentPointer(), core::Pointer::Normal);
  }
}

TEST_F(WorkListFilesTest, CancelledImportAndLoadStillSortByMaterialAndClearMarks) {
  SetRow(1, {"1", "1", "b.dxf", "", "", "", "", "PINE"});
  SetRow(2, {"1", "1", "a.dxf", "", "", "", "", "ASH"});
  for (int command = 0; command < 2; ++command) {
    MarkWorkListRow(program, 1);
    program.SortOrder = 2;  // the closing sort is ascending whatever was sorted before
    program.LastSortColumn = kColMaterial;
    ui.ExpectFileChoice(std::nullopt);
    if (command == 0) {
      ImportWorkList(program);
    } else {
      LoadWorkList(program);
    }
    EXPECT_EQ(Cell(1, kColMaterial), "ASH") << command;
    EXPECT_EQ(Cell(2, kColMaterial), "PINE") << command;
    EXPECT_EQ(program.PList.BackColorAt(1, kColQty), grid::kWhite) << command;
    EXPECT_FALSE(program.ImportingWorkList);
    // Swap them back for the next command.
    SetRow(1, {"1", "1", "b.dxf", "", "", "", "", "PINE"});
    SetRow(2, {"1", "1", "a.dxf", "", "", "", "", "ASH"});
  }
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(WorkListFilesTest, SavedListLoadsBackWithItsUnitsAndSortedByMaterial) {
  SetRow(1, {"1", "2", "Side.dxf", "2417", "Kitchen", "B1", "Side \"left\", tall", "PINE", " 720", " 560",
             " 19"});
  SetRow(2, {"0", "1", "Back.dxf", "2417", "Kitchen", "B1", "Back", "ASH", " 700", " 500", " 6"});
  SetWorkListCell(program, 2, kColSubName, "2417-B1-06.DXF");
  const std::string file = Folder("saved") + "Job.PRC";
  ui.ExpectFileChoice(file, "Save Process List");
  SaveWorkList(program);
  const auto& saveDialog = ui.FileChoices().back();
  EXPECT_TRUE(saveDialog.save);
  EXPECT_EQ(saveDialog.choice.filters, (std::vector<core::FileFilter>{{"PRC (*.PRC)", {"*.prc"}}}));
  EXPECT_EQ(saveDialog.choice.defaultExt, ".PRC");

  ClearWorkList(program);
  program.MetricUnits = false;
  ui.ExpectFileChoice(file, "Load Process List");
  LoadWorkList(program);

  EXPECT_EQ(ui.FileChoices().back().choice.startFolder, Folder("saved"));
  EXPECT_TRUE(program.MetricUnits);  // row 1 is 700 long after the sort
  EXPECT_EQ(Cell(1, kColFileName), "Back.dxf");
  EXPECT_EQ(Cell(1, kColOk), "0");
  EXPECT_EQ(Cell(1, kColSubName), "2417-B1-06.DXF");
  EXPECT_EQ(Cell(2, kColDescription), "Side \"left\", tall");
  EXPECT_EQ(Cell(2, kColThick), " 19");
  EXPECT_EQ(Cell(0, kColMaterial), "Material");
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(WorkListFilesTest, AListThatCannotBeLoadedWholeLeavesTheWorkListUntouched) {
  // A work list the program saved itself, and a sheet-stock file: another grid's shape.
  SetRow(1, {"1", "2", "Top.dxf", "J", "R", "C", "Top", "PINE", " 720"});
  SetRow(2, {"0", "1", "Back.dxf", "J", "R", "C", "Back", "ASH", " 700"});
  const std::string savedFile = Folder("saved") + "Job.PRC";
  ASSERT_TRUE(program.PList.SaveGridFile(savedFile, true));
  const std::string saved = test_support::ReadText(savedFile);
  program.SSList.SetMaxCols(8);
  const std::string stockFile = Folder("saved") + "Mat.dat";
  ASSERT_TRUE(program.SSList.SaveGridFile(stockFile, true));
  const std::string stock = test_support::ReadText(stockFile);
  const size_t row1 = saved.find("cell\t1\t");
  const std::string row1Line =
      "line " + std::to_string(std::count(saved.begin(), saved.begin() + row1, '\n') + 1);

  const struct {
    const char* name;
    std::string bytes;
    std::string reason;
  } cases[] = {
      {"cut off inside row 1", saved.substr(0, row1 + 9), row1Line + ": the file breaks off"},
      {"first half of Mat.dat", stock.substr(0, stock.size() / 2), "line 2: 8 columns where 26 belong"},
      {"whole Mat.dat", stock, "line 2: 8 columns where 26 belong"},
      {"unknown record line", saved.substr(0, row1) + "colour\t1\tred\n" + saved.substr(row1),
       row1Line + ": unknown record"},
  };
  for (const auto& c : cases) {
    // Four rows on screen, not in material order, one ticked, one marked.
    ClearWorkList(program);
    SetRow(1, {"1", "1", "d.dxf", "", "", "", "", "WALNUT", " 700"});
    SetRow(2, {"0", "1", "c.dxf", "", "", "", "", "ASH", " 30"});
    SetRow(3, {"0", "1", "b.dxf", "", "", "", "", "PINE", " 30"});
    SetRow(4, {"0", "1", "a.dxf", "", "", "", "", "OAK", " 30"});
    MarkWorkListRow(program, 2);
    program.MetricUnits = true;
    program.SortOrder = 2;
    program.LastSortColumn = kColFileName;
    const long rowsBefore = program.PList.MaxRows();
    const std::string file = Folder("damaged") + "List.PRC";
    WriteText(file, c.bytes);
    ui.ClearMessages();
    ui.ExpectFileChoice(file, "Load Process List");
    LoadWorkList(program);

    ASSERT_EQ(ui.Messages().size(), 1u) << c.name;
    EXPECT_EQ(ui.LastMessage().text, "Work List Not Loaded:\r" + file + "\r" + c.reason) << c.name;
    EXPECT_EQ(program.PList.MaxCols(), kWorkListCols) << c.name;
    EXPECT_EQ(program.PList.MaxRows(), rowsBefore) << c.name;
    EXPECT_EQ(Cell(1, kColFileName), "d.dxf") << c.name;
    EXPECT_EQ(Cell(2, kColFileName), "c.dxf") << c.name;
    EXPECT_EQ(Cell(4, kColFileName), "a.dxf") << c.name;
    EXPECT_EQ(Cell(1, kColOk), "1") << c.name;
    EXPECT_EQ(program.PList.BackColorAt(2, kColQty), kMarkedRowColor) << c.name;
    EXPECT_TRUE(program.MetricUnits) << c.name;
    EXPECT_EQ(program.SortOrder, 2) << c.name;
    EXPECT_EQ(program.LastSortColumn, kColFileName) << c.name;
  }

  // The work list keeps its shape: a full 25-field import still fits.
  ui.ClearMessages();
  Import({Line(25, {{7, "OAK"}, {11, drawings}})});
  EXPECT_EQ(ui.CountMessages("Need No More Than"), 0u);
  EXPECT_EQ(Cell(1, kColSubName), "f25");
}

TEST_F(WorkListFilesTest, FilesThatCannotBeLoadedOrWrittenAreReported) {
  SetRow(1, {"1", "2", "Keep.dxf", "", "", "", "", "OAK"});
  const std::string foreign = Folder("saved") + "Future.PRC";
  WriteText(foreign, "TAVOLIN GRID\t99\tdata\nsize\t1\t26\ncell\t1\t3\tOther.dxf\nend\n");
  ui.ExpectFileChoice(foreign);
  LoadWorkList(program);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_NE(ui.LastMessage().text.find(foreign), std::string::npos);
  EXPECT_EQ(Cell(1, kColFileName), "Keep.dxf");

  ui.ClearMessages();
  const std::string nowhere = (root / "no-such-folder" / "x.PRC").string();
  ui.ExpectFileChoice(nowhere);
  SaveWorkList(program);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_NE(ui.LastMessage().text.find(nowhere), std::string::npos);
}

}  // namespace
}  // namespace tv::worklist::testing
