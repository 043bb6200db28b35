// A program folder in a temporary directory for the tests of the nesting run: source, nest and
// CSV folders, small part drawings, settings, sheet stock and work-list rows written directly
// into the grids, and a scripted optimizer standing in for the real one.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/program.h"
#include "drawing/drawing.h"
#include "fake_vrex.h"
#include "files/files.h"
#include "nesting/material_group.h"
#include "nesting/run_driver.h"
#include "stock/stock_window.h"
#include "support/folder_list.h"
#include "testing/cat.h"
#include "testing/dxf_fixture.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"
#include "worklist/work_list.h"

namespace tv::nesting::testing {

namespace fs = std::filesystem;

using test_support::Cat;

struct WorkRow {
  std::string file;      // File Name as the work list holds it
  std::string material;  // Material
  double length = 0;
  double width = 0;
  int qty = 1;
  std::string cabinet = "B1";
  std::string description = "Side";
  std::string ok = "1";
};

inline sawplan::tVREXPlacedPartData PlacedAt(int pid, double length, double width, double x, double y) {
  sawplan::tVREXPlacedPartData placed{};
  placed.pid = pid;
  placed.length = length;
  placed.width = width;
  placed.lengthcoord = x;
  placed.widthcoord = y;
  return placed;
}

class RunTest : public ::testing::Test {
 protected:
  RunTest() : program(ui) {
    fs::create_directories(root / "src");
    fs::create_directories(root / "nests");
    fs::create_directories(root / "csv");
    program.AppDir = root.string() + "/";
    program.RegistryFolder = (root / "registry").string();
    program.Input.SourceFolderText = Src();
    support::SetFileListPath(program.Input.NestList, Nests());
    stock::SetUpStockGrids(program);
    worklist::SetUpWorkListGrid(program, 10);
    Setting("Perimeter Margin", "10");
    Setting("Nest Name", "job");
    Setting("NEST PATH", Nests());
    Setting("CSV Path", Csv());
    Setting("OS Area <", "40000");
    Setting("OS Thickness", "0.5");
    Setting("Lead Length", "10");
    Setting("Cut Out Clearance", "1");
    Setting("Cut Out Diameter", "10");
    Setting("Cut Out Router#", "1");
    Setting("Cut Out Direction", "0");
    Setting("Cut Out Depth +", "0.3");
    Setting("Tag Parts", "YES");
    Setting("Attach Barcode", "YES");
    Setting("Make CSV Files", "YES");
    Setting("Font Size", "3");
    factory = [this](std::string&) {
      if (static_cast<std::size_t>(created) >= passes.size()) {
        ADD_FAILURE() << "more optimizer passes than the test scripted";
        return VrexRef();
      }
      FakeVrex& pass = *passes[static_cast<std::size_t>(created++)];
      pass.AddRef();
      return VrexRef(&pass);
    };
  }
  std::string Src() const { return (root / "src").string() + "/"; }
  std::string Nests() const { return (root / "nests").string() + "/"; }
  std::string Csv() const { return (root / "csv").string() + "/"; }

  // Sets an edit-cell setting, adding its row when the grid has none of that name.
  void Setting(const std::string& name, const std::string& value) {
    grid::Grid& g = program.Settings;
    for (long r = 1; r <= g.MaxRows(); ++r) {
      if (g.CellText(r, 1) == name) {
        g.SetCellText(r, 2, value);
        return;
      }
    }
    g.SetMaxRows(g.MaxRows() + 1);
    g.SetCellText(g.MaxRows(), 1, name);
    g.SetCellText(g.MaxRows(), 2, value);
  }

  // OK, material, drop, grain, qty, length, width, thickness.
  void StockRow(long row, const std::vector<std::string>& cells) {
    for (std::size_t c = 0; c < cells.size(); ++c)
      program.SSList.SetCellText(row, static_cast<long>(c) + 1, cells[c]);
  }

  // Melamine parts a and b, oak part c, with one stock row of each material. The work list
  // holds c first; the run's sort by material moves it to the end.
  void TwoMaterials(const WorkRow& bRow = {"b.dxf", "MEL WHITE 19", 500, 300}) {
    WritePart("a.dxf", 600, 400);
    WritePart("b.dxf", 500, 300);
    WritePart("c.dxf", 700, 200);
    StockRow(1, {"1", "OAK 19", "0", "0", "5", "2440", "1220", "19"});
    StockRow(2, {"1", "MEL WHITE 19", "0", "0", "10", "2440", "1220", "19"});
    SetWorkRow(1, {"c.dxf", "OAK 19", 700, 200});
    SetWorkRow(2, {"a.dxf", "MEL WHITE 19", 600, 400});
    SetWorkRow(3, bRow);
  }

  void SetWorkRow(long row, const WorkRow& w) {
    grid::Grid& g = program.PList;
    g.SetCellText(row, 1, w.ok);
    g.SetCellText(row, 2, Cat(" ", std::to_string(w.qty)));
    g.SetCellText(row, 3, w.file);
    g.SetCellText(row, 4, "2417");
    g.SetCellText(row, 6, w.cabinet);
    g.SetCellText(row, 7, w.description);
    g.SetCellText(row, 8, w.material);
    g.SetCellText(row, 9, Cat(" ", std::to_string(w.length)));
    g.SetCellText(row, 10, Cat(" ", std::to_string(w.width)));
    g.SetCellText(row, 11, " 19");
    g.SetCellText(row, 12, Src());
    g.SetCellText(row, 23, "0");
    g.SetCellText(row, 24, " 0");
    g.SetCellText(row, 25, " 0");
  }

  // A part drawing in the source folder: its outline from (0, 0) and a route inside it.
  // With a material, the drawing carries it (and its cabinet) in its comment fields.
  void WritePart(const std::string& file, double length, double width, const std::string& material = "") {
    test_support::DxfFixture dxf;
    dxf.Comment(Cat("Tavolin: ", file));
    if (!material.empty())
      dxf.Comment(Cat("Material: ", material)).Comment("Cabinet: B1").Comment("Job: 2417");
    dxf.LineRect("BORDER_Z19", 0, 0, length, width);
    dxf.Line("ROUTE5_Z6_T2", 20, 20, length - 20, 20, 6);
    ASSERT_TRUE(files::WriteFileAtomic(Src() + file, dxf.Dxf()));
  }

  // Scripts the optimizer pass of the next material group (groups run in material order).
  FakeVrex& Pass(std::vector<FakeLayout> layouts = {}) {
    passes.push_back(std::make_unique<FakeVrex>());
    passes.back()->layouts = std::move(layouts);
    return *passes.back();
  }

  void Run() { Proc_Click(program, factory); }

  // Names of the files in a folder, sorted.
  std::vector<std::string> FilesIn(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  // A written drawing read back by the program's own reader.
  std::unique_ptr<drawing::Drawing> ReadBack(const std::string& path) {
    auto dxf = std::make_unique<drawing::Drawing>();
    std::string error;
    EXPECT_TRUE(dxf->ReadDrawing(path, 0, 0, 0, &error)) << path << ": " << error;
    return dxf;
  }

  test_support::TempFolder temp;
  fs::path root = fs::path(temp.Path()).parent_path();
  test_support::ScriptedUi ui;
  core::Program program;
  std::vector<std::unique_ptr<FakeVrex>> passes;
  int created = 0;
  VrexFactory factory;
};

}  // namespace tv::nesting::testing
