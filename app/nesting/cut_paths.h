// Machining routes added to a nested sheet in the working drawing (Program::DXF1): a cut-out
// route round every part (small parts first get one that leaves a skin), the drop cut that
// separates the offcut, and the perimeter clean-up round the whole group of parts.
#pragma once

#include <array>
#include <string>

#include "core/program.h"
#include "nesting/run_values.h"

namespace tv::nesting {

// v rounded to three decimals (through the "####.###" pattern).
float Rnd3(float v);

struct RoutePoint {
  double X = 0;
  double Y = 0;
  double Z = 0;
};

// The eight points of a part's cut-out route in clockwise order: the lead point before the
// entry, the entry point in the middle of the top edge (or of the right edge when the top
// edge is too short for two leads), the four corners, the entry point again and the lead point
// after it. Lead points lie hc outside the edge. The route starts at depth 0 at its first point
// of travel (P1 clockwise, P8 counter-clockwise) and ends at depth at the other.
std::array<RoutePoint, 8> CutOutRoute(float minX, float maxX, float maxY, float minY, double lead, double hc,
                                      double depth, bool clockwise);

// Cut-out routes of every part of the sheet. Pass 1 routes the small parts (outline layer
// "S_...") to SheetThickness - OsThickness on layer "Route" & (part + 300) & "_T" & tool & side;
// pass 2 routes every part through, SheetThickness + CutOutDepthPlus, on "Route" & (part + 600).
// With CutOutFirst the numbers are part - 600 and part - 300. Side "L" clockwise, "R"
// counter-clockwise. Pass 2 also stores the parts' extents in run.NestedPartExtents, followed by
// the common extents of the parts without cut-out (tagged 000), which get no route. Every part
// number up to the highest on the sheet is asked for; a missing number is passed over.
void GenCutOuts(core::Program& program, RunValues& run);

// One through cut across the sheet beside the parts (layer "Route900_T" & tool & side, "_M" &
// passes for more than one pass) when the offcut beyond them is longer than DropCutLength; sets
// run.DropArea to the offcut's area (0 without a cut).
void GenDropCut(core::Program& program, RunValues& run);

// The clean-up route round the group of parts (layer "Route901_T" & tool & "L"), a tenth of the
// kerf outside them at SheetThickness - OsThickness. With cut-outs off it gathers the parts'
// extents itself, since no cut-out pass stored them for this sheet.
void PerimClean(core::Program& program, RunValues& run);

}  // namespace tv::nesting
