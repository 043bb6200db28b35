// Internal: entities as world-space outlines (straight pieces), with block references
// expanded. Shared by the segment queries, extents and the display list.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "drawing/document.h"
#include "drawing/geometry.h"

namespace tv::drawing {

// How finely curves are split: Items splits arcs only at their ends and at the points
// where x or y is extreme (the least pieces that still reach the true extents); Display
// follows the curve within tolerance.
struct FlattenOptions {
  bool display = false;
  double tolerance = 0.01;
  int splineStepsPerSpan = 8;
};

// Where an entity sits: its placement in the world and what it inherits from the block
// references around it.
struct Placement {
  Affine3 m;  // entity coordinates (world, or the block's) to world
  bool identity = true;
  int layer = 0;          // the layer it is shown on (layer 0 inside a block takes the reference's)
  int color = 7;          // resolved colour number
  std::int32_t bgr = -1;  // resolved 24-bit colour (&HBBGGRR) where one applies; -1 none
  long topIndex = -1;     // index in the drawing's entity list; -1 inside a block
};

class OutlineSink {
 public:
  virtual ~OutlineSink() = default;
  // One piece: ref is what a depth write on it reaches (see SegmentItem): 0.. a vertex
  // or corner index, -2 the entity's elevation, -1 nothing.
  virtual void Piece(const std::vector<Vec3>& points, bool closed, bool filled, int ref) = 0;
};

// The outline pieces of one entity (texts and block references give none).
void FlattenEntity(const Entity& e, const Placement& at, const FlattenOptions& options, OutlineSink& sink);

// The entity's own matrix for object coordinates (frame of its extrusion) under at.
Affine3 ObjectMatrix(const Entity& e, const Placement& at);

// Visits entities [begin, end) of the drawing, and everything inside the block references
// among them, with their placements. Paper-space entities are left out. Nesting deeper than
// a limit, self-referencing blocks and oversized reference arrays are cut off, so no file
// can make this loop or explode.
class EntityVisitor {
 public:
  virtual ~EntityVisitor() = default;
  virtual void Visit(const Entity& e, const Placement& at) = 0;
};
void WalkEntities(const Document& doc, std::size_t begin, std::size_t end, EntityVisitor& visitor);

// Lines of a multi-line text with its formatting codes removed.
std::vector<std::string> MTextLines(const std::string& value);
// A multi-line text as one-line texts in its own plane, placed as its attachment point asks.
std::vector<TextData> MTextAsLines(const Document& doc, const Entity& e, const MTextData& m);

// Approximate outline of a one-line text (for extents): the four corners in the text's
// own plane, before the placement.
void TextBox(const TextData& t, double defaultHeight, Vec3 corners[4]);

// Colour number of an entity as shown on layer effectiveLayer inside a reference of colour
// parentColor: by layer and by block resolved.
int ResolveColor(const Document& doc, const Entity& e, int effectiveLayer, int parentColor);
// The 24-bit colour an entity shows, given its reference's; -1 when its colour number applies.
std::int32_t ResolveBgr(const Entity& e, std::int32_t parentBgr);

}  // namespace tv::drawing
