// The grid file: what is saved loads back exactly; damaged files are reported, never trusted.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "grid/grid.h"
#include "testing/encodings.h"
#include "testing/temp_folder.h"

namespace tv::grid {
namespace {

const std::vector<std::string> kAwkwardTexts = {
    "MEL-WHITE-19",     "tab\tinside",     "line\nbreak",
    "cr\rlf\r\n",       "comma, here",     "back\\slash \\t literal",
    "Ærø birch — ½\"",  "  blanks kept  ", "end",
    "cell\t1\t1\tfake", "\"quoted\"",      std::string("nul\0byte", 8),
    "caf\xE9 \xFF",  // bytes that are no UTF-8 (a file name from another system)
    "C:\\x41"};

void FillAwkward(Grid& g) {
  g.SetMaxRows(static_cast<long>(kAwkwardTexts.size()));
  g.SetMaxCols(3);
  g.SetHeaders({"OK", "Sheet Stock Material", "Drop"});
  for (size_t i = 0; i < kAwkwardTexts.size(); ++i) {
    g.SetCellText(static_cast<long>(i) + 1, 2, kAwkwardTexts[i]);
    g.SetCellText(static_cast<long>(i) + 1, 3, std::to_string(i));
  }
}

void ExpectSameTexts(const Grid& a, const Grid& b) {
  ASSERT_EQ(a.MaxRows(), b.MaxRows());
  ASSERT_EQ(a.MaxCols(), b.MaxCols());
  for (long r = 0; r <= a.MaxRows(); ++r) {
    for (long c = 1; c <= a.MaxCols(); ++c) ASSERT_EQ(a.CellText(r, c), b.CellText(r, c)) << r << "," << c;
  }
}

class TempDir : public ::testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return temp_.Path() + name; }
  test_support::TempFolder temp_;
};

TEST(GridFile, DataRoundTripKeepsEveryText) {
  Grid saved(0, 0);
  FillAwkward(saved);
  Grid loaded(2, 9);
  loaded.SetCellText(2, 9, "old");
  std::string error;
  ASSERT_TRUE(loaded.LoadGridText(saved.SaveGridText(true), &error)) << error;
  ExpectSameTexts(saved, loaded);
}

TEST(GridFile, DataOnlyFileKeepsTheGridsOwnColumnFormats) {
  Grid saved(2, 2);
  saved.SetCellText(1, 1, "1");
  saved.SetCellText(1, 2, "OAK");
  Grid stock(5, 2);
  stock.SetRow(-1);
  stock.SetCol(1);
  stock.SetCellKind(Kind::CheckBox);
  stock.SetCol(2);
  stock.SetCellKind(Kind::Choice);
  stock.SetChoiceList("RED OAK\tOAK");
  stock.SetBackColorAt(1, 2, MakeRgb(255, 0, 0));
  ASSERT_TRUE(stock.LoadGridText(saved.SaveGridText(true)));
  EXPECT_EQ(stock.MaxRows(), 2);
  EXPECT_EQ(stock.CellKindAt(1, 1), Kind::CheckBox);
  EXPECT_EQ(stock.CheckValueAt(1, 1), 1);
  EXPECT_EQ(stock.ChoiceIndexAt(1, 2), 1);
  EXPECT_EQ(stock.BackColorAt(1, 2), kWhite);  // a cell's own format is not data
}

TEST(GridFile, FullRoundTripKeepsFormats) {
  Grid saved(3, 4);
  saved.SetRow(-1);
  saved.SetCol(1);
  saved.SetCellKind(Kind::CheckBox);
  saved.SetCellBackColor(MakeRgb(192, 192, 192));
  saved.SetColumnHiddenAt(1, true);
  saved.SetColumnWidth(2, 12.5);
  saved.SetCellKindAt(2, 2, Kind::Choice);
  saved.SetChoiceListAt(2, 2, "DXF Font\tSans\tSans");
  saved.SetChoiceIndexAt(2, 2, 2);
  saved.SetCellKindAt(3, 2, Kind::CheckBox);
  saved.SetCheckCaptionAt(3, 2, " Yes\twith tab");
  saved.SetCheckValueAt(3, 2, 1);
  saved.SetBackColorAt(1, 4, MakeRgb(250, 250, 0));

  Grid loaded(1, 1);
  std::string error;
  ASSERT_TRUE(loaded.LoadGridText(saved.SaveGridText(false), &error)) << error;
  EXPECT_EQ(loaded.SaveGridText(false), saved.SaveGridText(false));
  ExpectSameTexts(saved, loaded);
  EXPECT_TRUE(loaded.IsColumnHidden(1));
  EXPECT_DOUBLE_EQ(loaded.ColumnWidth(2), 12.5);
  EXPECT_EQ(loaded.CellKindAt(3, 1), Kind::CheckBox);
  EXPECT_EQ(loaded.BackColorAt(3, 1), MakeRgb(192, 192, 192));
  EXPECT_EQ(loaded.ChoiceIndexAt(2, 2), 2);
  EXPECT_EQ(loaded.ChoiceListAt(2, 2), "DXF Font\tSans\tSans");
  EXPECT_EQ(loaded.CheckCaptionAt(3, 2), " Yes\twith tab");
  EXPECT_EQ(loaded.BackColorAt(1, 4), MakeRgb(250, 250, 0));
  // The column's format still reaches rows added later.
  loaded.SetMaxRows(4);
  EXPECT_EQ(loaded.CellKindAt(4, 1), Kind::CheckBox);
}

TEST(GridFile, LoadingRaisesNoClicks) {
  // Rows that arrive ticked from a file are not the operator's ticks.
  Grid saved(1, 1);
  saved.SetCellText(1, 1, "1");
  Grid g(1, 1);
  g.SetRow(-1);
  g.SetCol(1);
  g.SetCellKind(Kind::CheckBox);
  int clicks = 0;
  g.Events().ButtonClicked = [&](long, long, int) { ++clicks; };
  ASSERT_TRUE(g.LoadGridText(saved.SaveGridText(true)));
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(g.CheckValueAt(1, 1), 1);
}

TEST(GridFile, FilesThatAreNotOursLeaveTheGridAlone) {
  Grid saved(1, 1);
  saved.SetCellText(1, 1, "x");
  std::string good = saved.SaveGridText(true);
  std::string future = good;
  future.replace(future.find("\t1\t"), 3, "\t2\t");
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"empty", ""},
      {"foreign", "OK,Material,Drop\n1,OAK,0\n"},
      {"unknown version", future},
      {"binary", std::string("\x00\xff\x13\x37garbage\n\x01", 13)},
      {"huge size", "TAVOLIN GRID\t1\tdata\nsize\t99999999999\t8\nend\n"},
      {"too many cells", "TAVOLIN GRID\t1\tdata\nsize\t100000\t11\nend\n"},
      {"negative size", "TAVOLIN GRID\t1\tdata\nsize\t-1\t8\nend\n"},
      {"header only", "TAVOLIN GRID\t1\tdata\n"},
  };
  for (const auto& c : cases) {
    Grid g(2, 2);
    g.SetCellText(2, 2, "before");
    std::string error;
    EXPECT_FALSE(g.LoadGridText(c.text, &error)) << c.name;
    EXPECT_FALSE(error.empty()) << c.name;
    EXPECT_EQ(g.MaxRows(), 2) << c.name;
    EXPECT_EQ(g.CellText(2, 2), "before") << c.name;
  }
}

TEST(GridFile, DamagedFilesLeaveTheGridOrKeepWhatWasReadAsAsked) {
  Grid saved(3, 2);
  saved.SetCellText(1, 1, "first");
  saved.SetCellText(2, 1, "second");
  saved.SetCellText(3, 1, "third");
  const std::string good = saved.SaveGridText(true);
  const size_t third = good.find("cell\t3");
  const struct {
    const char* name;
    std::string text;
    const char* line;  // the line the reason names
    bool secondKept;
    bool thirdKept;
  } cases[] = {
      {"no end", good.substr(0, good.find("end\n")), "line 5:", true, true},
      {"cut inside a record", good.substr(0, third + 8), "line 5:", true, false},
      {"cut inside a text", good.substr(0, third + 11), "line 5:", true, false},
      {"bad record", good.substr(0, third) + "cell\t3\n" + good.substr(third), "line 5:", true, false},
      {"cell out of range", good.substr(0, good.find("cell\t2")) + "cell\t9\t1\tx\n", "line 4:", false,
       false},
      {"garbage line", good.substr(0, third) + "\x01\x02\n" + good.substr(third), "line 5:", true, false},
  };
  for (const auto& c : cases) {
    // Refused: nothing of the file reaches the grid, and the observers hear nothing.
    Grid whole(5, 5);
    whole.SetCellText(5, 5, "before");
    whole.AddSelection({1, 1, 2, 2});
    const unsigned long revision = whole.Revision();
    std::string error;
    EXPECT_FALSE(whole.LoadGridText(c.text, &error)) << c.name;
    EXPECT_EQ(error.rfind(c.line, 0), 0u) << c.name << ": " << error;
    EXPECT_EQ(whole.MaxRows(), 5) << c.name;
    EXPECT_EQ(whole.MaxCols(), 5) << c.name;
    EXPECT_EQ(whole.CellText(5, 5), "before") << c.name;
    EXPECT_EQ(whole.CellText(1, 1), "") << c.name;
    EXPECT_EQ(whole.SelectionCount(), 1) << c.name;
    EXPECT_EQ(whole.Revision(), revision) << c.name;

    // Kept: what came before the fault replaces the grid, and the reason is the same.
    Grid g(5, 5);
    g.SetCellText(5, 5, "before");
    std::string keptError;
    EXPECT_FALSE(g.LoadGridText(c.text, &keptError, {PartialLoad::KeepRowsRead})) << c.name;
    EXPECT_EQ(keptError, error) << c.name;
    EXPECT_EQ(g.MaxRows(), 3) << c.name;
    EXPECT_EQ(g.CellText(1, 1), "first") << c.name;
    EXPECT_EQ(g.CellText(2, 1), c.secondKept ? "second" : "") << c.name;
    EXPECT_EQ(g.CellText(3, 1), c.thirdKept ? "third" : "") << c.name;
  }
}

TEST(GridFile, AFileOfAnotherColumnCountIsRefusedWhenTheColumnsAreFixed) {
  Grid stock(4, 8);
  stock.SetCellText(1, 2, "OAK");
  const std::string stockFile = stock.SaveGridText(true);
  Grid workList(3, 26);
  workList.SetCellText(1, 3, "Side.dxf");
  for (const auto partial : {PartialLoad::Refuse, PartialLoad::KeepRowsRead}) {
    std::string error;
    EXPECT_FALSE(workList.LoadGridText(stockFile, &error, {partial, 26}));
    EXPECT_EQ(error, "line 2: 8 columns where 26 belong");
    EXPECT_EQ(workList.MaxCols(), 26);
    EXPECT_EQ(workList.CellText(1, 3), "Side.dxf");
  }
  // Without the rule the file brings its own shape.
  EXPECT_TRUE(workList.LoadGridText(stockFile));
  EXPECT_EQ(workList.MaxCols(), 8);
}

TEST(GridFile, LoadWholePutsTheCopyInPlaceOnlyWhenTheFillSucceeds) {
  Grid g(2, 2);
  g.SetCellText(1, 1, "kept");
  g.SetCellKindAt(2, 2, Kind::CheckBox);
  int clicks = 0;
  g.Events().ButtonClicked = [&](long, long, int) { ++clicks; };
  const unsigned long revision = g.Revision();

  EXPECT_FALSE(g.LoadWhole([](Grid& copy) {
    // The copy starts as the grid is.
    EXPECT_EQ(copy.CellText(1, 1), "kept");
    EXPECT_EQ(copy.CellKindAt(2, 2), Kind::CheckBox);
    copy.SetMaxRows(1);
    copy.SetCellText(1, 1, "half");
    return false;
  }));
  EXPECT_EQ(g.MaxRows(), 2);
  EXPECT_EQ(g.CellText(1, 1), "kept");
  EXPECT_EQ(g.Revision(), revision);

  EXPECT_TRUE(g.LoadWhole([](Grid& copy) {
    copy.SetCheckValueAt(2, 2, 1);
    copy.SetCellText(1, 1, "new");
    return true;
  }));
  EXPECT_EQ(g.CellText(1, 1), "new");
  EXPECT_EQ(g.CheckValueAt(2, 2), 1);
  EXPECT_NE(g.Revision(), revision);
  // Filling the copy raised nothing on the grid's own handlers.
  EXPECT_EQ(clicks, 0);
}

TEST(GridFile, CrLfLineEndsStillLoad) {
  Grid saved(0, 0);
  FillAwkward(saved);
  std::string text = saved.SaveGridText(true);
  std::string crlf;
  for (char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  Grid loaded(1, 1);
  ASSERT_TRUE(loaded.LoadGridText(crlf));
  ExpectSameTexts(saved, loaded);
}

TEST_F(TempDir, SaveAndLoadThroughTheDisk) {
  Grid saved(0, 0);
  FillAwkward(saved);
  const std::string path = PathOf("Mat.dat");
  std::string error;
  ASSERT_TRUE(saved.SaveGridFile(path, true, &error)) << error;
  Grid loaded(1, 1);
  ASSERT_TRUE(loaded.LoadGridFile(path, &error)) << error;
  ExpectSameTexts(saved, loaded);
  // Nothing else is left in the folder (no temporary files).
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp_.Path()), {}), 1);
}

// A stock list or pull list opened and saved again in a Windows editor may come back marked,
// in UTF-16 or in the Windows code page.
TEST_F(TempDir, FilesReEncodedByAnEditorLoadTheSame) {
  Grid saved(0, 0);
  FillAwkward(saved);
  const std::string path = PathOf("Mat.dat");
  for (const bool dataOnly : {true, false}) {
    for (const test_support::EncodedText& encoded :
         test_support::InEveryEncoding(saved.SaveGridText(dataOnly))) {
      test_support::WriteText(path, encoded.bytes);
      Grid loaded(1, 1);
      std::string error;
      ASSERT_TRUE(loaded.LoadGridFile(path, &error)) << encoded.what << ": " << error;
      ExpectSameTexts(saved, loaded);
    }
  }
}

// Our files give a cell's format before its text; a file written otherwise must read the same.
TEST(GridFile, AChoiceTextGivenBeforeItsFormatSelectsItsItem) {
  Grid g(0, 0);
  ASSERT_TRUE(g.LoadGridText(
      "TAVOLIN GRID\t1\tfull\nsize\t1\t2\ncell\t1\t2\tB\nformat\t1\t2\t8\t255\t\tA\\tB\t19\nend\n"));
  EXPECT_EQ(g.ChoiceIndexAt(1, 2), 1);
  Grid again(0, 0);
  ASSERT_TRUE(again.LoadGridText(g.SaveGridText(false)));
  EXPECT_EQ(again.SaveGridText(false), g.SaveGridText(false));
}

TEST_F(TempDir, FailuresAreReported) {
  Grid g(1, 1);
  g.SetCellText(1, 1, "kept");
  std::string error;
  EXPECT_FALSE(g.LoadGridFile(PathOf("missing.dat"), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(g.CellText(1, 1), "kept");
  error.clear();
  EXPECT_FALSE(g.SaveGridFile(PathOf("no/such/folder/Mat.dat"), true, &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace tv::grid
