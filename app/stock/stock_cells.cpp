#include "stock/stock_cells.h"

#include "core/program.h"
#include "stock/units.h"
#include "text/ascii_text.h"
#include "text/number_text.h"

namespace tv::stock {

std::string GetStockCell(const core::Program& program, long row, long col) {
  return program.SSList.CellText(row, col);
}

void SetStockCell(core::Program& program, long row, long col, std::string_view text) {
  program.SSList.SetCellText(row, col, text::TrimBlanks(text));
}

double GetStockQty(const core::Program& program, long row) {
  return text::Val(GetStockCell(program, row, kColQty));
}

double GetStockLength(const core::Program& program, long row) {
  return ToWorkUnits(program, GetStockCell(program, row, kColLength), 150);
}

double GetStockWidth(const core::Program& program, long row) {
  return ToWorkUnits(program, GetStockCell(program, row, kColWidth), 100);
}

double GetStockThickness(const core::Program& program, long row) {
  return ToWorkUnits(program, GetStockCell(program, row, kColThickness), 4);
}

}  // namespace tv::stock
