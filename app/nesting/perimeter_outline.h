// The outline that the perimeter clean-up route follows: a closed path a tenth of the saw kerf
// outside the group of parts on a sheet, found by sweeping lines across the sheet.
#pragma once

#include <span>
#include <vector>

#include "nesting/run_values.h"

namespace tv::nesting {

struct OutlinePoint {
  double X = 0;
  double Y = 0;
};

// Clockwise outline around parts (the sheet's parts, in any order) on a sheet of the given size,
// starting at the top-right corner of the topmost part on the right side; the last point repeats
// the first. It follows the group's notches k = sawKerf / 10 outside the parts. When the traced
// outline would meet itself or come closer than k to a part (a gap running right through the
// group), the rectangle k outside all parts is returned instead. Empty when there are no parts
// or the kerf is not positive (the sweep step is twice the kerf, so a zero kerf would never get
// across the sheet, and a route on the part edges would cut into them).
std::vector<OutlinePoint> PerimeterOutline(std::span<const PartExtents> parts, double sheetLength,
                                           double sheetWidth, float sawKerf);

}  // namespace tv::nesting
