// Internal: what the drawing's queries read off the entities: extents, segment, point and
// text items, and the display list.
#pragma once

#include <cstddef>
#include <vector>

#include "drawing/display.h"
#include "drawing/document.h"
#include "drawing/items.h"

namespace tv::drawing {

// Extents of entities [begin, end) with everything in their block references; false when
// they hold no geometry.
bool ComputeExtents(const Document& doc, std::size_t begin, std::size_t end, Vec3& min, Vec3& max);
// Extents of what the writer puts in the file: entities on Stripped layers (and block content
// shown on them) are left out.
bool ComputeWrittenExtents(const Document& doc, Vec3& min, Vec3& max);

// lines: true for the LINE entities of the drawing itself, false for everything else.
// Items of the drawing's own entities are bound to owner for depth writes.
void CollectSegments(const Document& doc, bool lines, Drawing* owner, std::vector<SegmentItem>& out);

std::vector<PointItem> CollectPoints(const Document& doc);
std::vector<TextItem> CollectTexts(const Document& doc);
DisplayList CollectDisplay(const Document& doc, double tolerance);

}  // namespace tv::drawing
