// Pull-list rows are found again by their material and drop texts as they stand in the grid.
#include "nesting/pull_list_tally.h"

#include "stock/stock_cells.h"
#include "text/number_text.h"

namespace tv::nesting {
void ClearPullList(grid::Grid& pullList, int& rowCount) {
  rowCount = 0;
  pullList.SetRow(1);
  pullList.SetRow2(-1);
  pullList.SetCol(1);
  pullList.SetCol2(-1);
  pullList.SetBlockSelect(true);
  pullList.DoAction(grid::ActionCode::ClearText);
  pullList.SetBlockSelect(false);
}

void TallyPullList(grid::Grid& pullList, const grid::Grid& stock, int& rowCount, long stockRow) {
  const std::string material = stock.CellText(stockRow, stock::kColMaterial);
  const std::string drop = stock.CellText(stockRow, stock::kColDrop);
  for (long r = 1; r <= pullList.MaxRows(); ++r) {
    if (pullList.CellText(r, stock::kColDrop) == drop &&
        pullList.CellText(r, stock::kColMaterial) == material) {
      pullList.SetCellText(r, stock::kColQty,
                           text::CStr(text::Val(pullList.CellText(r, stock::kColQty)) + 1));
      return;
    }
  }
  ++rowCount;
  if (pullList.MaxRows() < rowCount) pullList.SetMaxRows(rowCount);
  if (pullList.MaxCols() < stock.MaxCols()) pullList.SetMaxCols(stock.MaxCols());
  for (long c = 1; c <= stock.MaxCols(); ++c) {
    pullList.SetCellText(rowCount, c, c == stock::kColQty ? std::string("1") : stock.CellText(stockRow, c));
  }
}

}  // namespace tv::nesting
