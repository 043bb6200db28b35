// The viewer docked under the material window: when the operator moves or resizes the viewer,
// the material window takes the height above it and the viewer keeps to the right column.
#pragma once

#include "commands/main_layout.h"

namespace tv::commands {

// The layout after the viewer was moved or resized to viewerNow (twips). With the viewer's top
// at 0 or below it, the material window's height becomes that top, the viewer's left the input
// window's width, and its width rightPaneWidth (when that is not 0); otherwise only the viewer's
// own place changes.
MainLayout DockViewer(const MainLayout& current, const TwipRect& viewerNow, long rightPaneWidth);

}  // namespace tv::commands
