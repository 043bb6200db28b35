// The material pull list: which stock sheets a nesting run used and how many of each. The run
// clears it at its start and tallies one sheet after each sheet file it writes.
#pragma once

#include "grid/grid.h"

namespace tv::nesting {

// Empties the text of every pull-list cell (the rows stay) and resets the row counter.
void ClearPullList(grid::Grid& pullList, int& rowCount);

// Tallies one sheet of sheet-stock row stockRow: the pull-list row with the same material
// (column 2) and drop (column 3) texts, case counting, gets one more in column 5; without one,
// the next new row copies the stock row's cells with 1 in column 5. The pull list grows when it
// has no row left, so a run never loses a tally.
void TallyPullList(grid::Grid& pullList, const grid::Grid& stock, int& rowCount, long stockRow);

}  // namespace tv::nesting
