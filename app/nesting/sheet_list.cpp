// Sheet records carry the sizes in the work unit, converted from the stock cells as typed.
#include "nesting/sheet_list.h"

#include "stock/material_key.h"
#include "stock/stock_cells.h"
#include "text/number_text.h"

namespace tv::nesting {

void BuildSheetList(core::Program& program, RunValues& run) {
  run.SheetList.clear();
  const std::string groupKey = stock::MaterialKey(run.GroupMaterial);
  for (long row = 1; row <= program.SSList.MaxRows(); ++row) {
    if (text::Val(stock::GetStockCell(program, row, stock::kColOk)) == 0) continue;
    if (stock::MaterialKey(stock::GetStockCell(program, row, stock::kColMaterial)) != groupKey) continue;
    SheetRecord sheet;
    sheet.Drop = static_cast<std::int32_t>(
        text::RoundHalfEven(text::Val(stock::GetStockCell(program, row, stock::kColDrop))));
    sheet.Grain = text::Val(stock::GetStockCell(program, row, stock::kColGrain)) != 0;
    sheet.Qty = static_cast<std::int32_t>(text::RoundHalfEven(stock::GetStockQty(program, row)));
    sheet.Length = stock::GetStockLength(program, row);
    sheet.Width = stock::GetStockWidth(program, row);
    sheet.Thickness = stock::GetStockThickness(program, row);
    sheet.StockRow = static_cast<std::int32_t>(row);
    run.SheetList.push_back(sheet);
  }
}

}  // namespace tv::nesting
