// The work list: the 26 columns of the work-list grid and the procedures through which the rest
// of the program reads, writes, marks, clears and checks it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/program.h"
#include "core/work_list_columns.h"
#include "grid/grid.h"

namespace tv::worklist {

// The work list's columns (core/work_list_columns.h), named here as everywhere else.
using core::kWorkListCols;
using core::WorkListColumn;
using enum core::WorkListColumn;

// Row colours: a marked row is red, column "OK" always grey, a row whose drawing is missing
// has its file name in a slightly different red, and a search hit is yellow.
constexpr grid::Rgb kMarkedRowColor = grid::MakeRgb(255, 0, 0);
constexpr grid::Rgb kOkColumnColor = grid::MakeRgb(192, 192, 192);
constexpr grid::Rgb kMissingFileColor = grid::MakeRgb(250, 10, 0);
constexpr grid::Rgb kSearchHitColor = grid::MakeRgb(250, 250, 0);

// The header texts of columns 1 to 26.
const std::vector<std::string>& WorkListHeaders();

// Gives the work-list grid its 26 columns, headers and cell kinds ("OK" check boxes, "Material"
// a choice list) and grows it to at least minRows rows. Rows already there keep their texts.
void SetUpWorkListGrid(core::Program& program, long minRows);

// Cell text of the work list; row 0 is the header.
std::string GetWorkListCell(core::Program& program, long row, long col);
// Writes the text unchanged; a choice cell accepts any text.
void SetWorkListCell(core::Program& program, long row, long col, std::string_view text);

void MarkWorkListRow(core::Program& program, long row);
// Every row back to white, column "OK" grey.
void ClearWorkListMarks(core::Program& program);
// Empties every cell (the row count stays), forgets the unit kind of the list, disables
// "Process" and clears the marks.
void ClearWorkList(core::Program& program);
// "Process" is enabled exactly when some row is ticked.
void UpdateProcButton(core::Program& program);
// Forgets the operator's selected blocks.
void DeselectWorkList(core::Program& program);

// Checks that the drawing of every ticked row exists, colouring the file names of the missing
// ones. Reports "... DXF Files Not Found  " (always), "All DXF Files Found  " (unless quiet) or
// "No Entries Found in Worklist  " (always). True when rows were checked and none is missing.
bool VerifyWorkListFiles(core::Program& program, bool quiet);

}  // namespace tv::worklist
