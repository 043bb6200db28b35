// The parts of a written sheet as its through cut-outs outline them, and the check that they
// keep the kerf between each other and the perimeter margin to the sheet's edge.
#pragma once

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "drawing/drawing.h"

namespace tv::nesting::testing {

struct OutlineBox {
  std::string layer;
  double minX = 1e18, minY = 1e18, maxX = -1e18, maxY = -1e18;
};

// One box per through cut-out layer ("Route6.."), from its lines along the axes: the lead-in
// and lead-out lines run slanted to their points outside the part and are not the outline.
inline std::vector<OutlineBox> CutOutOutlines(drawing::Drawing& sheet) {
  std::map<std::string, OutlineBox> boxes;
  for (const drawing::SegmentItem& line : sheet.GetEntities1()) {
    if (line.LayerName.rfind("Route6", 0) != 0) continue;
    if (line.X1 != line.X2 && line.Y1 != line.Y2) continue;
    OutlineBox& box = boxes[line.LayerName];
    box.layer = line.LayerName;
    box.minX = std::min({box.minX, static_cast<double>(line.X1), static_cast<double>(line.X2)});
    box.maxX = std::max({box.maxX, static_cast<double>(line.X1), static_cast<double>(line.X2)});
    box.minY = std::min({box.minY, static_cast<double>(line.Y1), static_cast<double>(line.Y2)});
    box.maxY = std::max({box.maxY, static_cast<double>(line.Y1), static_cast<double>(line.Y2)});
  }
  std::vector<OutlineBox> outlines;
  for (const auto& entry : boxes) outlines.push_back(entry.second);
  return outlines;
}

// "" when every outline lies inside the margin of a length x width sheet and any two are at
// least kerf apart along one axis; else every breach, one per line.
inline std::string SpacingProblems(const std::vector<OutlineBox>& outlines, double length, double width,
                                   double margin, double kerf) {
  constexpr double tolerance = 1e-3;  // the writer's precision
  std::ostringstream problems;
  for (const OutlineBox& box : outlines) {
    if (box.minX < margin - tolerance || box.minY < margin - tolerance ||
        box.maxX > length - margin + tolerance || box.maxY > width - margin + tolerance) {
      problems << box.layer << " (" << box.minX << ", " << box.minY << ")-(" << box.maxX << ", " << box.maxY
               << ") reaches into the margin\n";
    }
  }
  for (std::size_t i = 0; i < outlines.size(); ++i) {
    for (std::size_t j = i + 1; j < outlines.size(); ++j) {
      const OutlineBox& a = outlines[i];
      const OutlineBox& b = outlines[j];
      const double gap = std::max({b.minX - a.maxX, a.minX - b.maxX, b.minY - a.maxY, a.minY - b.maxY});
      if (gap < kerf - tolerance) problems << a.layer << " and " << b.layer << " only " << gap << " apart\n";
    }
  }
  return problems.str();
}

}  // namespace tv::nesting::testing
