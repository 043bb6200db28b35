// Sheet barcodes as filled bars, one per dark module.
#include "nesting/sheet_barcode.h"

#include "barcode/barcode.h"
#include "drawing/drawing.h"

namespace tv::nesting {

void DrawBC(core::Program& program, const RunValues& run, const std::string& code, float x, float y) {
  const barcode::Encoded encoded = barcode::Encode(code, barcode::kCode39);
  if (encoded.error > 0) {
    // The sheet goes on without its barcode; the operator sees why in the status bar.
    program.ui().SetStatus(core::StatusPanel::Progress,
                           "Barcode Creation Error: " + std::string(barcode::ErrorText(encoded.error)));
    program.ui().ProcessEvents();
  }
  DrawBarcodePattern(program, run, encoded.pattern, x, y);
}

void DrawBarcodePattern(core::Program& program, const RunValues& run, const std::string& pattern, float x,
                        float y) {
  if (pattern.empty()) return;
  const double height = run.SheetWidth / 20;
  const double module = run.SheetLength / 3 / static_cast<double>(pattern.size());
  const std::string layer = "TavolinT" + run.SheetNumberText;
  for (size_t q = 1; q <= pattern.size(); ++q) {
    if (pattern[q - 1] != '1') continue;
    const double centre = x + static_cast<double>(q) * module;
    const double left = centre - module / 2, right = centre + module / 2;
    program.DXF1.AddSolid(left, y + height, left, y, right, y, right, y + height, layer);
  }
}

}  // namespace tv::nesting
