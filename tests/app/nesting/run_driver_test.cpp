// The nesting run end to end with a scripted optimizer: groups, sheet files and their numbers,
// labels, CSV files, pull list, composite, hand-over, the ways a run ends early and the questions
// and alerts at its end.
#include "nesting/run_driver.h"

#include <gtest/gtest.h>

#include <cmath>

#include "nesting/sheet_builder.h"
#include "run_fixture.h"
#include "settings/setting_lookup.h"
#include "sheet_outlines.h"

namespace tv::nesting {
namespace {

using testing::Cat;
using testing::FakeLayout;
using testing::FakeVrex;
using testing::PlacedAt;
using testing::WorkRow;
namespace fs = std::filesystem;

std::vector<drawing::TextItem> TextsOn(drawing::Drawing& dxf, const std::string& layer) {
  std::vector<drawing::TextItem> texts;
  for (const drawing::TextItem& text : dxf.GetTexts()) {
    if (text.LayerName == layer) texts.push_back(text);
  }
  return texts;
}

std::vector<std::string> LayerNames(drawing::Drawing& dxf) {
  std::vector<std::string> names;
  drawing::LayerCollection layers = dxf.Layers();
  for (int i = 1; i <= layers.Count(); ++i) names.push_back(layers.Item(i).Name());
  return names;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

struct Box {
  float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
};
// Extents of the lines on one layer.
Box LinesBox(drawing::Drawing& dxf, const std::string& layer) {
  Box box;
  for (const drawing::SegmentItem& line : dxf.GetEntities1()) {
    if (line.LayerName != layer) continue;
    box.minX = std::min({box.minX, line.X1, line.X2});
    box.maxX = std::max({box.maxX, line.X1, line.X2});
    box.minY = std::min({box.minY, line.Y1, line.Y2});
    box.maxY = std::max({box.maxY, line.Y1, line.Y2});
  }
  return box;
}

class NestingRun : public testing::RunTest {
 protected:
  void TwoMaterials() { RunTest::TwoMaterials({"b.dxf", "MEL WHITE 19", 500, 300, 1, "B2", "Shelf"}); }
};

TEST_F(NestingRun, SheetNumbersRunOnAcrossGroupsAndEveryCopyShowsOnlyItsOwnLabel) {
  TwoMaterials();
  FakeVrex& mel = Pass({{{0, 2, 2}, {PlacedAt(1, 600, 400, 0, 0), PlacedAt(2, 500, 300, 610, 0)}}});
  FakeVrex& oak = Pass({{{0, 1, 1}, {PlacedAt(1, 700, 200, 0, 0)}}});
  Run();

  EXPECT_TRUE(ui.Messages().empty()) << ui.LastMessage().text;
  EXPECT_EQ(FilesIn(Nests()),
            (std::vector<std::string>{"CompNest.DXF", "JOB001.DXF", "JOB002.DXF", "JOB003.DXF"}));
  EXPECT_EQ(FilesIn(Csv()), (std::vector<std::string>{"JOB001.CSV", "JOB002.CSV", "JOB003.CSV"}));
  ASSERT_EQ(program.NestFiles.size(), 3u);
  EXPECT_EQ(fs::path(program.NestFiles[2]).filename(), "JOB003.DXF");
  EXPECT_EQ(program.Input.NestList.Items.size(), 4u);  // the nest list shows what was written

  for (int k = 1; k <= 2; ++k) {
    auto sheet = ReadBack(Cat(Nests(), "JOB00", std::to_string(k), ".DXF"));
    const std::vector<std::string> layers = LayerNames(*sheet);
    EXPECT_TRUE(Contains(layers, Cat("TavolinT", std::to_string(k)))) << k;
    EXPECT_FALSE(Contains(layers, Cat("TavolinT", std::to_string(3 - k)))) << k;
    const auto labels = TextsOn(*sheet, Cat("TavolinT", std::to_string(k)));
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels[0].Txt,
              Cat("MEL WHITE 19   -    L 2440    W 1220    T 19   -   JOB00", std::to_string(k)));
    EXPECT_FLOAT_EQ(labels[0].Y1, 1220 * 1.08f);
    // Part outlines and annotation stay out of the file; the routes and the border are in.
    EXPECT_FALSE(Contains(layers, "L_Nested_Part_001"));
    EXPECT_TRUE(Contains(layers, "Route601_T1L"));
    EXPECT_TRUE(Contains(layers, "Route602_T1L"));
    EXPECT_TRUE(Contains(layers, "Border_Z19"));
    const auto descriptions = TextsOn(*sheet, "DESCRIPTION");
    ASSERT_EQ(descriptions.size(), 1u);
    EXPECT_EQ(descriptions[0].Txt, "MEL WHITE 19");
  }
  auto oakSheet = ReadBack(Nests() + "JOB003.DXF");
  EXPECT_TRUE(Contains(LayerNames(*oakSheet), "TavolinT3"));

  // Rows after the sort: a, b (melamine), c (oak).
  const std::string csv = files::ReadFile(Csv() + "JOB002.CSV").value_or("");
  ASSERT_EQ(std::count(csv.begin(), csv.end(), '\n'), 2);
  EXPECT_EQ(csv.substr(0, 4), "\" 1\"");
  EXPECT_NE(csv.find("\"a.dxf\""), std::string::npos);
  EXPECT_NE(csv.find(", 1\r\n"), std::string::npos);
  EXPECT_EQ(csv.substr(csv.size() - 5), ", 2\r\n");

  EXPECT_EQ(program.MPL.CellText(1, 2), "MEL WHITE 19");
  EXPECT_EQ(program.MPL.CellText(1, 5), "2");
  EXPECT_EQ(program.MPL.CellText(2, 2), "OAK 19");
  EXPECT_EQ(program.MPL.CellText(2, 5), "1");
  EXPECT_EQ(program.SheetsUsedByRow.at(2), 2);
  EXPECT_EQ(program.SheetsUsedByRow.at(1), 1);

  auto composite = ReadBack(Nests() + "CompNest.DXF");
  const auto yield = TextsOn(*composite, "Tavolin");
  EXPECT_TRUE(std::any_of(yield.begin(), yield.end(), [](const drawing::TextItem& t) {
    return t.Txt.rfind("Nest Composite,  Yield: ", 0) == 0;
  }));

  EXPECT_EQ(mel.calls.back(), "ReleaseData");
  EXPECT_EQ(oak.calls.back(), "ReleaseData");
  EXPECT_EQ(ui.Status("Progress"), "");
  EXPECT_TRUE(program.Input.ProcEnabled);
  EXPECT_EQ(ui.CurrentPointer(), core::Pointer::Normal);
  EXPECT_FALSE(program.RunInProgress);
  EXPECT_EQ(program.JobName, "2417");
}

TEST_F(NestingRun, PartsLieOnTheirPlacedRectanglesTurnedOrNot) {
  WritePart("a.dxf", 600, 400);
  StockRow(1, {"1", "MEL", "0", "0", "10", "2440", "1220", "19"});
  SetWorkRow(1, {"a.dxf", "MEL", 600, 400, 2});
  // Copy 1 as drawn; copy 2 turned by the optimizer (its placed length is the part's width).
  Pass({{{0, 1, 2}, {PlacedAt(1, 600, 400, 0, 0), PlacedAt(1, 400, 600, 1000, 100)}}});
  Run();
  auto sheet = ReadBack(Nests() + "JOB001.DXF");
  // The through cut-out follows each part's outline on the sheet, margin 10 included.
  const Box first = LinesBox(*sheet, "Route601_T1L");
  const Box second = LinesBox(*sheet, "Route602_T1L");
  EXPECT_NEAR(first.minX, 10, 1e-3);
  EXPECT_NEAR(first.maxX, 610, 1e-3);
  EXPECT_NEAR(first.minY, 10, 1e-3);
  EXPECT_NEAR(second.minX, 1010, 1e-3);
  EXPECT_NEAR(second.maxX, 1410, 1e-3);
  EXPECT_NEAR(second.minY, 110, 1e-3);
  // The lead points lie half the clearance outside the top edge.
  EXPECT_NEAR(second.maxY, 710.5, 1e-3);
  // The part's own route turned with it: along its length, now running up the sheet.
  bool turnedRoute = false;
  for (const auto& line : sheet->GetEntities1()) {
    if (line.LayerName == "ROUTE5_Z6_T2" && line.X1 > 1000) {
      EXPECT_NEAR(line.X1, line.X2, 1e-3);
      EXPECT_NEAR(line.X1, 1390, 1e-3);
      turnedRoute = true;
    }
  }
  EXPECT_TRUE(turnedRoute);
}

TEST_F(NestingRun, NearSquarePartsTurnedByTheOptimizerKeepTheKerfAndTheMargin) {
  // Margin 10 and a kerf of 11 (cutter 10, clearance 1). The bottoms are 564 x 560: turned, their
  // placed length differs from their length by less than half the margin.
  struct Case {
    const char* name;
    double length, width;  // as in the work list
    double placedL, placedW, x, y;
    bool routeAlongX;  // the part's own route, along its length, as it lies on the sheet
  } cases[] = {
      {"turned, lower left", 564, 560, 560, 564, 0, 0, false},
      {"its neighbour a kerf away", 720, 320, 720, 320, 571, 0, true},
      {"as drawn", 564, 560, 564, 560, 1302, 0, true},
      {"square", 564, 564, 564, 564, 0, 575, true},
      {"turned, upper right", 564, 560, 560, 564, 2440 - 20 - 560, 1220 - 20 - 564, false},
  };
  StockRow(1, {"1", "MEL", "0", "0", "10", "2440", "1220", "19"});
  std::vector<sawplan::tVREXPlacedPartData> placed;
  int pid = 0;
  for (const Case& c : cases) {
    ++pid;
    const std::string file = Cat("p", std::to_string(pid), ".dxf");
    WritePart(file, c.length, c.width);
    SetWorkRow(pid, {file, "MEL", c.length, c.width});
    placed.push_back(PlacedAt(pid, c.placedL, c.placedW, c.x, c.y));
  }
  Pass({{{0, 1, 5}, placed}});
  Run();
  EXPECT_TRUE(ui.Messages().empty()) << ui.LastMessage().text;

  auto sheet = ReadBack(Nests() + "JOB001.DXF");
  const std::vector<testing::OutlineBox> outlines = testing::CutOutOutlines(*sheet);
  EXPECT_EQ(testing::SpacingProblems(outlines, 2440, 1220, 10, 11), "");
  ASSERT_EQ(outlines.size(), std::size(cases));
  for (std::size_t i = 0; i < outlines.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.name);
    // Each part fills its placed rectangle.
    EXPECT_EQ(outlines[i].layer, Cat("Route60", std::to_string(i + 1), "_T1L"));
    EXPECT_NEAR(outlines[i].minX, c.x + 10, 1e-3);
    EXPECT_NEAR(outlines[i].minY, c.y + 10, 1e-3);
    EXPECT_NEAR(outlines[i].maxX, c.x + 10 + c.placedL, 1e-3);
    EXPECT_NEAR(outlines[i].maxY, c.y + 10 + c.placedW, 1e-3);
    int routes = 0;
    for (const auto& line : sheet->GetEntities1()) {
      if (line.LayerName != "ROUTE5_Z6_T2" || line.X1 < outlines[i].minX || line.X1 > outlines[i].maxX ||
          line.Y1 < outlines[i].minY || line.Y1 > outlines[i].maxY)
        continue;
      ++routes;
      EXPECT_NEAR(c.routeAlongX ? line.Y1 : line.X1, c.routeAlongX ? line.Y2 : line.X2, 1e-3);
      EXPECT_NEAR(std::hypot(line.X2 - line.X1, line.Y2 - line.Y1), c.length - 40, 1e-3);
    }
    EXPECT_EQ(routes, 1);
  }
}

TEST_F(NestingRun, LabelsRunAlongTheLongerSideOfThePartAsItLies) {
  struct Case {
    const char* name;
    double length, width;     // as in the work list
    double placedL, placedW;  // as placed
    float angle;
    double labelX, labelY;  // of the "Zuvodavi" label, relative to the placed corner
  } cases[] = {
      {"wide, as drawn", 600, 400, 600, 400, 0, 300, 400 / 1.5},
      {"narrow, as drawn", 100, 500, 100, 500, 90, 100 / 2.5, 250},
      {"wide, turned", 600, 400, 400, 600, 90, 400 / 2.5, 300},
      {"narrow, turned", 100, 500, 500, 100, 0, 250, 100 / 1.5},
  };
  // One sheet holds all four cases side by side.
  StockRow(1, {"1", "MEL", "0", "0", "10", "2440", "1220", "19"});
  std::vector<sawplan::tVREXPlacedPartData> placed;
  double x = 0;
  int pid = 0;
  for (const Case& c : cases) {
    std::string file = "p";
    file += std::to_string(++pid);
    file += ".dxf";
    WritePart(file, c.length, c.width);
    SetWorkRow(pid, {file, "MEL", c.length, c.width});
    placed.push_back(PlacedAt(pid, c.placedL, c.placedW, x, 0));
    x += 650;
  }
  Pass({{{0, 1, 4}, placed}});
  Run();
  auto sheet = ReadBack(Nests() + "JOB001.DXF");
  const auto labels = TextsOn(*sheet, "Zuvodavi");
  ASSERT_EQ(labels.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.name);
    const drawing::TextItem& label = labels[i];
    std::string expected = " ";
    expected += std::to_string(i + 1);
    expected += ", B1, p";
    expected += std::to_string(i + 1);
    EXPECT_EQ(label.Txt, expected);
    EXPECT_FLOAT_EQ(label.Rotation, c.angle);
    EXPECT_NEAR(label.X1, 650.0 * static_cast<double>(i) + 10 + c.labelX, 1e-3);
    EXPECT_NEAR(label.Y1, 10 + c.labelY, 1e-3);
  }
}

TEST_F(NestingRun, NestFontChoosesTheDrawingsFontOrATypeface) {
  for (const char* font : {"DXF Font", "Courier New"}) {
    Setting("Nest Font", font);
    WritePart("a.dxf", 600, 400);
    StockRow(1, {"1", "MEL", "0", "0", "10", "2440", "1220", "19"});
    SetWorkRow(1, {"a.dxf", "MEL", 600, 400});
    Pass({{{0, 1, 1}, {PlacedAt(1, 600, 400, 0, 0)}}});
    program.Settings.SetRow(1);
    program.Settings.SetCol(settings::kColName);
    Run();
    const bool dxfFont = std::string(font) == "DXF Font";
    EXPECT_EQ(program.DXF1.UseDxfFont(), dxfFont) << font;
    EXPECT_EQ(program.DXF1.FontName2(), dxfFont ? "" : font);
    // Reading the settings leaves the operator's cursor where it was.
    EXPECT_EQ(program.Settings.Row(), 1);
    EXPECT_EQ(program.Settings.Col(), settings::kColName);
  }
}

TEST_F(NestingRun, WithoutTagPartsNoLabelIsWritten) {
  Setting("Tag Parts", "NO");
  WritePart("a.dxf", 600, 400);
  StockRow(1, {"1", "MEL", "0", "0", "10", "2440", "1220", "19"});
  SetWorkRow(1, {"a.dxf", "MEL", 600, 400});
  Pass({{{0, 1, 1}, {PlacedAt(1, 600, 400, 0, 0)}}});
  Run();
  auto sheet = ReadBack(Nests() + "JOB001.DXF");
  EXPECT_TRUE(TextsOn(*sheet, "Zuvodavi").empty());
  EXPECT_EQ(TextsOn(*sheet, "Tavolin").size(), 1u);  // the version and yield line only
}

}  // namespace
}  // namespace tv::nesting
