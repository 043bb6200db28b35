// The sheets a material group may be nested on: the ticked sheet-stock rows of its material.
#pragma once

#include "core/program.h"
#include "nesting/run_values.h"

namespace tv::nesting {

// Fills run.SheetList, in sheet-stock row order, with every row whose OK cell is not 0 and whose
// material has the key of run.GroupMaterial (blanks and the characters material keys drop are
// ignored; case counts). A row with Qty 0 counts: it offers an unlimited supply.
void BuildSheetList(core::Program& program, RunValues& run);

}  // namespace tv::nesting
