// The sample program folder end to end without windows: start-up with its configuration and
// sheet stock, the whole kitchen job added, verified, saved and loaded back, and the inch job
// refused by the metric list.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "stock/stock_window.h"
#include "support/ini.h"
#include "text/number_text.h"
#include "worklist/input_window.h"
#include "worklist/row_builder.h"
#include "worklist/work_list.h"
#include "worklist/worklist_files.h"
#include "worklist_fixture.h"

namespace tv::worklist::testing {
namespace {

class SampleJobTest : public WorkListTest {
 protected:
  void SetUp() override {
    for (const char* name : {"Tavo.CFG", "Mat.dat"}) {
      std::filesystem::copy_file(std::string(TAVOLIN_SOURCE_DIR) + "/samples/" + name, program.AppDir + name);
    }
    support::WriteIni(program, "Config", "SourceDir", SampleFolder("Parts"));
    // The printer's font list, which the window supplies: without it "Nest Font" cannot load.
    program.PrinterFonts = [] { return std::vector<std::string>{"Sans"}; };
    ASSERT_EQ(InputWindow_Load(program), InputWindowLoad::Loaded);
    stock::ShtStk_Load(program);
  }
  void SelectAll() {
    auto& list = program.Input.SourceList;
    list.Selected.assign(list.Items.size(), true);
  }
  long FilledRows() {
    long rows = 0;
    while (!Cell(rows + 1, kColFileName).empty()) ++rows;
    return rows;
  }
};

TEST_F(SampleJobTest, TheKitchenJobGoesInWholeTickedAndMetric) {
  EXPECT_EQ(program.FrameSetCaption, "Tavo.CFG");
  ASSERT_EQ(program.Input.SourceList.Items.size(), 45u);
  SelectAll();
  AddFile_Click(program);

  ASSERT_EQ(FilledRows(), 45);
  double parts = 0;
  for (long row = 1; row <= 45; ++row) {
    EXPECT_EQ(Cell(row, kColOk), "1") << Cell(row, kColFileName);
    EXPECT_GT(text::Val(Cell(row, kColLength)), 0) << Cell(row, kColFileName);
    parts += text::Val(Cell(row, kColQty));
  }
  EXPECT_EQ(parts, 59);  // the "Quantity" fields of the 45 drawings
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_TRUE(program.MetricUnits);
  EXPECT_EQ(program.BatchUnitState, 1);
  EXPECT_TRUE(program.Input.ProcEnabled);
  EXPECT_TRUE(VerifyWorkListFiles(program, true));

  // Saved and loaded back, the list is the same rows sorted by material.
  const std::string file = Folder("lists") + "Kitchen.PRC";
  ui.ExpectFileChoice(file);
  SaveWorkList(program);
  std::vector<std::string> before;
  for (long row = 1; row <= 45; ++row)
    before.push_back(Cell(row, kColFileName) + "|" + Cell(row, kColMaterial));
  ClearWorkList(program);
  ui.ExpectFileChoice(file);
  LoadWorkList(program);
  std::vector<std::string> after;
  for (long row = 1; row <= 45; ++row)
    after.push_back(Cell(row, kColFileName) + "|" + Cell(row, kColMaterial));
  EXPECT_TRUE(std::is_permutation(before.begin(), before.end(), after.begin(), after.end()));
  for (long row = 2; row <= 45; ++row) EXPECT_LE(Cell(row - 1, kColMaterial), Cell(row, kColMaterial)) << row;
  EXPECT_TRUE(program.MetricUnits);
}

TEST_F(SampleJobTest, TheInchJobWillNotNestInTheMetricKitchenList) {
  program.Input.SourceList.Selected.assign(program.Input.SourceList.Items.size(), false);
  program.Input.SourceList.Selected[0] = true;
  AddFile_Click(program);
  ASSERT_EQ(FilledRows(), 1);

  SPath_Change(program, SampleFolder("InchJob"));
  SelectAll();
  AddFile_Click(program);
  ASSERT_EQ(FilledRows(), 6);
  for (long row = 2; row <= 6; ++row) EXPECT_EQ(Cell(row, kColOk), "0") << row;
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().text,
            "There are panels in this batch that will not nest.\rReason: Inch/Metric conflict");
  EXPECT_TRUE(program.MetricUnits);
}

}  // namespace
}  // namespace tv::worklist::testing
