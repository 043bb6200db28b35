// Items handed out by the drawing's queries: segments (with writable depths), points and
// texts, in drawing coordinates.
#pragma once

#include <cstdint>
#include <string>

namespace tv::drawing {

class Drawing;

// One straight segment of an entity. Lines give their two end points; arcs, circles,
// ellipses and bulged polyline segments are split at their quadrant points, so the
// items of a closed outline reach its true extents.
class SegmentItem {
 public:
  float X1 = 0, Y1 = 0, Z1 = 0;
  float X2 = 0, Y2 = 0, Z2 = 0;
  std::string LayerName;

  // Change the depth of the entity this item came from. A line or 3D polyline moves the
  // one end point; a planar entity (arc, circle, 2D polyline...) takes the new value as
  // its elevation. Items of entities inside block references only change their own copy,
  // and writes after the drawing was re-read are ignored.
  void SetZ1(float z);
  void SetZ2(float z);

 private:
  friend class Document;
  void WriteBack(bool first, float z);
  Drawing* owner_ = nullptr;
  std::uint64_t generation_ = 0;
  std::int32_t entity_ = -1;  // top-level entity index, -1 when not writable
  std::int32_t vertex_ = -1;  // first vertex of the segment for polylines, 0/1 ends of a line
};

struct PointItem {
  float X = 0, Y = 0, Z = 0;
  std::string LayerName;
};

// A single-line text, a multi-line text (its lines joined by "\n", formatting removed) or
// an attribute of a block reference. X1, Y1 is the point the text is aligned on: the
// insertion point of a left-aligned text, the alignment point of any other.
struct TextItem {
  std::string LayerName;
  std::string Txt;
  float Rotation = 0;  // degrees, counter-clockwise
  float X1 = 0, Y1 = 0;
  float Height = 0;
};

}  // namespace tv::drawing
