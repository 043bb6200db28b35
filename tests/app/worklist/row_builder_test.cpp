// The row builder on the sample job: what a row holds, the unit kind of the list, the
// material question, bad batches and where new rows go.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "files/files.h"
#include "worklist/input_window.h"
#include "worklist/row_builder.h"
#include "worklist/work_list.h"
#include "worklist_fixture.h"

namespace tv::worklist::testing {
namespace {

using core::MsgIcon;
using core::MsgResult;

// prefix, n and ".dxf" (built by appending: GCC 12 warns wrongly about "x" + std::string).
std::string NumberedName(const char* prefix, size_t n) {
  std::string name(prefix);
  name += std::to_string(n);
  name += ".dxf";
  return name;
}

const char* kNoMaterialQuestion = "Material requested by panel was not found in Sheet Stock library.";

class RowBuilderTest : public WorkListTest {
 protected:
  void SetUp() override {
    InstallWorkListEvents(program);
    SetStock({"WHITE MELAMINE 19", "WHITE HARDBOARD 6", "WHITE MELAMINE 3/4", "PAINT GRADE MDF 19"});
    SPath_Change(program, SampleFolder("Parts"));
  }
  // One batch of drawings of the source folder, as the "\V/" button and the batch watcher run it.
  void AddBatch(const std::vector<std::string>& names) {
    program.BadBatch = false;
    program.MetricUnits = false;
    AddToProc(program, kStartMarker);
    for (const std::string& name : names) AddToProc(program, name);
    AddToProc(program, kFinishMarker);
  }
  // A copy of a sample drawing in the folder "variants" with texts replaced and entities added.
  std::string Variant(const std::string& sample, const std::string& name,
                      const std::vector<std::pair<std::string, std::string>>& replacements,
                      const std::string& extraEntities = "") {
    std::string text = *files::ReadFile(SampleFolder("Parts") + sample);
    for (const auto& [from, to] : replacements) {
      for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
      }
    }
    if (!extraEntities.empty()) text.insert(text.find("ENTITIES\r\n") + 10, extraEntities);
    const std::string folder = Folder("variants");
    WriteText(folder + name, text);
    return folder;
  }
  std::vector<std::string> RowCells(long row) {
    std::vector<std::string> cells;
    for (long col = 1; col <= kWorkListCols; ++col) cells.push_back(Cell(row, col));
    return cells;
  }
  std::string Oks(long rows) {
    std::string oks;
    for (long row = 1; row <= rows; ++row) oks += Cell(row, kColOk).empty() ? "_" : Cell(row, kColOk);
    return oks;
  }
};

TEST_F(RowBuilderTest, ARowHoldsTheDrawingsFieldsAndItsMeasuredBorder) {
  AddBatch({"B1_Stretcher.dxf", "B1_Door.dxf"});
  const std::string parts = SampleFolder("Parts");
  EXPECT_EQ(RowCells(1), (std::vector<std::string>{"1",
                                                   "2",
                                                   "B1_Stretcher.dxf",
                                                   "2417",
                                                   "Kitchen",
                                                   "B1",
                                                   "Stretcher",
                                                   "WHITE MELAMINE 19",
                                                   " 562",
                                                   " 100",
                                                   " 19",
                                                   parts,
                                                   "WHITE PVC 0.5MM",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   "1",
                                                   " 0",
                                                   " 0",
                                                   "2417-B1-04.DXF"}));
  // "Fixed" is not "Rotatable".
  EXPECT_EQ(Cell(2, kColRotatable), "0");
  EXPECT_EQ(program.BatchUnitState, 1);
  EXPECT_TRUE(program.MetricUnits);
  EXPECT_EQ(program.LastFilledRow, 2);
  EXPECT_TRUE(program.RowMaterialMissing.empty());
}

TEST_F(RowBuilderTest, QuantityIsOneUnlessTheFieldHoldsAPositiveNumber) {
  const std::vector<std::pair<std::string, std::string>> cases = {{"Quantity: 3", "3"},
                                                                  {"Quantity: 0", "1"},
                                                                  {"Quantity: -2", "1"},
                                                                  {"Quantity: many", "1"},
                                                                  {"Kount: 5", "1"}};
  std::vector<std::string> names;
  std::string folder;
  for (size_t i = 0; i < cases.size(); ++i) {
    names.push_back(NumberedName("q", i));
    folder = Variant("B1_Back.dxf", names.back(), {{"Quantity: 1", cases[i].first}});
  }
  SPath_Change(program, folder);
  AddBatch(names);
  for (size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(Cell(static_cast<long>(i) + 1, kColQty), cases[i].second) << cases[i].first;
  }
}

TEST_F(RowBuilderTest, MaterialsMissingFromStockAreAskedAboutAtTheFinish) {
  // The doors are PAINT GRADE MDF 19; the drawing without a material gets "No Material".
  const std::string folder =
      Variant("B1_Back.dxf", "Bare.dxf", {{"Material: WHITE HARDBOARD 6", "Material:"}});
  std::filesystem::copy_file(SampleFolder("Parts") + "B1_Door.dxf", folder + "B1_Door.dxf");
  std::filesystem::copy_file(SampleFolder("Parts") + "B1_Back.dxf", folder + "B1_Back.dxf");
  SPath_Change(program, folder);
  SetStock({"WHITE MELAMINE 19", "WHITE HARDBOARD 6", "WHITE MELAMINE 3/4"});

  ui.ExpectQuestion(kNoMaterialQuestion, MsgResult::No);
  AddBatch({"B1_Door.dxf", "B1_Back.dxf", "Bare.dxf"});
  EXPECT_EQ(Cell(3, kColMaterial), "No Material");
  EXPECT_EQ(Oks(3), "010");
  ASSERT_EQ(ui.Messages().size(), 2u);
  EXPECT_EQ(ui.Messages()[0].text,
            std::string(kNoMaterialQuestion) + "\rDo you wish to add material descriptions to library?");
  EXPECT_EQ(ui.Messages()[0].title, "Query");
  EXPECT_EQ(ui.Messages()[0].icon, MsgIcon::None);
  EXPECT_EQ(
      ui.LastMessage().text,
      "There are panels in this batch that will not nest.\rReason: Material not in Stock Sheet Library");
  EXPECT_EQ(ui.LastMessage().title, "Alert");
  EXPECT_EQ(ui.LastMessage().icon, MsgIcon::Information);
  EXPECT_EQ(StockMaterials().size(), 3u);

  ClearWorkList(program);
  ui.ClearMessages();
  ui.ExpectQuestion(kNoMaterialQuestion, MsgResult::Yes);
  AddBatch({"B1_Door.dxf", "B1_Back.dxf", "Bare.dxf"});
  EXPECT_EQ(Oks(3), "111");
  EXPECT_EQ(ui.Messages().size(), 1u);  // no "Alert"
  EXPECT_EQ(StockMaterials(),
            (std::vector<std::string>{"WHITE MELAMINE 19", "WHITE HARDBOARD 6", "WHITE MELAMINE 3/4",
                                      "PAINTGRADEMDF19", "NoMaterial"}));
  EXPECT_TRUE(program.Input.ProcEnabled);
}

TEST_F(RowBuilderTest, TheFirstRowFixesTheUnitsAndLaterRowsOfTheOtherKindWillNotNest) {
  AddBatch({"B1_Back.dxf"});  // 6 thick: metric
  EXPECT_EQ(program.BatchUnitState, 1);

  // An inch drawing into the metric list; its material is not in stock either, but a
  // conflicting row is not offered to the material question.
  SetStock({"WHITE MELAMINE 19", "WHITE HARDBOARD 6", "PAINT GRADE MDF 19"});
  SPath_Change(program, SampleFolder("InchJob"));
  AddBatch({"V1_Shelf.dxf"});
  EXPECT_EQ(Cell(2, kColThick), " 0.75");
  EXPECT_EQ(Oks(2), "10");
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().text,
            "There are panels in this batch that will not nest.\rReason: Inch/Metric conflict");
  EXPECT_EQ(program.BatchUnitState, 1);
  EXPECT_TRUE(program.MetricUnits);

  // A cleared list takes the unit kind of its next first row; an inch list stays in inches.
  ClearWorkList(program);
  ui.ClearMessages();
  SetStock({"WHITE MELAMINE 3/4"});
  AddBatch({"V1_Shelf.dxf", "V1_Bottom.dxf"});
  EXPECT_EQ(program.BatchUnitState, 2);
  EXPECT_FALSE(program.MetricUnits);
  EXPECT_EQ(Oks(2), "11");
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(RowBuilderTest, ADrawingWithoutBorderWillNotNestAndThatReasonWinsOverUnits) {
  const std::string folder = Variant("B1_Back.dxf", "NoBorder.dxf", {{"BORDER_Z6", "OUTLINE_Z6"}});
  SPath_Change(program, folder);
  AddBatch({"NoBorder.dxf"});
  EXPECT_EQ(Cell(1, kColLength), " 0");
  EXPECT_EQ(Oks(1), "0");
  EXPECT_EQ(ui.LastMessage().text,
            "There are panels in this batch that will not nest.\rReason: Dimension missing");
  // A first row of thickness 0 makes the list an inch list.
  EXPECT_EQ(program.BatchUnitState, 2);

  // Metric list: the borderless row conflicts in units too; the reason is the missing size.
  ClearWorkList(program);
  ui.ClearMessages();
  std::filesystem::copy_file(SampleFolder("Parts") + "B1_Back.dxf", folder + "B1_Back.dxf");
  AddBatch({"B1_Back.dxf", "NoBorder.dxf"});
  EXPECT_EQ(Oks(2), "10");
  EXPECT_EQ(ui.LastMessage().text,
            "There are panels in this batch that will not nest.\rReason: Dimension missing");
}

TEST_F(RowBuilderTest, ADrawingThatCannotBeLoadedAddsNothingAndSaysNothing) {
  AddBatch({"B1_Back.dxf", "Nowhere.dxf", "B1_Shelf.dxf"});
  EXPECT_EQ(Cell(2, kColFileName), "B1_Shelf.dxf");
  EXPECT_EQ(Cell(3, kColFileName), "");
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(RowBuilderTest, NewRowsFillTheFirstGapAndNeverWriteOverAFilledRow) {
  program.PList.SetMaxRows(8);
  for (long row = 1; row <= 5; ++row)
    SetRow(row, {"1", "1", NumberedName("old", static_cast<size_t>(row)), "", "", "", "", "OAK"});
  SetRow(7, {"1", "4", "kept.dxf", "", "", "", "", "OAK"});
  SetWorkListCell(program, 6, kColECo1, "stale");  // a row without file name is free

  AddBatch({"B1_Back.dxf", "B1_Back.dxf", "B1_Shelf.dxf", "B1_Door.dxf"});
  EXPECT_EQ(Cell(6, kColFileName), "B1_Back.dxf");
  EXPECT_EQ(Cell(6, kColECo1), "");
  EXPECT_EQ(Cell(7, kColFileName), "kept.dxf");
  EXPECT_EQ(Cell(7, kColQty), "4");
  // The same drawing again is a further row.
  EXPECT_EQ(Cell(8, kColFileName), "B1_Back.dxf");
  // Rows past the end of the grid are added.
  EXPECT_EQ(program.PList.MaxRows(), 10);
  EXPECT_EQ(Cell(9, kColFileName), "B1_Shelf.dxf");
  EXPECT_EQ(Cell(10, kColFileName), "B1_Door.dxf");
  EXPECT_EQ(program.LastFilledRow, 10);
}

TEST_F(RowBuilderTest, TheAddButtonTakesTheSelectedDrawingsAndWarnsOfSeveralBorderLayers) {
  const std::string line =
      "  0\r\nLINE\r\n  8\r\nBORDER_Z7\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n 30\r\n0.0\r\n"
      " 11\r\n10.0\r\n 21\r\n0.0\r\n 31\r\n0.0\r\n";
  const std::string folder = Variant("B1_Back.dxf", "Twice.dxf", {}, line);
  for (const char* name : {"B1_Shelf.dxf", "B1_Bottom.dxf", "B1_Back.dxf"}) {
    std::filesystem::copy_file(SampleFolder("Parts") + name, folder + name);
  }
  SPath_Change(program, folder);
  ASSERT_EQ(program.Input.SourceList.Items,
            (std::vector<std::string>{"B1_Back.dxf", "B1_Bottom.dxf", "B1_Shelf.dxf", "Twice.dxf"}));
  program.PList.SetMaxRows(1);

  program.Input.SourceList.Selected = {false, true, true, false};
  AddFile_Click(program);
  EXPECT_EQ(Cell(1, kColFileName), "B1_Bottom.dxf");
  EXPECT_EQ(Cell(2, kColFileName), "B1_Shelf.dxf");
  EXPECT_EQ(Cell(3, kColFileName), "");
  EXPECT_EQ(program.PList.MaxRows(), 4);  // at least one row per listed drawing
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_TRUE(program.Input.ProcEnabled);

  program.Input.SourceList.Selected = {false, false, false, true};
  AddFile_Click(program);
  EXPECT_EQ(Cell(3, kColFileName), "Twice.dxf");
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().text, "Drawings Contain More Than One Border Layer!");
  EXPECT_EQ(ui.LastMessage().title, "Warning!");
  EXPECT_EQ(ui.LastMessage().icon, MsgIcon::Critical);
}

TEST_F(RowBuilderTest, AddingNothingToAnEmptyListLeavesInches) {
  program.MetricUnits = true;
  AddFile_Click(program);
  EXPECT_FALSE(program.MetricUnits);
  EXPECT_EQ(program.BatchUnitState, 0);
  EXPECT_FALSE(program.Input.ProcEnabled);
  EXPECT_TRUE(ui.Messages().empty());
}

}  // namespace
}  // namespace tv::worklist::testing
