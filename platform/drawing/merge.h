// Internal: reading a file into the drawing, replacing it or merged into it.
#pragma once

#include "drawing/document.h"

namespace tv::drawing {

// Moves incoming into target: layers are matched by exact name (the target's layer keeps
// its properties), line types, styles and application names by name, blocks by name and
// content (a block of the same name but other content comes in under a new name).
// incoming's entities go to the end; the last-read range is set to them.
void MergeInto(Document& target, Document&& incoming);

}  // namespace tv::drawing
