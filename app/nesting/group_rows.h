// Work-list rows as a nesting run takes them: which rows are nested, the drawing a row names,
// the part a row becomes, its quoted CSV text and the cabinet sequence numbers of a group.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "nesting/run_values.h"

namespace tv::nesting {

// Cells of one work-list row; index = column (from 1), element 0 unused. Columns past the end
// read as "".
using RowCells = std::vector<std::string>;

// The File Name cell with ".DXF" appended unless it already ends in ".DXF" (any case).
std::string RowDrawingFile(std::string_view fileNameCell);

// A row is nested when its OK cell, rounded, is not 0 and its trimmed File Name is longer than
// four characters (so "A.DX" and a bare ".DXF" are left out).
bool RowIsTaken(const RowCells& cells);

// The row's fields for the sheet CSV files: columns 2 up to the last, without column 26 "Sub
// Name", each in double quotes, separated by commas. Column 3 shows the Sub Name instead when
// that is not empty, without a trailing ".DXF" (upper case only, as the drawing program writes
// it). Not cut to any length: long folder names must not lose the later fields.
std::string RowCsvText(const RowCells& cells);

// The part that row `row` adds to a group whose material key is groupMaterial.
GroupPart MakeGroupPart(const RowCells& cells, long row, const std::string& groupMaterial);

// Sequence numbers that keep each cabinet's parts together: the distinct Cabinet texts (trimmed,
// case ignored) in ascending order are numbered 1, 2, ...; a blank Cabinet gets 0. Entry i
// belongs to parts[i], so every part gets the number of its own cabinet.
std::vector<int> CabinetSequence(const std::vector<GroupPart>& parts);

}  // namespace tv::nesting
