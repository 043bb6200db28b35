#include "stock/stock_window.h"

#include <algorithm>

#include "core/program.h"
#include "files/file_ops.h"
#include "stock/stock_cells.h"
#include "stock/stock_materials.h"
#include "support/ini.h"
#include "support/paths.h"
#include "support/sort_grid.h"
#include "text/number_text.h"

namespace tv::stock {

namespace {

const std::vector<std::string> kStockHeaders = {
    "OK", "Sheet Stock Material", "Drop", "Grain", "Qty", "Length", "Width", "Thickness"};
const std::vector<std::string> kPullHeaders = {
    "Y", "Pull List Material", "Drop", "Grain", "Qty", "Length", "Width", "Thickness"};

// Columns, headers and, for the sheet stock, the tick column: a file may bring other ones.
void ShapeStockGrid(grid::Grid& g, const std::vector<std::string>& headers, bool tickColumn) {
  if (g.MaxCols() < kStockCols) g.SetMaxCols(kStockCols);
  g.SetHeaders(headers);
  if (tickColumn) {
    g.SetRow(-1);
    g.SetCol(kColOk);
    g.SetCellKind(grid::Kind::CheckBox);
  }
}

// The save on leaving the grid, which the operator does not ask for: a failure is told with the
// path and the reason, once per failure — the same failure again stays quiet until a save has
// gone through or the reason changed. A file protected since the load (see SaveStock) is
// skipped without a message: the load said so.
void SaveStockOrTell(core::Program& program) {
  if (program.StockFileUnreadable) return;
  std::string error;
  if (SaveStock(program, &error)) {
    program.StockSaveFailureTold.clear();
    return;
  }
  const std::string text = "Sheet Stock Not Saved:\r" + StockFilePath(program) + "\r" + error;
  if (text != program.StockSaveFailureTold) {
    program.StockSaveFailureTold = text;
    program.ui().Tell(text, "Alert", core::MsgIcon::Critical);
  }
}

}  // namespace

void SetUpStockGrids(core::Program& program) {
  grid::Grid& stock = program.SSList;
  stock.SetMaxCols(kStockCols);
  stock.SetMaxRows(kDefaultStockRows);
  stock.SetMultiSelect(true);
  ShapeStockGrid(stock, kStockHeaders, true);

  grid::Grid& pull = program.MPL;
  pull.SetMaxCols(kStockCols);
  pull.SetMaxRows(kDefaultStockRows);
  ShapeStockGrid(pull, kPullHeaders, false);
  pull.SetColumnHiddenAt(kColOk, true);
}

std::string StockFolder(const core::Program& program) {
  return program.MaterialDataPath.size() >= 4 ? program.MaterialDataPath : program.AppDir;
}

std::string StockFilePath(const core::Program& program) {
  return StockFolder(program) + "Mat.dat";
}

void ShtStk_Load(core::Program& program) {
  if (program.SSList.MaxCols() < kStockCols || program.SSList.MaxRows() == 0) SetUpStockGrids(program);
  program.StockLoading = true;
  program.MaterialDataPath = support::AddBackslash(support::ReadIni(program, "Config", "MaterialDataPath"));

  const std::string path = StockFilePath(program);
  program.StockFileUnreadable = false;
  std::string error;
  // At start-up there is no earlier stock to keep, so the rows read before a fault stay on
  // show. The file is the operator's stock library, though: it must not be replaced by a save
  // of what little (or nothing) we understood, and the operator is told why.
  if (files::Exist(path) && !program.SSList.LoadGridFile(path, &error, {grid::PartialLoad::KeepRowsRead})) {
    program.StockFileUnreadable = true;
    program.ui().Tell("Sheet Stock Not Loaded Whole:\r" + path + "\r" + error +
                          "\rThe file is kept as it is until the sheet stock is changed.",
                      "Alert", core::MsgIcon::Warning);
  }
  ShapeStockGrid(program.SSList, kStockHeaders, true);
  // The run's tally writes one pull-list row per stock row it draws from.
  if (program.MPL.MaxRows() < program.SSList.MaxRows()) program.MPL.SetMaxRows(program.SSList.MaxRows());

  RefreshMaterialChoices(program);
  program.StockLoading = false;
  program.MPL.SetColumnHiddenAt(kColOk, true);

  grid::GridEvents& events = program.SSList.Events();
  events.ButtonClicked = [&program](long col, long row, int state) {
    SSList_ButtonClicked(program, col, row, state);
  };
  events.DblClick = [&program](long col, long row) { SSList_DblClick(program, col, row); };
  events.CellChange = [&program](long col, long row) { SSList_CellChange(program, col, row); };
  events.GotFocus = [&program] { SSList_GotFocus(program); };
  events.LostFocus = [&program] { SSList_LostFocus(program); };
}

bool SaveStock(const core::Program& program, std::string* error) {
  if (program.StockFileUnreadable) {
    if (error) *error = "the stock library on disk could not be read and is kept as it is";
    return false;
  }
  return program.SSList.SaveGridFile(StockFilePath(program), true, error);
}

void NoteStockEntered(core::Program& program) {
  program.StockFileUnreadable = false;
}

void SSList_ButtonClicked(core::Program& program, long col, long row, int state) {
  // A run builds its sheet list from these rows until it has ended.
  if (col != kColOk || state < 1 || program.StockLoading || program.RunInProgress) return;
  const bool lacking = GetStockCell(program, row, kColMaterial).empty() ||
                       text::Val(GetStockCell(program, row, kColLength)) == 0 ||
                       text::Val(GetStockCell(program, row, kColWidth)) == 0 ||
                       text::Val(GetStockCell(program, row, kColThickness)) == 0;
  if (lacking) {
    program.ui().Tell("Information not entered for:\rMaterial, Kerf, Length, Width or Thickness", "Alert",
                      core::MsgIcon::Warning);
    program.SSList.SetCellText(row, kColOk, "");
    return;
  }
  NoteStockEntered(program);
}

void SSList_DblClick(core::Program& program, long col, long row) {
  // A run refers to stock rows by number until it has ended.
  if (row == 0 && !program.RunInProgress) support::SortGridByColumn(program, program.SSList, col);
}

void SSList_CellChange(core::Program& program, long, long row) {
  if (program.RunInProgress) return;
  SetStockCell(program, row, kColMaterial, GetStockCell(program, row, kColMaterial));
  NoteStockEntered(program);
}

void SSList_GotFocus(core::Program& program) {
  program.FocusedGrid = 2;
}

void SSList_LostFocus(core::Program& program) {
  SaveStockOrTell(program);
  RefreshMaterialChoices(program);
}

void SSList_PopupClosed(core::Program& program, bool deleteRequested) {
  if (!deleteRequested) return;
  grid::Grid& stock = program.SSList;
  // A run refers to stock rows by number until it has ended.
  if (!program.RunInProgress && (stock.IsBlockSelected() || stock.SelectionCount() != 0)) {
    const core::MsgResult answer =
        program.ui().Message("Delete selected entries in Sheet Stock List?", "Query", core::MsgIcon::None,
                             core::MsgButtons::YesNo);
    if (answer == core::MsgResult::Yes) {
      stock.SetBlockSelect(true);
      const long count = stock.SelectionCount();
      for (long i = 0; i < count; ++i) {
        stock.SetSelectionIndex(i);
        stock.DoAction(grid::ActionCode::DeleteRows);
      }
      stock.SetBlockSelect(false);
      NoteStockEntered(program);
    }
  }
  stock.ClearSelection();
}

}  // namespace tv::stock
