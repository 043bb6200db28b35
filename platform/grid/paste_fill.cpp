#include "grid/paste_fill.h"

namespace tv::grid {

void PasteFillDown(Grid& grid, std::string_view clipboardText,
                   const std::function<void(long row, long col, const std::string& text)>& writeCell) {
  const Block selected = grid.Selection(0);
  long col = selected.col;
  long first = selected.row;
  long last = selected.row2;
  if (first < 1) {
    col = grid.ActiveCol();
    first = grid.ActiveRow();
  }
  if (col < 1) col = 1;
  if (first < 1) first = 1;
  if (last < 1) last = grid.MaxRows();

  grid.Paste(clipboardText);
  const std::string text = grid.CellText(first, col);
  for (long row = first; row <= last && row <= grid.MaxRows(); ++row) writeCell(row, col, text);
}

}  // namespace tv::grid
