// Layer rules of a nested sheet in the working drawing (Program::DXF1): part outlines get
// numbered, classed names, route and bore depths are held to the sheet, routes without an
// order number get order 299, and annotation layers are kept out of the sheet file.
#pragma once

#include "core/program.h"

namespace tv::nesting {

// Right after a part was merged: measures its outline (the only BORDER layer left, since the
// outlines of earlier parts were renamed) and renames the first BORDER layer to
// class & "_Nested_Part_" & the three-digit part number, class "L" for a large part and "S" for
// one whose area is below smallArea or whose layer name carries "OS". A name with "NB" (no
// cut-out) gets part number 000, which the cut-out passes never ask for.
void TagBorderLayers(core::Program& program, long partNumber, double smallArea);

// Holds route and bore depths to thickness + CutOutDepthPlus: depth codes in ROUTE/VBORE layer
// names and the depths of lines on ROUTE layers. With ZLimitOn they are lowered to the limit;
// either way RunAlertText tells about the last excess found (empty when there was none).
void ZLimit(core::Program& program, float thickness);

// A ROUTE layer without an order digit 1-9 in its sixth character gets the order 299
// ("Route299" & the rest of its name from the sixth character on).
void SetRoute1(core::Program& program);

// Flags part annotation (names beginning DESC, NAME, BARC) and the tagged part outlines (L_, S_)
// so that they are left out of the written sheet file.
void StripLayers(core::Program& program);

}  // namespace tv::nesting
