// Internal: moving, turning and scaling entities in the drawing plane, and turning
// upside-down planar entities the right way up for the written file.
#pragma once

#include "drawing/document.h"
#include "drawing/geometry.h"

namespace tv::drawing {

// The map and, when it is a turn plus uniform scale, its angle in degrees: then rotations
// are added exactly instead of being measured back from vectors.
struct EntityMap {
  PlaneMap m;
  bool similarity = true;
  double angle = 0;
  double scale = 1;

  static EntityMap Translation(double dx, double dy);
  static EntityMap ScaleTurnShift(double baseX, double baseY, double scaleX, double scaleY, double angle,
                                  double shiftX, double shiftY);
};

void TransformEntity(Entity& e, const EntityMap& map);

// An arc, circle, 2D polyline, solid or trace whose extrusion is (0, 0, -1) described with
// extrusion (0, 0, 1) instead; readers that ignore the extrusion then still see it where
// it is. Other entities are left as they are.
void FlipDownFacing(Entity& e);

// Points of an ellipse from two conjugate half-diameters u, v (t measured from u towards
// v), as an ELLIPSE in world coordinates; the normal goes along u x v.
void EllipseFromConjugate(Vec3 center, Vec3 u, Vec3 v, double t0, double t1, bool full, EllipseData& out,
                          Vec3& normal);

}  // namespace tv::drawing
