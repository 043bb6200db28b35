// The main window's own commands without the window: opening and saving a drawing, clearing the
// sheet stock, Copy and Paste on the grid that had the focus last, the viewer's mouse mode and
// the layer-list toggle. Each refuses while a run is in progress where it would change what the
// run is building.
#pragma once

#include <optional>
#include <string>

#include "core/program.h"

namespace tv::commands {

// Address of the online manual.
inline constexpr const char* kOnlineManualHost = "https://tavolin.example";
inline constexpr const char* kOnlineManualPath = "/ftp/TavolinManual.pdf";
std::string OnlineManualUrl();

// File > Open: "Open DXF File" from the folder of the last drawing opened; a chosen drawing's
// folder is remembered and the drawing shown. False when nothing was shown.
bool OpenDrawing(core::Program& program);

// File > Save DXF as: "Save DXF File As..." from that folder (which it does not update),
// proposing lastName, the name chosen the time before, which it then becomes. The viewer's
// drawing is written there and becomes the current drawing. False when nothing was written;
// a write that fails is reported.
bool SaveDrawingAs(core::Program& program, std::string& lastName);

// Edit > Sheet Stock Clear: after Yes, every cell text of the sheet stock is cleared (rows and
// columns stay, nothing is saved). False when nothing was cleared.
bool SheetStockClear(core::Program& program);

// Copy: the selection of the grid that had the focus last (work list or sheet stock) as
// clipboard text; "" when neither had it (the clipboard is then only emptied).
std::string CopyFocusedGrid(core::Program& program);
// Paste: the clipboard text at that grid's active cell, then the first selected row's text
// filled down the selected rows of its column (with nothing selected, down to the last row).
void PasteFocusedGrid(core::Program& program, const std::string& clipboardText);

// The viewer's mouse mode: 0 window zoom, 1 spot zoom, 2 pan. Sets the drawing's zoom function
// and the "ZoomState" panel ("Zoom Window ", "Zoom Spot ", "Pan ").
void SetMouseMode(core::Program& program, int index);

// Edit > Layers...: the layer list of the input window is shown in front of the part
// information, or hidden again.
void ToggleLayerList(core::Program& program);

// The two diagnostic texts about the viewer's drawing: its extents and the current zoom.
std::string ExtentsAndZoomText(core::Program& program);
std::string ZoomCoordinatesText(core::Program& program);

}  // namespace tv::commands
