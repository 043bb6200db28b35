// A program for the work-list tests: scripted Ui, a temporary program folder with its own
// registry store, and helpers to fill the work list, the sheet stock and files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/program.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"
#include "worklist/work_list.h"

namespace tv::worklist::testing {

using test_support::WriteText;

class WorkListTest : public ::testing::Test {
 protected:
  WorkListTest() : program(ui) {
    std::filesystem::create_directories(root / "app");
    program.AppDir = (root / "app").string() + "/";
    program.IniPath = program.AppDir + "TAVO.INI";
    program.NestTmpDir = program.AppDir + "NestTmp/";
    program.RegistryFolder = (root / "registry").string();
    SetUpWorkListGrid(program, 10);
  }
  // A folder below the test's root, with a trailing "/".
  std::string Folder(const std::string& name) {
    std::filesystem::create_directories(root / name);
    return (root / name).string() + "/";
  }
  static std::string SampleFolder(const std::string& name) {
    return std::string(TAVOLIN_SOURCE_DIR) + "/samples/" + name + "/";
  }

  // Writes cells from column 1 on into a work-list row.
  void SetRow(long row, std::initializer_list<std::string> cells) {
    long col = 1;
    for (const std::string& text : cells) SetWorkListCell(program, row, col++, text);
  }
  std::string Cell(long row, long col) { return GetWorkListCell(program, row, col); }
  // The sheet stock's materials, one per row from row 1; the other rows empty.
  void SetStock(std::initializer_list<std::string> materials) {
    if (program.SSList.MaxRows() < 20) program.SSList.SetMaxRows(20);
    for (long row = 1; row <= program.SSList.MaxRows(); ++row) program.SSList.SetCellText(row, 2, "");
    long row = 1;
    for (const std::string& material : materials) program.SSList.SetCellText(row++, 2, material);
  }
  std::vector<std::string> StockMaterials() {
    std::vector<std::string> out;
    for (long row = 1; row <= program.SSList.MaxRows(); ++row) {
      if (!program.SSList.CellText(row, 2).empty()) out.push_back(program.SSList.CellText(row, 2));
    }
    return out;
  }

  test_support::ScriptedUi ui;
  core::Program program;
  test_support::TempFolder temp;
  std::filesystem::path root{temp.Path()};
};

}  // namespace tv::worklist::testing
