#include "support/sort_grid.h"

#include "core/program.h"
#include "grid/grid.h"

namespace tv::support {

void SortGridByColumn(core::Program& program, grid::Grid& grid, long col) {
  // Column 2 is filled in every used row of both grids ("Qty", the stock material), so its
  // first empty cell ends the rows worth sorting.
  long last = grid.MaxRows();
  for (long row = 1; row <= grid.MaxRows(); ++row) {
    if (grid.CellText(row, 2).empty()) {
      last = row - 1;
      break;
    }
  }
  if (col != program.LastSortColumn) program.SortOrder = 1;

  grid.SetRow(1);
  grid.SetRow2(last);
  grid.SetCol(1);
  grid.SetCol2(grid.MaxCols());
  grid.SetSortBy(0);
  grid.SetSortKey(1, col);
  grid.SetSortKey(2, 0);  // no key left over from an earlier sort of this grid
  grid.SetSortKey(3, 0);
  grid.SetSortKeyOrder(1, static_cast<int>(program.SortOrder));
  grid.DoAction(grid::ActionCode::Sort);

  program.SortOrder = program.SortOrder == 1 ? 2 : 1;
  program.LastSortColumn = col;
}

}  // namespace tv::support
