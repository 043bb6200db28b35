// How a nesting run ends: the early ends (verification, nest name, missing drawing, missing
// folders), a material without stock, the failure report, the alerts, the hand-over file and the
// stock-update question.
#include <gtest/gtest.h>

#include "nesting/batch_watcher.h"
#include "nesting/run_driver.h"
#include "run_fixture.h"
#include "worklist/input_window.h"
#include "worklist/row_builder.h"

namespace tv::nesting {
namespace {

using testing::Cat;
using testing::FakeVrex;
using testing::PlacedAt;
namespace fs = std::filesystem;

class RunEnd : public testing::RunTest {
 protected:
  FakeVrex& MelPass(int copies = 1) {
    return Pass({{{0, copies, 2}, {PlacedAt(1, 600, 400, 0, 0), PlacedAt(2, 500, 300, 610, 0)}}});
  }
  FakeVrex& OakPass() { return Pass({{{0, 1, 1}, {PlacedAt(1, 700, 200, 0, 0)}}}); }
  bool InNests(const std::string& name) const { return fs::exists(Nests() + name); }
  void ExpectWindowUsable() {
    EXPECT_TRUE(program.Input.ProcEnabled);
    EXPECT_EQ(ui.CurrentPointer(), core::Pointer::Normal);
    EXPECT_FALSE(program.RunInProgress);
  }
};

TEST_F(RunEnd, AMissingWorkListDrawingStopsTheRunBeforeAnythingChanges) {
  TwoMaterials();
  fs::remove(Src() + "b.dxf");
  program.Input.ProcEnabled = true;
  Run();
  EXPECT_EQ(created, 0);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().text, " 1 DXF Files Not Found  ");
  EXPECT_EQ(FilesIn(Nests()), std::vector<std::string>{});
  EXPECT_FALSE(program.RunInProgress);
}

TEST_F(RunEnd, ARunInProgressIsNotStartedAgain) {
  TwoMaterials();
  program.RunInProgress = true;
  Run();
  EXPECT_EQ(created, 0);
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_TRUE(program.RunInProgress);
  EXPECT_TRUE(FilesIn(Nests()).empty());
}

TEST_F(RunEnd, AnOptimizerThatIsNotRegisteredEndsTheRunWithItsReason) {
  TwoMaterials();
  Proc_Click(program);  // the program's own factory, on a registry store without the optimizer
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().title, "Nesting Error");
  EXPECT_NE(ui.LastMessage().text.find("{AE7CF44B-F0A7-49A1-A327-B0AD0EBD1B39}"), std::string::npos)
      << ui.LastMessage().text;
  EXPECT_TRUE(FilesIn(Nests()).empty());
  ExpectWindowUsable();
}

TEST_F(RunEnd, ADrawingGoneDuringTheRunAbortsItKeepingTheSheetsWritten) {
  TwoMaterials();
  MelPass();
  FakeVrex& oak = OakPass();
  // The drawing goes after the files were verified, while the run yields.
  ui.SetProcessEventsHook([this] { fs::remove(Src() + "c.dxf"); });
  Run();
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().text, Cat("DXF File  ", Src(), "c.dxf  Not found\n\n         Nesting aborted"));
  EXPECT_EQ(ui.LastMessage().title, "Nesting Error");
  EXPECT_EQ(ui.LastMessage().icon, core::MsgIcon::Critical);
  EXPECT_EQ(FilesIn(Nests()), std::vector<std::string>{"JOB001.DXF"});  // no composite
  EXPECT_EQ(oak.calls.back(), "ReleaseData");
  EXPECT_EQ(ui.Status("Progress"), "*** Merging Parts Into Nested Sheets...*** ");
  ExpectWindowUsable();
}

TEST_F(RunEnd, AMissingNestFolderIsCreatedOnlyWhenTheOperatorAgrees) {
  for (const core::MsgResult answer : {core::MsgResult::No, core::MsgResult::Yes}) {
    SCOPED_TRACE(test_support::ToString(answer));
    const std::string folder = Cat((root / "new").string(), "/", test_support::ToString(answer), "/");
    Setting("NEST PATH", folder);
    WritePart("a.dxf", 600, 400);
    StockRow(1, {"1", "MEL", "0", "0", "10", "2440", "1220", "19"});
    SetWorkRow(1, {"a.dxf", "MEL", 600, 400});
    Pass({{{0, 1, 1}, {PlacedAt(1, 600, 400, 0, 0)}}});
    ui.ExpectQuestion("Path Does Not Exist", answer);
    Run();
    EXPECT_EQ(ui.Messages().back().title, "Nest Path Error");
    const bool written = answer == core::MsgResult::Yes;
    // The folder setting is kept upper-cased, so the new levels get upper-case names.
    EXPECT_EQ(files::FindExisting(Cat(folder, "JOB001.DXF")).has_value(), written);
    EXPECT_EQ(files::FindExisting(Cat(folder, "CompNest.DXF")).has_value(), written);
    EXPECT_EQ(passes.back()->calls.back(), "ReleaseData");
    ExpectWindowUsable();
  }
}

TEST_F(RunEnd, AMissingCsvFolderDropsTheGroupsSheetsAndTheRunGoesOn) {
  TwoMaterials();
  Setting("CSV Path", (root / "nocsv").string());
  MelPass();
  OakPass();
  ui.ExpectQuestion("Path Does Not Exist", core::MsgResult::No);
  ui.ExpectQuestion("Path Does Not Exist", core::MsgResult::Yes);
  Run();
  // Melamine wrote nothing; oak, after the folder was made, its one sheet as JOB001.
  EXPECT_EQ(FilesIn(Nests()), (std::vector<std::string>{"CompNest.DXF", "JOB001.DXF"}));
  EXPECT_TRUE(files::FindExisting(Cat((root / "nocsv").string(), "/JOB001.CSV")).has_value());
  EXPECT_EQ(ui.Messages()[0].title, "CSV Path Error");
  EXPECT_EQ(ui.LastMessage().text, "Nesting Problem\r\n 2 Parts Failed to Nest.");
  ExpectWindowUsable();
}

TEST_F(RunEnd, AMaterialWithoutStockIsReportedAndTheOthersStillHandOver) {
  TwoMaterials();
  Setting("Generate Batch", "YES");
  StockRow(1, {"0", "OAK 19", "0", "0", "5", "2440", "1220", "19"});  // not ticked: not usable
  program.PList.SetCellText(3, 2, " 0");                              // b: no quantity, no part line
  Pass({{{0, 2, 1}, {PlacedAt(1, 600, 400, 0, 0)}}});
  Run();
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().text, "Requested material is unavailable for these parts. \rOAK 19");
  EXPECT_EQ(ui.LastMessage().title, "Alert");
  EXPECT_TRUE(InNests("CompNest.DXF"));
  EXPECT_EQ(files::ReadFile(Nests() + "Batch.lst"),
            Cat("!HBDOff\r\n", Nests(), "JOB001.DXF\r\n", Nests(), "JOB002.DXF\r\n!CNCOff\r\n!HBDOn\r\n",
                Src(), "a.dxf^\r\n", Src(), "c.dxf^\r\n"));
  EXPECT_EQ(ui.ActivatedTitles(), std::vector<std::string>{"Fennoway"});
  ExpectWindowUsable();
}

TEST_F(RunEnd, OnlyTheLastFailureKindIsReportedWithTheTotalCount) {
  TwoMaterials();
  Setting("Sheet Stock Qty", "YES");  // no stock question after a failure
  Pass();                             // melamine: no layout at all
  Pass();                             // oak: no layout either
  Run();
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().text, "Nesting Problem\r\nCheck Sheet Stock Dimensions or Quantities...");
  EXPECT_EQ(ui.LastMessage().title, "Alert!");
  EXPECT_FALSE(InNests("CompNest.DXF"));  // nothing to lay out

  ui.ClearMessages();
  Pass();                                 // melamine: no layout
  Pass({{{0, 1, 0}, {}}});                // oak: a layout that holds nothing
  program.PList.SetCellText(3, 2, " 3");  // c, last after the sort, is wanted three times
  Run();
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().text, "Nesting Problem\r\n 3 Parts Failed to Nest.");
  ExpectWindowUsable();
}

TEST_F(RunEnd, AcceptedStockUpdateTakesTheUsedSheetsOff) {
  TwoMaterials();
  Setting("Sheet Stock Qty", "YES");
  StockRow(4, {"1", "MEL WHITE 19", "1", "0", "0", "1200", "1220", "19"});  // an offcut, any number of it
  MelPass(3);
  Pass({{{0, 1, 1}, {PlacedAt(1, 700, 200, 0, 0)}}});
  // Second melamine layout on the offcut row (sheet 2 of the group's list).
  passes[0]->layouts.push_back({{1, 1, 1}, {PlacedAt(2, 500, 300, 0, 0)}});
  passes[0]->layouts[0].placed.pop_back();
  passes[0]->layouts[0].layout.numplacedparts = 1;
  ui.ExpectQuestion("Update Sheet Stock Quantities?", core::MsgResult::Yes);
  Run();
  const auto& question = ui.Messages().back();
  EXPECT_EQ(question.title, "Query");
  EXPECT_EQ(question.icon, core::MsgIcon::None);
  EXPECT_EQ(program.SSList.CellText(1, 5), "4");  // oak: 5 - 1
  EXPECT_EQ(program.SSList.CellText(2, 5), "7");  // melamine: 10 - 3
  EXPECT_EQ(program.SSList.CellText(3, 5), "0");  // an empty row
  EXPECT_EQ(program.SSList.CellText(4, 5), "0");  // still unlimited, not -1
}

TEST_F(RunEnd, CancelledNestNameEndsTheRunAndClearNestDirStillEmptiesTheFolder) {
  TwoMaterials();
  Setting("Prompt for Nest", "YES");
  ASSERT_TRUE(files::WriteFileAtomic(Nests() + "OLD001.DXF", "0\nEOF\n"));
  support::RefreshFileList(program.Input.NestList);
  ui.ExpectNestName("", /*pressClear=*/true);
  Run();
  EXPECT_EQ(ui.ProposedNestNames(), std::vector<std::string>{"JOB"});
  EXPECT_EQ(created, 0);
  EXPECT_TRUE(FilesIn(Nests()).empty());
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(program.EnteredNestName, "");
  ExpectWindowUsable();
}

TEST_F(RunEnd, ATypedNestNameNamesTheSheetsAsTyped) {
  TwoMaterials();
  Setting("Prompt for Nest", "YES");
  ASSERT_TRUE(files::WriteFileAtomic(Nests() + "OLD001.DXF", "0\nEOF\n"));
  support::RefreshFileList(program.Input.NestList);
  MelPass();
  OakPass();
  ui.ExpectNestName(" Kit ");
  Run();
  // Asked for a name, the run leaves the older sheets in place.
  EXPECT_EQ(FilesIn(Nests()),
            (std::vector<std::string>{" Kit 001.DXF", " Kit 002.DXF", "CompNest.DXF", "OLD001.DXF"}));
}

TEST_F(RunEnd, WithoutTheNamePromptTheListedSheetsAreDeletedFirst) {
  TwoMaterials();
  ASSERT_TRUE(files::WriteFileAtomic(Nests() + "OLD001.DXF", "0\nEOF\n"));
  support::RefreshFileList(program.Input.NestList);
  MelPass();
  OakPass();
  Run();
  EXPECT_FALSE(InNests("OLD001.DXF"));
  EXPECT_TRUE(InNests("JOB002.DXF"));
}

TEST_F(RunEnd, OnlyTheSheetsThisRunWroteAreLaidOutAndHandedOver) {
  for (const bool prompt : {true, false}) {
    SCOPED_TRACE(prompt ? "name prompt" : "no prompt");
    fs::remove_all(Nests());
    fs::create_directories(Nests());
    TwoMaterials();
    Setting("Prompt for Nest", prompt ? "YES" : "NO");
    Setting("Generate Batch", "YES");
    // An earlier job of the same name left five sheets.
    std::vector<std::string> older;
    for (int k = 1; k <= 5; ++k) {
      test_support::DxfFixture sheet;
      sheet.LineRect("EARLIER_JOB", 0, 0, 2440, 1220);
      older.push_back(sheet.Dxf());
      ASSERT_TRUE(files::WriteFileAtomic(Cat(Nests(), "JOB00", std::to_string(k), ".DXF"), older.back()));
    }
    support::RefreshFileList(program.Input.NestList);
    MelPass(2);
    OakPass();
    if (prompt) ui.ExpectNestName("JOB");
    Run();
    EXPECT_TRUE(ui.Messages().empty()) << ui.LastMessage().text;

    EXPECT_EQ(files::ReadFile(Nests() + "Batch.lst"),
              Cat("!HBDOff\r\n", Nests(), "JOB001.DXF\r\n", Nests(), "JOB002.DXF\r\n", Nests(),
                  "JOB003.DXF\r\n!CNCOff\r\n!HBDOn\r\n", Src(), "a.dxf^\r\n", Src(), "b.dxf^\r\n", Src(),
                  "c.dxf^\r\n"));
    auto composite = ReadBack(Nests() + "CompNest.DXF");
    std::vector<std::string> labels;
    bool earlier = false;
    for (const drawing::TextItem& text : composite->GetTexts()) {
      if (text.LayerName.rfind("TavolinT", 0) == 0) labels.push_back(text.LayerName);
    }
    for (const drawing::SegmentItem& line : composite->GetEntities1())
      earlier |= line.LayerName == "EARLIER_JOB";
    EXPECT_EQ(labels, (std::vector<std::string>{"TavolinT1", "TavolinT2", "TavolinT3"}));
    EXPECT_FALSE(earlier);
    // With the prompt the older sheets beyond this run's stay as they were; without it the
    // folder was cleared first.
    for (int k = 4; k <= 5; ++k) {
      const auto kept = files::ReadFile(Cat(Nests(), "JOB00", std::to_string(k), ".DXF"));
      EXPECT_EQ(kept.has_value(), prompt) << k;
      if (kept) {
        EXPECT_EQ(*kept, older[static_cast<std::size_t>(k - 1)]) << k;
      }
    }
    ui.ClearMessages();
  }
}

TEST_F(RunEnd, AlertsAfterTheRun) {
  Setting("Z Limit On", "YES");
  // A route deeper than sheet plus overcut, a drawing with two outline layers, a work-list size
  // that is not the drawing's, and a ticked row without a length.
  test_support::DxfFixture deep;
  deep.LineRect("BORDER_Z19", 0, 0, 600, 400).LineRect("BORDER_Z18", 100, 100, 50, 50);
  deep.Line("ROUTE5_Z6_T2", 20, 20, 200, 20, 25);
  ASSERT_TRUE(files::WriteFileAtomic(Src() + "deep.dxf", deep.Dxf()));
  WritePart("wrong.dxf", 500, 300);
  WritePart("nolength.dxf", 500, 300);
  StockRow(1, {"1", "MEL", "0", "0", "10", "2440", "1220", "19"});
  SetWorkRow(1, {"deep.dxf", "MEL", 600, 400});
  SetWorkRow(2, {"wrong.dxf", "MEL", 520, 300});
  SetWorkRow(3, {"nolength.dxf", "MEL", 0, 300});
  Pass({{{0, 1, 2}, {PlacedAt(1, 600, 400, 0, 0), PlacedAt(2, 520, 300, 700, 0)}}});
  Run();
  std::vector<std::string> texts;
  for (const auto& message : ui.Messages()) texts.push_back(message.title + ": " + message.text);
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "Tavolin Alert!: Route exceeded depth limit. Depth Adjusted.",
                       "Tavolin Alert!: Dimension Error in Worklist   ",
                       "Warning!: Drawings Contain More Than One Border Layer!",
                   }));
  EXPECT_EQ(program.PList.BackColorAt(2, 5), worklist::kMarkedRowColor);
  EXPECT_EQ(program.PList.BackColorAt(3, 5), worklist::kMarkedRowColor);
  EXPECT_EQ(program.PList.BackColorAt(1, 5), grid::kWhite);
}

TEST_F(RunEnd, CommandsThatChangeTheJobWaitWhileTheRunYields) {
  TwoMaterials();
  Setting("Respond to Batch", "YES");
  support::SetFileListPath(program.Input.SourceList, Src());
  MelPass();
  OakPass();
  ASSERT_TRUE(files::WriteFileAtomic(Src() + "Batch.lst", "a.dxf\r\n"));
  std::vector<std::string> seen;
  int ticks = 0;
  ui.SetProcessEventsHook([&] {
    if (ticks++ > 0) return;
    // What a person or the timer might do while the run lets events through.
    program.Input.SourceList.Selected.assign(program.Input.SourceList.Items.size(), true);
    worklist::AddFile_Click(program);
    program.SSList.AddSelection({1, 1, 1, 8});
    stock::SSList_PopupClosed(program, true);
    stock::SSList_DblClick(program, 2, 0);
    worklist::PList_ButtonClicked(program, 1, 1, 1);
    BLT_Timer(program, factory);
    Proc_Click(program, factory);
    seen = {program.SSList.CellText(1, 2), program.SSList.CellText(2, 2), program.PList.CellText(4, 3),
            program.Input.ProcEnabled ? "enabled" : "disabled",
            fs::exists(Src() + "Batch.lst") ? "request" : "gone"};
  });
  Run();
  EXPECT_EQ(seen, (std::vector<std::string>{"OAK 19", "MEL WHITE 19", "", "disabled", "request"}));
  EXPECT_EQ(created, 2);  // no run started inside the run
  EXPECT_EQ(FilesIn(Nests()), (std::vector<std::string>{"CompNest.DXF", "JOB001.DXF", "JOB002.DXF"}));
  EXPECT_TRUE(ui.Messages().empty()) << ui.LastMessage().text;
}

TEST(TextHeightDivisor, FontSizeOneToNineGivesNinetyToTen) {
  const struct {
    const char* setting;
    float divisor;
  } cases[] = {{"", 90},   {"0", 90},  {"0.5", 90}, {"1", 90}, {"5", 50},
               {" 9", 10}, {"12", 10}, {"-3", 90},  {"x", 90}};
  for (const auto& c : cases) EXPECT_FLOAT_EQ(TextHeightDivisorFor(c.setting), c.divisor) << c.setting;
}

TEST(CompositeLayout, RowsOfTheSquareRootOfTheWrittenSheets) {
  const auto cells = CompositeLayout(5, 5, 2440, 1220);
  const std::vector<std::pair<double, double>> expected = {
      {0, 0}, {2684, 0}, {0, 1464}, {2684, 1464}, {0, 2928}};
  ASSERT_EQ(cells.size(), expected.size());
  for (std::size_t k = 0; k < cells.size(); ++k) {
    EXPECT_DOUBLE_EQ(cells[k].X, expected[k].first) << k;
    EXPECT_DOUBLE_EQ(cells[k].Y, expected[k].second) << k;
  }
  // The cells are whole units.
  const auto small = CompositeLayout(5, 5, 96.5, 48.5);
  EXPECT_DOUBLE_EQ(small[3].X, 106);  // 96.5 x 1.1 = 106.15
  EXPECT_DOUBLE_EQ(small[4].Y, 2 * 58.0);
}

}  // namespace
}  // namespace tv::nesting
