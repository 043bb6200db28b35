// The hand-over file "Batch.lst" in the nest folder, read by the companion CNC program: the
// sheet files of the run between "!HBDOff" and "!CNCOff", then "!HBDOn" and the work list's part
// drawings, each followed by "^". Every line ends in CR LF.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/ui_port.h"
#include "grid/grid.h"

namespace tv::nesting {

inline constexpr const char* kHandOverFileName = "Batch.lst";
inline constexpr const char* kCompanionWindowTitle = "Fennoway";

// The first text, before the sheet lines are appended: "!HBDOff" CR LF.
std::string HandOverHead();
// One sheet line: the sheet file's full path and CR LF.
std::string HandOverSheetLine(const std::string& sheetPath);
// The second text: "!CNCOff", "!HBDOn", then "Path" & "File Name" & "^" for every work-list row
// whose Qty is not 0, in grid order, whether or not the row is ticked.
std::string HandOverPartsText(const grid::Grid& workList);

// Writes the file at path; false, with *error set, when it could not.
using FileWriter = std::function<bool(const std::string& path, std::string_view bytes, std::string* error)>;

// Replaces nestFolder & "Batch.lst" by the two texts, then brings the companion program's window
// to the front (ignored when it is not open). The old file goes first, so that a new one that
// cannot be written leaves no list of an older run's sheets behind; the operator is told why,
// the companion is not raised and the answer is false.
bool WriteHandOver(core::Ui& ui, const std::string& nestFolder, const std::string& sheetsText,
                   const std::string& partsText);
// The same, writing the new file through write.
bool WriteHandOver(core::Ui& ui, const std::string& nestFolder, const std::string& sheetsText,
                   const std::string& partsText, const FileWriter& write);

}  // namespace tv::nesting
