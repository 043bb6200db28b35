// Cell access to the sheet-stock grid and the stock values of one of its rows.
#pragma once

#include <string>
#include <string_view>

namespace tv::core {
class Program;
}

namespace tv::stock {

// Columns of the sheet-stock grid (and of the pull list, which has the same layout).
enum StockColumn : long {
  kColOk = 1,
  kColMaterial = 2,
  kColDrop = 3,
  kColGrain = 4,
  kColQty = 5,
  kColLength = 6,
  kColWidth = 7,
  kColThickness = 8,
  kStockCols = 8,
};

std::string GetStockCell(const core::Program& program, long row, long col);
// Writes the text with the blanks at both ends removed.
void SetStockCell(core::Program& program, long row, long col, std::string_view text);

// Numeric value of "Qty".
double GetStockQty(const core::Program& program, long row);
// The sizes as typed, in the work unit (thresholds 150, 100 and 4 tell millimetres from inches).
double GetStockLength(const core::Program& program, long row);
double GetStockWidth(const core::Program& program, long row);
double GetStockThickness(const core::Program& program, long row);

}  // namespace tv::stock
