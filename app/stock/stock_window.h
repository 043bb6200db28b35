// The material window's logic: the sheet-stock and pull-list grids, loading and saving
// "Mat.dat", and the sheet-stock grid's events.
#pragma once

#include <string>

namespace tv::core {
class Program;
}

namespace tv::stock {

// Rows the two grids offer before "Mat.dat" says otherwise.
constexpr long kDefaultStockRows = 100;

// Headers, sizes and cell kinds of the sheet-stock grid (column 1 a check box) and of the
// pull list (column 1 hidden).
void SetUpStockGrids(core::Program& program);

// Folder of "Mat.dat": MaterialDataPath when it has at least 4 characters, else AppDir.
std::string StockFolder(const core::Program& program);
std::string StockFilePath(const core::Program& program);

// The material window's load: MaterialDataPath from the INI file, the sheet stock from
// "Mat.dat" (a missing file leaves it empty, without a message; one that cannot be read whole
// keeps the rows read before the fault, is reported and is protected from the saves), the
// work list's material choices. Installs the sheet-stock grid's event handlers.
void ShtStk_Load(core::Program& program);

// Writes the sheet stock to "Mat.dat" (data only). Skipped, returning false, while a
// "Mat.dat" that could not be read is protected from being overwritten (see
// Program::StockFileUnreadable); false with *error when the write fails.
bool SaveStock(const core::Program& program, std::string* error = nullptr);

// The operator typed, pasted or ticked stock: from now on the saves may replace "Mat.dat".
void NoteStockEntered(core::Program& program);

// Grid events of the sheet stock (installed by ShtStk_Load).
void SSList_ButtonClicked(core::Program& program, long col, long row, int state);  // tick check
void SSList_DblClick(core::Program& program, long col, long row);                  // header sort
void SSList_CellChange(core::Program& program, long col, long row);                // trims the material
void SSList_GotFocus(core::Program& program);
void SSList_LostFocus(core::Program& program);  // save and refresh the work list's choices

// After the popup menu that a right click on the sheet stock opened has closed: when its
// delete item was chosen and blocks are selected, asks and deletes their rows; the selection
// is cleared either way. The caller resets the request flag.
void SSList_PopupClosed(core::Program& program, bool deleteRequested);

}  // namespace tv::stock
