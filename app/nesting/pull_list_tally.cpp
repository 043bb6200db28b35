// Pull-list rows are found again by their material and drop texts as they stand in the grid.
#include "nesting/pull_list_tally.h"

#include "text/number_text.h"

namespace tv::nesting {
namespace {
constexpr long kMaterialCol = 2;
constexpr long kDropCol = 3;
constexpr long kQtyCol = 5;
}  // namespace

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
  const std::string material = stock.CellText(stockRow, kMaterialCol);
  const std::string drop = stock.CellText(stockRow, kDropCol);
  for (long r = 1; r <= pullList.MaxRows(); ++r) {
    if (pullList.CellText(r, kDropCol) == drop && pullList.CellText(r, kMaterialCol) == material) {
      pullList.SetCellText(r, kQtyCol, text::CStr(text::Val(pullList.CellText(r, kQtyCol)) + 1));
      return;
    }
  }
  ++rowCount;
  if (pullList.MaxRows() < rowCount) pullList.SetMaxRows(rowCount);
  if (pullList.MaxCols() < stock.MaxCols()) pullList.SetMaxCols(stock.MaxCols());
  for (long c = 1; c <= stock.MaxCols(); ++c) {
    pullList.SetCellText(rowCount, c, c == kQtyCol ? std::string("1") : stock.CellText(stockRow, c));
  }
}

}  // namespace tv::nesting
