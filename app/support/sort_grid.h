// Sorting a grid by one column from its header: the work list and the sheet stock share it.
#pragma once

namespace tv::grid {
class Grid;
}
namespace tv::core {
class Program;
}

namespace tv::support {

// Sorts the filled rows (row 1 down to the row before the first empty column-2 cell) by col,
// whole rows. The first sort of a column is ascending; sorting the same column again
// alternates; callers that need ascending order set Program::SortOrder = 1 first.
void SortGridByColumn(core::Program& program, grid::Grid& grid, long col);

}  // namespace tv::support
