// "Process": one nesting run over the whole work list. It checks the work list, copies the
// settings, asks for the nest name (or empties the nest folder), nests the ticked rows material
// group by material group and ends with the composite drawing, the alerts, the hand-over file,
// the failure report and the stock-update question.
#pragma once

#include "core/program.h"
#include "nesting/material_group.h"
#include "nesting/run_values.h"

namespace tv::nesting {

// The run with the registered optimizer. Does nothing while a run is already in progress.
void Proc_Click(core::Program& program);
// The same with the optimizer objects made by createVrex.
void Proc_Click(core::Program& program, const VrexFactory& createVrex);

// Text height divisor of a run from the "Font Size" setting: 100 - 10 x size, the size held to
// 1..9 (empty or not a number counts as 1). Every text of the run is SheetWidth / divisor high.
float TextHeightDivisorFor(const std::string& fontSizeSetting);

// Offsets of the sheets laid out in the composite drawing: rows of round(sqrt(sheetFiles))
// sheets, left to right and rows going up, each cell 1.1 x the longest and 1.2 x the widest
// sheet of the run (rounded to whole units). Entry k - 1 is where sheet k goes.
struct CompositeCell {
  double X = 0;
  double Y = 0;
};
std::vector<CompositeCell> CompositeLayout(long sheetCount, long sheetFiles, double maxSheetLength,
                                           double maxSheetWidth);

}  // namespace tv::nesting
