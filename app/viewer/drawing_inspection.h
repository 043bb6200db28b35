// Reading the part drawing loaded in the viewer's drawing (Program::DXF1): its outline size,
// lower-left corner and thickness, the extents of given layers, and its comment fields.
#pragma once

#include <string>

#include "core/program.h"

namespace tv::viewer {

// Measures the BORDER layers of DXF1. In: the expected length (along X) and width (along Y),
// used only for the mismatch test. Out: the measured length, width and thickness, rounded to
// at most three decimals (a drawing without BORDER items gives 0, 0, 0). Sets BorderMinX,
// BorderMinY and BorderSizeMismatch, sets MultipleBorderLayers when BORDER items lie on
// differently named layers, and replaces a DimensionTolerance of 0 by 2.
void MeasureBorder(core::Program& program, double& length, double& width, double& thickness);

// Extents of every item of DXF1 whose layer name contains layerKey (case ignored). Returns
// the upper-cased name of the last such layer, "" when none; the extents then stay at
// minX = minY = 1e9, maxX = maxY = -1e9.
std::string GetLayerExtents(core::Program& program, const std::string& layerKey, float& minX, float& maxX,
                            float& maxY, float& minY);

// One comment field of the current drawing, trimmed. key comes back upper-cased. The title
// key "Tavolin" first re-reads the comment block of DXF1's file (when the file exists); other
// keys use the block read last. A field missing from the block falls back to the first
// non-empty text on a layer whose name contains the key. When the drawing file exists but
// cannot be read: "", no block kept, and error (when given) names the file.
std::string GetDrawingField(core::Program& program, std::string& key, std::string* error = nullptr);

}  // namespace tv::viewer
