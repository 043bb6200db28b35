// The sample kitchen job nested end to end with the real optimizer: every sheet file is read
// back by the program's own reader and by an independent one, and the parts, routes, CSV files,
// pull list, composite and hand-over file are checked against the work list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

#include "files/files.h"
#include "nesting/batch_watcher.h"
#include "nesting/run_driver.h"
#include "sample_job.h"
#include "testing/run_command.h"
#include "text/ascii_text.h"
#include "text/number_text.h"
#include "worklist/work_list.h"

namespace tv::e2e {
namespace {

struct Box {
  double minX = 1e18, minY = 1e18, maxX = -1e18, maxY = -1e18;
  void Add(double x, double y) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
};

// What a sheet file holds, as the program's reader sees it.
struct Sheet {
  std::string material;    // the DESCRIPTION text
  double thickness = 0;    // from the "Border_Z.." layer name
  Box border;              // the sheet border's lines
  std::vector<long> rows;  // work-list rows named by the part labels
  std::vector<std::string> layers;
  std::map<std::string, Box> cutOuts;              // through cut-out layer -> its lines' extents
  std::map<std::string, std::set<double>> depths;  // route layer -> depths of its lines
  std::string label;                               // the sheet label ("TavolinT" & number)
};

Sheet ReadSheet(const std::string& path) {
  Sheet sheet;
  drawing::Drawing dxf;
  std::string error;
  EXPECT_TRUE(dxf.ReadDrawing(path, 0, 0, 0, &error)) << path << ": " << error;
  drawing::LayerCollection layers = dxf.Layers();
  for (int i = 1; i <= layers.Count(); ++i) sheet.layers.push_back(layers.Item(i).Name());
  for (const drawing::TextItem& text : dxf.GetTexts()) {
    if (text.LayerName == "DESCRIPTION") sheet.material = text.Txt;
    if (text.LayerName == "Zuvodavi")
      sheet.rows.push_back(static_cast<long>(text::RoundHalfEven(text::Val(text.Txt))));
    if (text.LayerName.rfind("TavolinT", 0) == 0) sheet.label = text.Txt;
  }
  for (const drawing::SegmentItem& line : dxf.GetEntities1()) {
    const std::string& layer = line.LayerName;
    if (layer.rfind("Border_Z", 0) == 0) {
      sheet.thickness = text::Val(files::ReplaceChar(layer.substr(8), 'P', '.'));
      sheet.border.Add(line.X1, line.Y1);
      sheet.border.Add(line.X2, line.Y2);
    }
    if (layer.rfind("Route6", 0) == 0) {
      sheet.cutOuts[layer].Add(line.X1, line.Y1);
      sheet.cutOuts[layer].Add(line.X2, line.Y2);
    }
    if (text::UpperAscii(layer).find("ROUTE") != std::string::npos) {
      // Rounded to the writer's precision for a readable set.
      sheet.depths[layer].insert(std::round(static_cast<double>(line.Z1) * 1000) / 1000);
      sheet.depths[layer].insert(std::round(static_cast<double>(line.Z2) * 1000) / 1000);
    }
  }
  return sheet;
}

// An independent reader: ezdxf's recovering reader and its audit, one line per file with the
// number of problems found.
constexpr const char* kAudit = R"(
import sys
from ezdxf import recover
for path in sys.argv[1:]:
    doc, auditor = recover.readfile(path)
    audit = doc.audit()
    problems = [str(e) for e in auditor.errors] + [str(e) for e in audit.errors]
    print(path, len(problems), '; '.join(problems)[:300])
)";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

TEST_F(SampleJob, NestsTheKitchenJobIntoSoundNumberedSheets) {
  StartWithJob();
  Flag("Generate Batch", true);
  const long rows = [&] {
    long n = 0;
    while (!program.PList.CellText(n + 1, 3).empty()) ++n;
    return n;
  }();
  ASSERT_EQ(rows, 45);

  nesting::Proc_Click(program);

  for (const auto& message : ui.Messages()) ADD_FAILURE() << message.title << ": " << message.text;
  ASSERT_FALSE(program.NestFiles.empty());
  const std::size_t sheetCount = program.NestFiles.size();

  // Sheets NEST001.. numbered without a gap across the three materials, materials in sort order.
  std::vector<Sheet> sheets;
  for (std::size_t k = 1; k <= sheetCount; ++k) {
    const std::string path = Cat(NestFolder(), "NEST", text::Format(static_cast<double>(k), "000"), ".DXF");
    ASSERT_TRUE(fs::exists(path)) << path;
    EXPECT_EQ(program.NestFiles[k - 1], path);
    sheets.push_back(ReadSheet(path));
  }
  EXPECT_FALSE(fs::exists(
      Cat(NestFolder(), "NEST", text::Format(static_cast<double>(sheetCount + 1), "000"), ".DXF")));
  std::vector<std::string> materialOrder;
  for (const Sheet& sheet : sheets) {
    if (materialOrder.empty() || materialOrder.back() != sheet.material)
      materialOrder.push_back(sheet.material);
  }
  EXPECT_EQ(materialOrder,
            (std::vector<std::string>{"PAINT GRADE MDF 19", "WHITE HARDBOARD 6", "WHITE MELAMINE 19"}));

  // Every work-list part is on the sheets exactly its quantity of times.
  std::map<long, int> placed;
  for (const Sheet& sheet : sheets) {
    for (long row : sheet.rows) ++placed[row];
  }
  int total = 0;
  for (long row = 1; row <= rows; ++row) {
    const int qty = static_cast<int>(text::Val(program.PList.CellText(row, 2)));
    total += qty;
    EXPECT_EQ(placed[row], qty) << "row " << row << " " << program.PList.CellText(row, 3);
  }
  EXPECT_EQ(total, 59);

  const double margin = 10;
  const double hc = 0.5;  // half the cut-out clearance: where the lead points lie
  for (std::size_t k = 0; k < sheets.size(); ++k) {
    const Sheet& sheet = sheets[k];
    SCOPED_TRACE(Cat("sheet ", std::to_string(k + 1)));
    const std::string number = std::to_string(k + 1);
    // Only its own label and barcode layer; outlines and annotation stripped.
    for (const std::string& layer : sheet.layers) {
      if (layer.rfind("TavolinT", 0) == 0) {
        EXPECT_EQ(layer, Cat("TavolinT", number));
      }
      EXPECT_EQ(layer.find("_Nested_Part_"), std::string::npos) << layer;
      // Annotation layers of the part drawings are left out; the sheet's own material text is not.
      if (layer != "DESCRIPTION") {
        EXPECT_NE(layer.rfind("DESC", 0), 0u) << layer;
      }
    }
    EXPECT_NE(sheet.label.find(Cat("   -   NEST", text::Format(static_cast<double>(k + 1), "000"))),
              std::string::npos);
    EXPECT_EQ(sheet.border.minX, 0);
    EXPECT_EQ(sheet.border.minY, 0);

    // Parts inside the margin and apart from each other.
    std::vector<Box> parts;
    for (const auto& [layer, box] : sheet.cutOuts) {
      EXPECT_GE(box.minX, margin - 1e-3) << layer;
      EXPECT_GE(box.minY, margin - 1e-3) << layer;
      EXPECT_LE(box.maxX, sheet.border.maxX - margin + hc + 1e-3) << layer;
      EXPECT_LE(box.maxY, sheet.border.maxY - margin + hc + 1e-3) << layer;
      parts.push_back(box);
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
      for (std::size_t j = i + 1; j < parts.size(); ++j) {
        const bool apart =
            parts[i].maxX - hc <= parts[j].minX + 1e-3 || parts[j].maxX - hc <= parts[i].minX + 1e-3 ||
            parts[i].maxY - hc <= parts[j].minY + 1e-3 || parts[j].maxY - hc <= parts[i].minY + 1e-3;
        EXPECT_TRUE(apart) << "parts " << i << " and " << j << " overlap";
      }
    }

    // Through cut-outs reach the thickness plus the overcut, skin cuts leave the skin, and
    // nothing goes deeper than the limit.
    const double through = std::round((sheet.thickness + 0.3) * 1000) / 1000;
    const double skin = std::round((sheet.thickness - 0.5) * 1000) / 1000;
    for (const auto& [layer, depths] : sheet.depths) {
      if (layer.rfind("Route6", 0) == 0) {
        EXPECT_EQ(depths, (std::set<double>{0, through})) << layer;  // down at the lead-in
      } else if (layer.rfind("Route3", 0) == 0) {
        EXPECT_EQ(depths, (std::set<double>{0, skin})) << layer;
      } else if (layer.rfind("Route900", 0) == 0) {
        EXPECT_EQ(depths, (std::set<double>{through})) << layer;  // straight through
      }
      EXPECT_LE(*depths.rbegin(), through + 1e-6) << layer;
    }
    EXPECT_GT(sheet.thickness, 0);
  }

  // The parts' own routes kept their order and had their depth held to the hardboard.
  std::set<std::string> routeLayers;
  for (const Sheet& sheet : sheets) {
    for (const std::string& layer : sheet.layers) {
      if (layer.find("ROUTE") != std::string::npos || layer.find("Route2") != std::string::npos)
        routeLayers.insert(layer);
    }
  }
  EXPECT_TRUE(routeLayers.count("ROUTE1_Z6P5")) << ::testing::PrintToString(routeLayers);

  // The independent reader finds nothing wrong with any file.
  const bool ezdxf = std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") == 0;
  EXPECT_TRUE(ezdxf) << "python3-ezdxf is missing (scripts/install-deps installs it)";
  if (ezdxf) {
    const std::string script = (root / "audit.py").string();
    ASSERT_TRUE(files::WriteFileAtomic(script, kAudit));
    std::string command = Cat("/usr/bin/python3 ", script);
    for (const std::string& path : program.NestFiles) command += Cat(" '", path, "'");
    command += Cat(" '", NestFolder(), "CompNest.DXF' 2>&1");
    const std::vector<std::string> report = Lines(test_support::RunCommand(command).output);
    ASSERT_EQ(report.size(), sheetCount + 1) << ::testing::PrintToString(report);
    for (const std::string& line : report) EXPECT_NE(line.find(".DXF 0 "), std::string::npos) << line;
  }

  // One CSV line per placed part, naming its row.
  for (std::size_t k = 0; k < sheets.size(); ++k) {
    const auto csv =
        files::ReadFile(Cat(CsvFolder(), "NEST", text::Format(static_cast<double>(k + 1), "000"), ".CSV"));
    ASSERT_TRUE(csv.has_value()) << k + 1;
    std::vector<long> csvRows;
    for (const std::string& line : Lines(*csv)) {
      if (line.empty()) continue;
      EXPECT_EQ(line.front(), '"') << line;
      csvRows.push_back(static_cast<long>(text::Val(line.substr(line.rfind(", ") + 2))));
      EXPECT_EQ(std::count(line.begin(), line.end(), '"'), 48) << line;  // 24 quoted fields
    }
    std::vector<long> labelRows = sheets[k].rows;
    std::sort(labelRows.begin(), labelRows.end());
    std::sort(csvRows.begin(), csvRows.end());
    EXPECT_EQ(csvRows, labelRows) << "sheet " << k + 1;
  }

  // The pull list counts the sheets per stock material.
  std::map<std::string, int> pulled;
  int pulledTotal = 0;
  for (long r = 1; r <= program.MPL.MaxRows(); ++r) {
    if (program.MPL.CellText(r, 2).empty()) continue;
    pulled[program.MPL.CellText(r, 2)] += static_cast<int>(text::Val(program.MPL.CellText(r, 5)));
    pulledTotal += static_cast<int>(text::Val(program.MPL.CellText(r, 5)));
  }
  std::map<std::string, int> perMaterial;
  for (const Sheet& sheet : sheets) ++perMaterial[sheet.material];
  EXPECT_EQ(pulled, perMaterial);
  EXPECT_EQ(pulledTotal, static_cast<int>(sheetCount));

  // The composite shows every sheet with its label.
  drawing::Drawing composite;
  ASSERT_TRUE(composite.ReadDrawing(Cat(NestFolder(), "CompNest.DXF"), 0, 0, 0));
  std::set<std::string> labelLayers;
  bool yield = false;
  for (const drawing::TextItem& text : composite.GetTexts()) {
    if (text.LayerName.rfind("TavolinT", 0) == 0) labelLayers.insert(text.LayerName);
    if (text.Txt.rfind("Nest Composite,  Yield: ", 0) == 0) yield = true;
  }
  EXPECT_EQ(labelLayers.size(), sheetCount);
  EXPECT_TRUE(yield);

  // The hand-over file: sheets, markers, one line per drawing of the work list.
  const std::vector<std::string> handOver =
      Lines(files::ReadFile(Cat(NestFolder(), "Batch.lst")).value_or(""));
  ASSERT_EQ(handOver.size(), 1 + sheetCount + 2 + 45);
  EXPECT_EQ(handOver[0], "!HBDOff");
  for (std::size_t k = 0; k < sheetCount; ++k) EXPECT_EQ(handOver[k + 1], program.NestFiles[k]);
  EXPECT_EQ(handOver[sheetCount + 1], "!CNCOff");
  EXPECT_EQ(handOver[sheetCount + 2], "!HBDOn");
  for (std::size_t i = sheetCount + 3; i < handOver.size(); ++i) {
    EXPECT_EQ(handOver[i].rfind(Cat(program.AppDir, "Parts/"), 0), 0u) << handOver[i];
    EXPECT_EQ(handOver[i].back(), '^') << handOver[i];
  }
  EXPECT_EQ(ui.ActivatedTitles(), std::vector<std::string>{"Fennoway"});
  EXPECT_TRUE(program.Input.ProcEnabled);
  EXPECT_EQ(ui.Status("Progress"), "");
}

TEST_F(SampleJob, AnEarlierJobsSheetsOfTheSameNameAreLeftAloneAndNotHandedOver) {
  StartWithJob();
  Flag("Generate Batch", true);
  Flag("Prompt for Nest", true);
  // An earlier, bigger job under the same name left fourteen sheets in the nest folder.
  const std::string earlier =
      "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nEARLIER_JOB\n10\n0\n20\n0\n30\n0\n"
      "11\n2440\n21\n1220\n31\n0\n0\nENDSEC\n0\nEOF\n";
  for (int k = 1; k <= 14; ++k) {
    ASSERT_TRUE(files::WriteFileAtomic(
        Cat(NestFolder(), "NEST", text::Format(static_cast<double>(k), "000"), ".DXF"), earlier));
  }
  ui.ExpectNestName("NEST");
  nesting::Proc_Click(program);
  for (const auto& message : ui.Messages()) ADD_FAILURE() << message.title << ": " << message.text;

  const std::size_t sheetCount = program.NestFiles.size();
  ASSERT_EQ(sheetCount, 9u);
  const std::vector<std::string> handOver =
      Lines(files::ReadFile(Cat(NestFolder(), "Batch.lst")).value_or(""));
  ASSERT_GT(handOver.size(), sheetCount + 1);
  EXPECT_EQ(
      std::vector<std::string>(handOver.begin() + 1, handOver.begin() + 1 + static_cast<long>(sheetCount)),
      program.NestFiles);
  EXPECT_EQ(handOver[sheetCount + 1], "!CNCOff");
  for (std::size_t k = sheetCount + 1; k <= 14; ++k) {
    const std::string path = Cat(NestFolder(), "NEST", text::Format(static_cast<double>(k), "000"), ".DXF");
    EXPECT_EQ(files::ReadFile(path), earlier) << path;
  }

  drawing::Drawing composite;
  ASSERT_TRUE(composite.ReadDrawing(Cat(NestFolder(), "CompNest.DXF"), 0, 0, 0));
  std::set<std::string> labelLayers;
  for (const drawing::TextItem& text : composite.GetTexts()) {
    if (text.LayerName.rfind("TavolinT", 0) == 0) labelLayers.insert(text.LayerName);
  }
  EXPECT_EQ(labelLayers.size(), sheetCount);
  for (const drawing::SegmentItem& line : composite.GetEntities1()) {
    ASSERT_NE(line.LayerName, "EARLIER_JOB");
  }
}

TEST_F(SampleJob, ABatchRequestIsPickedUpNestedAndDeleted) {
  ASSERT_EQ(worklist::InputWindow_Load(program), worklist::InputWindowLoad::Loaded);
  stock::ShtStk_Load(program);
  worklist::SPath_Change(program, Cat(program.AppDir, "Parts/"));
  Flag("Respond to Batch", true);
  const std::string request = Cat(program.AppDir, "Parts/Batch.lst");
  ASSERT_TRUE(files::WriteFileAtomic(request,
                                     "C:\\Jobs\\2417\\B1_Door,1,PAINT GRADE MDF 19\r\n"
                                     "B1_LeftSide.dxf\r\n"
                                     "\r\n"
                                     "Gone_Part,2\r\n"
                                     "W1\\W1_Shelf.DXF\r\n"));
  nesting::BLT_Timer(program);  // finds it
  EXPECT_EQ(ui.RaiseCalls(), 0);
  nesting::BLT_Timer(program);  // finds it unchanged and takes it
  for (const auto& message : ui.Messages()) ADD_FAILURE() << message.title << ": " << message.text;
  EXPECT_FALSE(fs::exists(request));
  EXPECT_EQ(program.PList.CellText(1, 3), "B1_Door.dxf");
  EXPECT_EQ(program.PList.CellText(4, 3), "");
  EXPECT_EQ(ui.RaiseCalls(), 1);
  EXPECT_FALSE(program.NestFiles.empty());
  for (const std::string& sheet : program.NestFiles) EXPECT_TRUE(fs::exists(sheet)) << sheet;
  EXPECT_TRUE(fs::exists(Cat(NestFolder(), "CompNest.DXF")));
}

TEST_F(SampleJob, AMissingDrawingAbortsTheRunAndKeepsTheSheetsWritten) {
  StartWithJob();
  // The melamine group comes last; its drawing goes while the run is under way.
  ui.SetProcessEventsHook([this] { fs::remove(Cat(program.AppDir, "Parts/W2_Side.dxf")); });
  nesting::Proc_Click(program);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.LastMessage().title, "Nesting Error");
  EXPECT_EQ(ui.LastMessage().text,
            Cat("DXF File  ", program.AppDir, "Parts/W2_Side.dxf  Not found\n\n         Nesting aborted"));
  EXPECT_FALSE(program.NestFiles.empty());
  for (const std::string& sheet : program.NestFiles) EXPECT_TRUE(fs::exists(sheet)) << sheet;
  EXPECT_FALSE(fs::exists(Cat(NestFolder(), "CompNest.DXF")));
  EXPECT_TRUE(program.Input.ProcEnabled);
  EXPECT_EQ(ui.CurrentPointer(), core::Pointer::Normal);
}

TEST_F(SampleJob, AMissingNestFolderAnsweredNoWritesNothing) {
  StartWithJob();
  Text("NEST PATH", Cat(program.AppDir, "Elsewhere/Nests/"));
  ui.ExpectQuestion("Path Does Not Exist", core::MsgResult::No);
  nesting::Proc_Click(program);
  EXPECT_EQ(ui.LastMessage().title, "Nest Path Error");
  EXPECT_EQ(ui.Messages().size(), 1u);
  EXPECT_FALSE(fs::exists(Cat(program.AppDir, "Elsewhere")));
  EXPECT_TRUE(program.NestFiles.empty());
  EXPECT_TRUE(program.Input.ProcEnabled);
}

TEST_F(SampleJob, AMaterialWithoutStockIsSkippedAndTheStockUpdateTakesTheSheetsOff) {
  StartWithJob();
  Flag("Sheet Stock Qty", true);
  // Hardboard stays in the library but may not be used.
  long hardboard = 0;
  for (long r = 1; r <= program.SSList.MaxRows(); ++r) {
    if (program.SSList.CellText(r, 2) == "WHITE HARDBOARD 6") hardboard = r;
  }
  ASSERT_GT(hardboard, 0);
  program.SSList.SetCellText(hardboard, 1, "0");
  std::vector<double> before;
  for (long r = 1; r <= program.SSList.MaxRows(); ++r)
    before.push_back(text::Val(program.SSList.CellText(r, 5)));
  ui.ExpectQuestion("Update Sheet Stock Quantities?", core::MsgResult::Yes);
  nesting::Proc_Click(program);

  ASSERT_EQ(ui.Messages().size(), 2u);
  EXPECT_EQ(ui.Messages()[0].text, "Requested material is unavailable for these parts. \rWHITE HARDBOARD 6");
  for (const std::string& sheet : program.NestFiles) {
    const Sheet read = ReadSheet(sheet);
    EXPECT_NE(read.material, "WHITE HARDBOARD 6") << sheet;
  }
  int used = 0;
  for (long r = 1; r <= program.SSList.MaxRows(); ++r) {
    const double qty = before[static_cast<std::size_t>(r - 1)];
    const long taken = program.SheetsUsedByRow.at(static_cast<std::size_t>(r));
    used += static_cast<int>(taken);
    const double expected = qty == 0 ? 0 : qty - static_cast<double>(taken);
    EXPECT_EQ(text::Val(program.SSList.CellText(r, 5)), expected) << "stock row " << r;
    if (program.SSList.CellText(r, 2).empty()) {
      EXPECT_EQ(program.SSList.CellText(r, 5), "0") << r;
    }
  }
  EXPECT_EQ(used, static_cast<int>(program.NestFiles.size()));
  EXPECT_TRUE(fs::exists(Cat(NestFolder(), "CompNest.DXF")));
}

}  // namespace
}  // namespace tv::e2e
