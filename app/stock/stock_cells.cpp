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
  return text::Val(GetStockCell(program, row, kQtyCol));
}

double GetStockLength(const core::Program& program, long row) {
  return ToWorkUnits(program, GetStockCell(program, row, kLengthCol), 150);
}

double GetStockWidth(const core::Program& program, long row) {
  return ToWorkUnits(program, GetStockCell(program, row, kWidthCol), 100);
}

double GetStockThickness(const core::Program& program, long row) {
  return ToWorkUnits(program, GetStockCell(program, row, kThicknessCol), 4);
}

}  // namespace tv::stock
