// One layout of the optimizer becomes nested sheet drawings: the placed parts' drawings merged
// at their places in the working drawing, labels, layer rules, cut paths, border and sheet
// texts; then one DXF file (and, when asked, one CSV file) per copy of the layout, each with its
// own sheet number, label and barcode, tallied in the pull list.
#pragma once

#include <string>
#include <vector>

#include "core/program.h"
#include "nesting/material_group.h"
#include "nesting/run_values.h"
#include "sawplan/vrex.h"

namespace tv::nesting {

// Builds and writes the sheets of one layout of run's current group. Missing part drawings and
// sheet files that cannot be written end the whole run (AbortRun, after the message); a CSV
// folder that is not there and not created writes nothing of this layout (NotWritten); a layout
// without placed parts is skipped.
LayoutResult BuildLayoutSheets(core::Program& program, RunValues& run, const sawplan::tVREXLayoutData& layout,
                               const std::vector<sawplan::tVREXPlacedPartData>& placed);

// The line a placed part adds to its sheet's CSV file: the part's quoted work-list fields, ", "
// and its work-list row, then CR LF.
std::string SheetCsvLine(const GroupPart& part);

// The text a sheet file's barcode encodes: the sheet name, or for the machine's own reader the
// name without blanks & ".CNC " & the SField text ("N" when empty) & "%".
std::string SheetBarcodeText(const std::string& sheetName, bool bcmBarcode, const std::string& sFieldBarcode);

// Name of the sheet border layer: "Border_Z" & the thickness, "." written as "P".
std::string BorderLayerName(double thickness);

}  // namespace tv::nesting
