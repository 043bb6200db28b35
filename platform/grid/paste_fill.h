// Paste with fill-down, as the Paste command of the main window uses it on a grid: the
// clipboard goes in at the active cell, then the text that landed in the first row is
// copied down the selected rows of that column.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "grid/grid.h"

namespace tv::grid {

// Column and rows come from selection 0; with nothing selected from the active cell down to
// the last row. writeCell writes one cell the way the grid's owner writes it (the sheet
// stock trims, the work list does not).
void PasteFillDown(Grid& grid, std::string_view clipboardText,
                   const std::function<void(long row, long col, const std::string& text)>& writeCell);

}  // namespace tv::grid
