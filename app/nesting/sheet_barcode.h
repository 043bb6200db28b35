// The barcode of a sheet file: the sheet's code drawn as filled bars into the working drawing
// (Program::DXF1), so it is printed and cut with the sheet.
#pragma once

#include <string>

#include "core/program.h"
#include "nesting/run_values.h"

namespace tv::nesting {

// Draws code as Code 39 bars on layer "TavolinT" & run.SheetNumberText: the pattern spans a
// third of the sheet length from x (module q of n centred at x + q * m, m = SheetLength / 3 / n)
// and stands SheetWidth / 20 high from y. An encoding error shows "Barcode Creation Error: " and
// its text in the status panel "Progress"; the sheet is still written, without bars.
void DrawBC(core::Program& program, const RunValues& run, const std::string& code, float x, float y);

// The bars of a module pattern of "1" (bar) and "0" (gap), placed as DrawBC places them.
// An empty pattern draws nothing.
void DrawBarcodePattern(core::Program& program, const RunValues& run, const std::string& pattern, float x,
                        float y);

}  // namespace tv::nesting
