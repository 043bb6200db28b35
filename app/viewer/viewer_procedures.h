// The viewer's support procedures, through which every other part of the program loads,
// zooms, lists and saves the working drawing (Program::DXF1), and the logic of the viewer's
// mouse and activation events.
#pragma once

#include <string>

#include "core/program.h"

namespace tv::viewer {

// Loads path into DXF1 (replacing the drawing) and shows it whole; fills the layer list and
// sets the viewer caption to the drawing's title comment, or the path when it has none. The
// busy pointer is shown meanwhile. False (no message; error, when given, says why) when the
// file cannot be loaded; the drawing and its current file then stay as they were.
bool ShowDxf(core::Program& program, const std::string& path, std::string* error = nullptr);

// Zooms to the whole drawing at (100 + offset) percent: -1 menu and right click, -2 after
// loading, -4 the nesting run. The viewer shows the drawing anew.
void ZoomExtents(core::Program& program, int offset);

// The layer list becomes the names of DXF1's layers in collection order.
void FillLayerList(core::Program& program);

// name comes back upper-cased; returns the 1-based index of the first layer of DXF1 whose
// upper-cased name equals it, 0 when none.
int layerIndex(core::Program& program, std::string& name);

// Writes DXF1 to path and makes path the drawing's current file. False, with the reason in
// error, when the file could not be written; the current file then stays.
bool SaveViewerDxfAs(core::Program& program, const std::string& path, std::string* error = nullptr);

// Fills the part-information list for the part label under a point of the viewer (control
// pixels): the work-list row the label names, column header and cell by column, or a hint to
// click on a label.
void ShowPartInfoAt(core::Program& program, float x, float y);

// The viewer's mouse events (button: drawing::kLeftButton, kRightButton, kMiddleButton).
void ViewerMouseDown(core::Program& program, int button, int shift, float x, float y);
void ViewerMouseMove(core::Program& program, int button, int shift, float x, float y);
void ViewerMouseUp(core::Program& program, int button, int shift, float x, float y);

// Status text of the spot-zoom percentages, shown when the viewer is activated.
void ShowSpotZoomStatus(core::Program& program);

}  // namespace tv::viewer
