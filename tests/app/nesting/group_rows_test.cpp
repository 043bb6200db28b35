// Work-list rows taken into a material group: which rows count, the part they become, their
// CSV text and the cabinet sequence numbers.
#include "nesting/group_rows.h"

#include <gtest/gtest.h>

#include <string>

namespace tv::nesting {
namespace {

// "c" followed by the column number.
std::string ColumnText(int c) {
  std::string text = "c";
  text += std::to_string(c);
  return text;
}

// A full 26-column row whose cell c holds "c<c>" unless set otherwise.
RowCells NumberedRow() {
  RowCells cells(27);
  for (int c = 1; c <= 26; ++c) cells[static_cast<std::size_t>(c)] = ColumnText(c);
  cells[26].clear();
  return cells;
}

TEST(RowDrawingFile, AppendsDxfUnlessAnyCaseEndsInIt) {
  struct Case {
    const char* cell;
    const char* file;
  } cases[] = {
      {"Door1", "Door1.DXF"}, {"door1.dxf", "door1.dxf"}, {"Door1.Dxf", "Door1.Dxf"}, {"A.DX", "A.DX.DXF"}};
  for (const Case& c : cases) EXPECT_EQ(RowDrawingFile(c.cell), c.file) << c.cell;
}

TEST(RowIsTaken, NeedsATickThatRoundsAboveZeroAndANameLongerThanFour) {
  struct Case {
    const char* ok;
    const char* name;
    bool taken;
  } cases[] = {
      {"1", "Door1.dxf", true},    {"0", "Door1.dxf", false},  {"0.4", "Door1.dxf", false},
      {"0.5", "Door1.dxf", false},  // halves round to the even neighbour
      {"1.5", "Door1.dxf", true},  {" 1", "Door1.dxf", true},  {"", "Door1.dxf", false},
      {"1", "A.DX", false},        {"1", "   A.DX   ", false}, {"1", "ABCDE", true},
      {"1", "Türe", false},  // four characters, even though five bytes
  };
  for (const Case& c : cases) {
    RowCells cells = NumberedRow();
    cells[1] = c.ok;
    cells[3] = c.name;
    EXPECT_EQ(RowIsTaken(cells), c.taken) << "OK '" << c.ok << "' name '" << c.name << "'";
  }
}

TEST(RowCsvText, QuotesColumnsTwoToTwentyFiveWithoutBlanks) {
  RowCells cells = NumberedRow();
  std::string expected = "\"c2";
  for (int c = 3; c <= 25; ++c) {
    expected += "\",\"";
    expected += ColumnText(c);
  }
  expected += "\"";
  EXPECT_EQ(RowCsvText(cells), expected);
}

// The text between the first and the second quote-comma-quote.
std::string SecondField(const std::string& csv) {
  const std::size_t start = csv.find("\",\"") + 3;
  return csv.substr(start, csv.find("\",\"", start) - start);
}

TEST(RowCsvText, SubNameStandsForTheFileName) {
  struct Case {
    const char* fileName;
    const char* subName;
    const char* field;
  } cases[] = {
      {"B1_Door.dxf", "DOOR1.DXF", "DOOR1"},
      {"B1_Door.dxf", "door1.dxf", "door1.dxf"},  // only the upper-case extension is dropped
      {"B1_Door.dxf", "", "B1_Door.dxf"},
  };
  for (const Case& c : cases) {
    RowCells cells = NumberedRow();
    cells[3] = c.fileName;
    cells[26] = c.subName;
    EXPECT_EQ(SecondField(RowCsvText(cells)), c.field) << c.subName;
  }
}

TEST(RowCsvText, LongFoldersKeepEveryField) {
  RowCells cells = NumberedRow();
  cells[12] = "/home/shop/jobs/" + std::string(600, 'x') + "/";
  const std::string csv = RowCsvText(cells);
  EXPECT_GT(csv.size(), 600u);
  EXPECT_EQ(csv.substr(csv.size() - 6), ",\"c25\"");
}

TEST(MakeGroupPart, TakesEachValueFromItsColumn) {
  RowCells cells = NumberedRow();
  cells[2] = " 2.5";
  cells[3] = "B1_Door";
  cells[6] = "  B1 ";
  cells[7] = "Door";
  cells[9] = " 596";
  cells[10] = " 716.5";
  cells[11] = " 19";
  cells[12] = "/jobs/2417/";
  cells[23] = " 1";
  cells[24] = "-3.25";
  cells[25] = " 4";
  const GroupPart part = MakeGroupPart(cells, 7, "OAK19");
  EXPECT_EQ(part.DrawingPath, "/jobs/2417/B1_Door.DXF");
  EXPECT_DOUBLE_EQ(part.Length, 596);
  EXPECT_DOUBLE_EQ(part.Width, 716.5);
  EXPECT_DOUBLE_EQ(part.Thickness, 19);
  EXPECT_EQ(part.Material, "OAK19");
  EXPECT_EQ(part.Qty, 2);  // 2.5 rounds to the even 2
  EXPECT_EQ(part.Cabinet, "  B1 ");
  EXPECT_EQ(part.SortKey, "B1");
  EXPECT_EQ(part.Description, "Door");
  EXPECT_EQ(part.Rotatable, 1);
  EXPECT_DOUBLE_EQ(part.XOfs, -3.25);
  EXPECT_DOUBLE_EQ(part.YOfs, 4);
  EXPECT_EQ(part.EMat, (std::array<std::string, 4>{"c13", "c15", "c17", "c19"}));
  EXPECT_EQ(part.ECo, (std::array<std::string, 4>{"c14", "c16", "c18", "c20"}));
  EXPECT_EQ(part.WorkListRow, 7);
  EXPECT_EQ(part.CsvText, RowCsvText(cells));
}

std::vector<int> SequenceOf(std::initializer_list<const char*> cabinets) {
  std::vector<GroupPart> parts;
  for (const char* cabinet : cabinets) {
    GroupPart part;
    part.SortKey = cabinet;
    parts.push_back(part);
  }
  return CabinetSequence(parts);
}

TEST(CabinetSequence, EachPartGetsTheNumberOfItsOwnCabinet) {
  EXPECT_EQ(SequenceOf({"B", "A", "A  "}), (std::vector<int>{2, 1, 1}));
  EXPECT_EQ(SequenceOf({"W2", "b1", "B1", "T1", "W2"}), (std::vector<int>{3, 1, 1, 2, 3}));
  EXPECT_EQ(SequenceOf({"", "B", "  "}), (std::vector<int>{0, 1, 0}));  // no cabinet keeps 0
  EXPECT_EQ(SequenceOf({"B10", "B9"}), (std::vector<int>{1, 2}));       // text order, not numeric
  EXPECT_TRUE(SequenceOf({}).empty());
}

}  // namespace
}  // namespace tv::nesting
