// A program with a fresh program folder and set-up sheet-stock grids, for the stock tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/program.h"
#include "stock/stock.h"
#include "testing/scripted_ui.h"
#include "testing/temp_folder.h"

namespace tv::stock {

class StockFixture : public ::testing::Test {
 protected:
  StockFixture() {
    program_.AppDir = temp_.Path();
    program_.IniPath = temp_.Path() + "TAVO.INI";
    SetUpStockGrids(program_);
  }

  // Writes cells from column 1 on.
  void StockRow(long row, const std::vector<std::string>& cells) {
    for (size_t i = 0; i < cells.size(); ++i)
      program_.SSList.SetCellText(row, static_cast<long>(i) + 1, cells[i]);
  }
  void WorkListMaterial(long row, const std::string& material) {
    if (program_.PList.MaxRows() < row) program_.PList.SetMaxRows(row);
    program_.PList.SetCellText(row, 8, material);
  }
  std::string Material(long row) const { return program_.SSList.CellText(row, kColMaterial); }

  test_support::TempFolder temp_;
  test_support::ScriptedUi ui_;
  core::Program program_{ui_};
};

}  // namespace tv::stock
