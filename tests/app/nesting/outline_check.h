// Independent geometry checks of a route outline: closed, never meeting itself, clear of every
// part by at least the offset, and with every part inside.
#pragma once

#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "nesting/perimeter_outline.h"

namespace tv::nesting::testing {

inline double Orient(OutlinePoint o, OutlinePoint a, OutlinePoint b) {
  return (a.X - o.X) * (b.Y - o.Y) - (a.Y - o.Y) * (b.X - o.X);
}

inline bool Between(OutlinePoint p, OutlinePoint q, OutlinePoint r) {
  return std::fabs(Orient(p, q, r)) < 1e-9 && std::min(p.X, q.X) - 1e-9 <= r.X &&
         r.X <= std::max(p.X, q.X) + 1e-9 && std::min(p.Y, q.Y) - 1e-9 <= r.Y &&
         r.Y <= std::max(p.Y, q.Y) + 1e-9;
}

inline bool Touch(OutlinePoint a, OutlinePoint b, OutlinePoint c, OutlinePoint d) {
  const double d1 = Orient(c, d, a), d2 = Orient(c, d, b), d3 = Orient(a, b, c), d4 = Orient(a, b, d);
  if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) return true;
  return Between(c, d, a) || Between(c, d, b) || Between(a, b, c) || Between(a, b, d);
}

inline double PointToRect(double x, double y, const PartExtents& part) {
  const double dx = std::max({static_cast<double>(part.MinX) - x, 0.0, x - part.MaxX});
  const double dy = std::max({static_cast<double>(part.MinY) - y, 0.0, y - part.MaxY});
  return std::hypot(dx, dy);
}

inline double PointToSegment(OutlinePoint p, OutlinePoint a, OutlinePoint b) {
  const double dx = b.X - a.X, dy = b.Y - a.Y, length2 = dx * dx + dy * dy;
  const double t = length2 > 0 ? std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length2, 0.0, 1.0) : 0.0;
  return std::hypot(a.X + t * dx - p.X, a.Y + t * dy - p.Y);
}

// Distance between a segment and a rectangle: 0 when the segment enters it, else the least of
// its ends' distances to the rectangle and the corners' distances to the segment.
inline double Clearance(OutlinePoint a, OutlinePoint b, const PartExtents& part) {
  const OutlinePoint corners[4] = {
      {part.MinX, part.MinY}, {part.MaxX, part.MinY}, {part.MaxX, part.MaxY}, {part.MinX, part.MaxY}};
  double nearest = std::min(PointToRect(a.X, a.Y, part), PointToRect(b.X, b.Y, part));
  for (int i = 0; i < 4; ++i) {
    if (Touch(a, b, corners[i], corners[(i + 1) % 4])) return 0;
    nearest = std::min(nearest, PointToSegment(corners[i], a, b));
  }
  return nearest;
}

inline bool Inside(const std::vector<OutlinePoint>& closed, double x, double y) {
  bool inside = false;
  for (size_t i = 0; i + 1 < closed.size(); ++i) {
    const OutlinePoint p = closed[i], q = closed[i + 1];
    if ((p.Y > y) != (q.Y > y) && x < (q.X - p.X) * (y - p.Y) / (q.Y - p.Y) + p.X) inside = !inside;
  }
  return inside;
}

// "" when the outline is a sound route around the parts at offset k, else what is wrong.
inline std::string RouteProblem(const std::vector<OutlinePoint>& route, std::span<const PartExtents> parts,
                                double k) {
  if (route.size() < 5) return "fewer than four sides";
  if (route.front().X != route.back().X || route.front().Y != route.back().Y) return "not closed";
  const size_t n = route.size() - 1;
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;
      if (Touch(route[i], route[i + 1], route[j], route[j + 1]))
        return "segments " + std::to_string(i) + " and " + std::to_string(j) + " meet";
    }
    for (size_t p = 0; p < parts.size(); ++p) {
      if (Clearance(route[i], route[i + 1], parts[p]) < k - 1e-6)
        return "segment " + std::to_string(i) + " closer than k to part " + std::to_string(p);
    }
  }
  for (size_t p = 0; p < parts.size(); ++p) {
    if (!Inside(route, (parts[p].MinX + parts[p].MaxX) / 2.0, (parts[p].MinY + parts[p].MaxY) / 2.0))
      return "part " + std::to_string(p) + " outside";
  }
  return "";
}

}  // namespace tv::nesting::testing
