// A nested sheet built from sample part drawings in the order the sheet builder uses (merge and
// tag each part, depth limits, route order, cut-outs, border, perimeter route, drop cut,
// stripping, barcode), written to a file and read back by an independent DXF library.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

#include "nesting/cut_paths.h"
#include "nesting/layer_rules.h"
#include "nesting/sheet_barcode.h"
#include "sheet_fixture.h"
#include "testing/run_command.h"
#include "testing/temp_folder.h"

namespace tv::nesting {
namespace {

// Reads the file with ezdxf's recovering reader, audits it and prints "key value" lines: the
// number of problems found, the layers, entity counts per type and layer, and the depths at
// both ends of the first line on the first cut-out route layer.
constexpr const char* kReadBack = R"(
import sys
from ezdxf import recover
doc, auditor = recover.readfile(sys.argv[1])
audit = doc.audit()
print('problems', len(auditor.errors) + len(audit.errors))
for layer in doc.layers:
    print('layer', layer.dxf.name)
counts = {}
for e in doc.modelspace():
    key = e.dxftype() + '@' + e.dxf.layer
    counts[key] = counts.get(key, 0) + 1
for key, n in sorted(counts.items()):
    print('count', key, n)
first = doc.modelspace().query('LINE[layer=="Route601_T1L"]').first
print('z601', first.dxf.start.z, first.dxf.end.z)
)";

class SheetFile : public testing::SheetTest {};

TEST_F(SheetFile, WrittenSheetWithRoutesIsSoundDxf) {
  if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0) GTEST_SKIP() << "ezdxf missing";
  const std::string parts = std::string(TAVOLIN_SOURCE_DIR) + "/samples/Parts/";
  program.CutOutRouter = "1";
  program.CutOutClockwise = true;
  program.LeadLength = 20;
  program.CutOutClearance = 2;
  program.OsThickness = 0.5;
  program.CutOutDepthPlus = 0.8;
  program.PerimeterClean = true;
  program.DropCutLength = 300;
  program.DropCutPasses = 1;
  RunValues run;
  run.SheetLength = 2440;
  run.SheetWidth = 1220;
  run.SheetThickness = 19;
  run.SawKerf = 10;
  run.SheetNumberText = "1";

  // Side 720 x 560, shelf 561 x 520, stretcher 562 x 100 (small), placed inside a margin of 10.
  const struct {
    const char* file;
    double x, y;
  } placed[] = {{"B1_LeftSide.dxf", 10, 10}, {"B1_Shelf.dxf", 740, 10}, {"B1_Stretcher.dxf", 10, 580}};
  for (int p = 0; p < 3; ++p) {
    std::string error;
    ASSERT_TRUE(
        program.DXF1.ReadDrawing(parts + placed[p].file, p == 0 ? 0 : 1, placed[p].x, placed[p].y, &error))
        << error;
    TagBorderLayers(program, p + 1, 100000);
  }
  ZLimit(program, 19);
  SetRoute1(program);
  GenCutOuts(program, run);
  program.DXF1.AddLine(0, 0, 0, 0, 1220, 0, "Border_Z19");
  program.DXF1.AddLine(0, 1220, 0, 2440, 1220, 0, "Border_Z19");
  program.DXF1.AddLine(2440, 1220, 0, 2440, 0, 0, "Border_Z19");
  program.DXF1.AddLine(2440, 0, 0, 0, 0, 0, "Border_Z19");
  PerimClean(program, run);
  GenDropCut(program, run);
  StripLayers(program);
  DrawBC(program, run, "NEST001", static_cast<float>(2440 / 1.5), static_cast<float>(1220 * 1.02));

  const test_support::TempFolder folder;
  const std::string file = folder.Path() + "sheet.dxf";
  program.DXF1.SetOutputFile(file);
  std::string error;
  ASSERT_TRUE(program.DXF1.WriteDrawing(&error)) << error;
  const std::string script = folder.Write("read_back.py", kReadBack);
  std::istringstream report(
      test_support::RunCommand("/usr/bin/python3 '" + script + "' '" + file + "' 2>&1").output);

  std::map<std::string, std::string> facts;
  std::set<std::string> layers;
  for (std::string line; std::getline(report, line);) {
    std::istringstream words(line);
    std::string key, name, value;
    words >> key >> name;
    std::getline(words >> std::ws, value);
    if (key == "layer") layers.insert(name);
    facts[key == "count" ? name : key] = key == "count" ? value : name + (value.empty() ? "" : " " + value);
  }
  EXPECT_EQ(facts["problems"], "0");
  // Part outlines and annotation stay out of the file; machining and sheet layers are in it.
  EXPECT_FALSE(layers.count("L_Nested_Part_001"));
  EXPECT_FALSE(layers.count("S_Nested_Part_003"));
  EXPECT_FALSE(layers.count("NAME"));
  EXPECT_TRUE(layers.count("VBORE_Z12"));
  EXPECT_TRUE(layers.count("Route601_T1L"));
  EXPECT_EQ(facts["LINE@Route601_T1L"], "7");
  EXPECT_EQ(facts["LINE@Route602_T1L"], "7");
  EXPECT_EQ(facts["LINE@Route603_T1L"], "7");
  EXPECT_EQ(facts["LINE@Route303_T1L"], "7");  // the stretcher is small: a skin pass first
  EXPECT_EQ(facts.count("LINE@Route301_T1L"), 0u);
  EXPECT_EQ(facts["LINE@Border_Z19"], "4");
  EXPECT_EQ(facts["LINE@Route900_T1L"], "2");
  EXPECT_NE(facts["LINE@Route901_T1L"], "");
  EXPECT_NE(facts["SOLID@TavolinT1"], "");
  // The lead-in starts at the surface and reaches the through depth at the part edge.
  EXPECT_EQ(facts["z601"], "0.0 19.8");
}

}  // namespace
}  // namespace tv::nesting
