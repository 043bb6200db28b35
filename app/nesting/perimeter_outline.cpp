// Four sweeps find the parts that bound the group on each side; their outer edges, offset by
// k = kerf / 10, are chained clockwise (right, bottom, left, top) into one outline.
#include "nesting/perimeter_outline.h"

#include <algorithm>
#include <cmath>

namespace tv::nesting {
namespace {

// Extents in double so the shortened ends and offsets do not pick up Single rounding.
struct Box {
  double MinX;
  double MaxX;
  double MaxY;
  double MinY;
};

struct Entry {
  Box box;
  size_t part;  // which part of the input, so lists can be joined at the same part
};

enum class Axis { X, Y };
enum class Side { Right, Bottom, Left, Top };

// Points closer than this are the same point: the extents carry three decimals, so anything
// smaller is rounding noise of the offsets.
constexpr double kSamePoint = 5e-5;

bool Same(double a, double b) {
  return std::fabs(a - b) <= kSamePoint;
}
bool Same(const OutlinePoint& a, const OutlinePoint& b) {
  return Same(a.X, b.X) && Same(a.Y, b.Y);
}

// Sweep positions start + j * delta for j = 1, 2, ..., ending with the first one that reaches
// the far edge.
std::vector<double> SweepLines(double start, double delta, double farEdge) {
  std::vector<double> lines;
  for (long j = 1;; ++j) {
    const double position = start + static_cast<double>(j) * delta;
    lines.push_back(position);
    if (delta > 0 ? position >= farEdge : position <= farEdge) break;
  }
  return lines;
}

// Adds a line inside every stretch between two ends of covering ranges that the regular lines
// step over: a part whose exposed stretch on this side is narrower than the step would otherwise
// be missed, and the route would run through it. Lines are kept in sweep order.
void AddBandLines(std::vector<double>& lines, const std::vector<Entry>& parts, Axis axis, double kerf) {
  const auto [lowest, highest] = std::minmax_element(lines.begin(), lines.end());
  const double from = *lowest, to = *highest;
  const bool upward = lines.front() < lines.back();
  std::vector<double> ends;
  for (const Entry& entry : parts) {
    ends.push_back((axis == Axis::X ? entry.box.MinX : entry.box.MinY) - kerf);
    ends.push_back((axis == Axis::X ? entry.box.MaxX : entry.box.MaxY) + kerf);
  }
  std::sort(ends.begin(), ends.end());
  std::vector<double> sorted = lines;
  std::sort(sorted.begin(), sorted.end());
  for (size_t i = 0; i + 1 < ends.size(); ++i) {
    const double a = ends[i], b = ends[i + 1];
    if (b - a <= 2 * kSamePoint) continue;
    const auto next = std::upper_bound(sorted.begin(), sorted.end(), a);
    if (next != sorted.end() && *next < b) continue;  // a regular line already looks there
    const double middle = (a + b) / 2;
    if (middle > from && middle < to) lines.push_back(middle);
  }
  if (upward) {
    std::sort(lines.begin(), lines.end());
  } else {
    std::sort(lines.begin(), lines.end(), std::greater<>());
  }
}

// For each sweep line, the first part in the given order that covers it; a part enters the
// list each time it takes over from another one. Sorting puts the part that bounds the group
// on the sweep's side first, so the first covering part is the outermost one on that line.
template <class Outermost>
std::vector<Entry> Sweep(const std::vector<Entry>& parts, Outermost outermost, Axis axis,
                         std::vector<double> lines, double kerf) {
  AddBandLines(lines, parts, axis, kerf);
  std::vector<Entry> sorted = parts;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [&](const Entry& a, const Entry& b) { return outermost(a.box, b.box); });
  std::vector<Entry> list;
  for (double line : lines) {
    for (const Entry& entry : sorted) {
      const double low = axis == Axis::X ? entry.box.MinX : entry.box.MinY;
      const double high = axis == Axis::X ? entry.box.MaxX : entry.box.MaxY;
      if (low - kerf < line && line < high + kerf) {
        if (list.empty() || list.back().part != entry.part) list.push_back(entry);
        break;
      }
    }
  }
  return list;
}

// Prepares the join of two consecutive parts of a list. When the next part lies further out and
// reaches back alongside the current one, the current edge ends 2k before the next part's near
// end, so the step out runs outside the next part; otherwise, when the next part reaches back
// past the current one's far end, its near end is pulled to 2k beyond that far end, so the step
// in runs round the current part's corner. Parts that do not reach back are joined straight.
void Join(Side side, Box& current, Box& next, double k) {
  switch (side) {
    case Side::Right:
      if (next.MaxX > current.MaxX && next.MaxY > current.MinY) {
        current.MinY = next.MaxY + 2 * k;
      } else if (current.MinY < next.MaxY) {
        next.MaxY = current.MinY - 2 * k;
      }
      break;
    case Side::Bottom:
      if (next.MinY < current.MinY && next.MaxX > current.MinX) {
        current.MinX = next.MaxX + 2 * k;
      } else if (current.MinX < next.MaxX) {
        next.MaxX = current.MinX - 2 * k;
      }
      break;
    case Side::Left:
      if (next.MinX < current.MinX && next.MinY < current.MaxY) {
        current.MaxY = next.MinY - 2 * k;
      } else if (current.MaxY < next.MaxY) {
        next.MinY = current.MaxY + 2 * k;
      }
      break;
    case Side::Top:
      if (next.MaxY > current.MaxY && next.MinX < current.MaxX) {
        current.MaxX = next.MinX - 2 * k;
      } else if (current.MinX < next.MaxX) {
        next.MinX = current.MaxX + 2 * k;
      }
      break;
  }
}

// The two points of one part's outer edge on the given side, k outside and k beyond both ends,
// in clockwise order.
void AddEdge(Side side, const Box& b, double k, std::vector<OutlinePoint>& points) {
  switch (side) {
    case Side::Right:
      points.push_back({b.MaxX + k, b.MaxY + k});
      points.push_back({b.MaxX + k, b.MinY - k});
      break;
    case Side::Bottom:
      points.push_back({b.MaxX + k, b.MinY - k});
      points.push_back({b.MinX - k, b.MinY - k});
      break;
    case Side::Left:
      points.push_back({b.MinX - k, b.MinY - k});
      points.push_back({b.MinX - k, b.MaxY + k});
      break;
    case Side::Top:
      points.push_back({b.MinX - k, b.MaxY + k});
      points.push_back({b.MaxX + k, b.MaxY + k});
      break;
  }
}

// Adds the edges of a list from the entry of the part on which the previous list ended.
// Returns the part of the list's last entry.
size_t AddList(Side side, std::vector<Entry> list, size_t startPart, bool fromFirst, double k,
               std::vector<OutlinePoint>& points) {
  size_t start = 0;
  if (!fromFirst) {
    const auto found =
        std::find_if(list.begin(), list.end(), [&](const Entry& e) { return e.part == startPart; });
    if (found != list.end()) start = static_cast<size_t>(found - list.begin());
  }
  for (size_t j = start; j < list.size(); ++j) {
    if (j + 1 < list.size()) Join(side, list[j].box, list[j + 1].box, k);
    AddEdge(side, list[j].box, k, points);
  }
  return list.back().part;
}

// Closes the outline at its first return to the start, drops repeated points and the points in
// the middle of straight horizontal or vertical runs.
void CleanUp(std::vector<OutlinePoint>& points) {
  // Repeats of the start right after it are an empty first edge, not the return.
  size_t from = 1;
  while (from < points.size() && Same(points[from], points[0])) ++from;
  for (size_t i = from; i < points.size(); ++i) {
    if (Same(points[i], points[0])) {
      points.resize(i + 1);
      break;
    }
  }
  points.erase(std::unique(points.begin(), points.end(),
                           [](const OutlinePoint& a, const OutlinePoint& b) { return Same(a, b); }),
               points.end());
  std::vector<bool> middle(points.size(), false);
  for (size_t i = 1; i + 1 < points.size(); ++i) {
    const OutlinePoint& before = points[i - 1];
    const OutlinePoint& here = points[i];
    const OutlinePoint& after = points[i + 1];
    middle[i] = (Same(before.X, here.X) && Same(here.X, after.X)) ||
                (Same(before.Y, here.Y) && Same(here.Y, after.Y));
  }
  for (size_t i = points.size(); i-- > 0;) {
    if (middle[i]) points.erase(points.begin() + static_cast<std::ptrdiff_t>(i));
  }
  if (points.size() > 1 && !Same(points.front(), points.back())) points.push_back(points.front());
}

double Cross(const OutlinePoint& o, const OutlinePoint& a, const OutlinePoint& b) {
  return (a.X - o.X) * (b.Y - o.Y) - (a.Y - o.Y) * (b.X - o.X);
}

// Whether r lies on the segment p-q (collinear and within its box).
bool OnSegment(const OutlinePoint& p, const OutlinePoint& q, const OutlinePoint& r) {
  return std::fabs(Cross(p, q, r)) <= kSamePoint * (1 + std::hypot(q.X - p.X, q.Y - p.Y)) &&
         std::min(p.X, q.X) - kSamePoint <= r.X && r.X <= std::max(p.X, q.X) + kSamePoint &&
         std::min(p.Y, q.Y) - kSamePoint <= r.Y && r.Y <= std::max(p.Y, q.Y) + kSamePoint;
}

// Whether the segments a-b and c-d cross or touch.
bool SegmentsMeet(const OutlinePoint& a, const OutlinePoint& b, const OutlinePoint& c,
                  const OutlinePoint& d) {
  const double d1 = Cross(c, d, a), d2 = Cross(c, d, b), d3 = Cross(a, b, c), d4 = Cross(a, b, d);
  if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) return true;
  return OnSegment(c, d, a) || OnSegment(c, d, b) || OnSegment(a, b, c) || OnSegment(a, b, d);
}

double PointToSegment(const OutlinePoint& p, const OutlinePoint& a, const OutlinePoint& b) {
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double lengthSquared = dx * dx + dy * dy;
  const double t =
      lengthSquared > 0 ? std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / lengthSquared, 0.0, 1.0) : 0.0;
  return std::hypot(a.X + t * dx - p.X, a.Y + t * dy - p.Y);
}

// Distance from the segment a-b to a part (0 when it touches or enters it).
double SegmentToBox(const OutlinePoint& a, const OutlinePoint& b, const Box& box) {
  auto inside = [&](const OutlinePoint& p) {
    return p.X >= box.MinX && p.X <= box.MaxX && p.Y >= box.MinY && p.Y <= box.MaxY;
  };
  if (inside(a) || inside(b)) return 0;
  const OutlinePoint corners[4] = {
      {box.MinX, box.MinY}, {box.MaxX, box.MinY}, {box.MaxX, box.MaxY}, {box.MinX, box.MaxY}};
  double nearest = std::hypot(b.X - a.X, b.Y - a.Y) + std::hypot(box.MaxX - a.X, box.MaxY - a.Y);
  for (int i = 0; i < 4; ++i) {
    const OutlinePoint& c = corners[i];
    const OutlinePoint& d = corners[(i + 1) % 4];
    if (SegmentsMeet(a, b, c, d)) return 0;
    nearest = std::min({nearest, PointToSegment(c, a, b), PointToSegment(a, c, d), PointToSegment(b, c, d)});
  }
  return nearest;
}

bool Encloses(const std::vector<OutlinePoint>& closed, double x, double y) {
  bool inside = false;
  for (size_t i = 0; i + 1 < closed.size(); ++i) {
    const OutlinePoint& p = closed[i];
    const OutlinePoint& q = closed[i + 1];
    if ((p.Y > y) != (q.Y > y) && x < (q.X - p.X) * (y - p.Y) / (q.Y - p.Y) + p.X) inside = !inside;
  }
  return inside;
}

// The route may only be cut when it is one closed loop that never meets itself, keeps k from
// every part and has every part inside. Groups with a gap running right through them (parts
// that only meet at corners, islands) trace the gap from both sides and fail here.
bool IsSoundRoute(const std::vector<OutlinePoint>& closed, const std::vector<Entry>& parts, double k) {
  if (closed.size() < 5 || !Same(closed.front(), closed.back())) return false;
  const size_t segments = closed.size() - 1;
  for (size_t i = 0; i < segments; ++i) {
    const OutlinePoint& a = closed[i];
    const OutlinePoint& b = closed[i + 1];
    for (size_t j = i + 1; j < segments; ++j) {
      const OutlinePoint& c = closed[j];
      const OutlinePoint& d = closed[j + 1];
      const bool follows = j == i + 1, wraps = i == 0 && j == segments - 1;
      if (follows || wraps) {
        // Neighbours share one end; they must not fold back onto each other.
        const OutlinePoint& shared = follows ? b : a;
        const OutlinePoint& own = follows ? a : b;
        const OutlinePoint& other = follows ? d : c;
        if (OnSegment(shared, own, other) || OnSegment(shared, other, own)) return false;
      } else if (SegmentsMeet(a, b, c, d)) {
        return false;
      }
    }
    for (const Entry& part : parts) {
      if (SegmentToBox(a, b, part.box) < k - kSamePoint) return false;
    }
  }
  for (const Entry& part : parts) {
    if (!Encloses(closed, (part.box.MinX + part.box.MaxX) / 2, (part.box.MinY + part.box.MaxY) / 2))
      return false;
  }
  return true;
}

// A rectangle k outside all parts: always safe to cut, used when the traced outline is not.
std::vector<OutlinePoint> RectangleAround(const std::vector<Entry>& parts, double k) {
  Box all = parts.front().box;
  for (const Entry& part : parts) {
    all.MinX = std::min(all.MinX, part.box.MinX);
    all.MaxX = std::max(all.MaxX, part.box.MaxX);
    all.MaxY = std::max(all.MaxY, part.box.MaxY);
    all.MinY = std::min(all.MinY, part.box.MinY);
  }
  return {{all.MaxX + k, all.MaxY + k},
          {all.MaxX + k, all.MinY - k},
          {all.MinX - k, all.MinY - k},
          {all.MinX - k, all.MaxY + k},
          {all.MaxX + k, all.MaxY + k}};
}

}  // namespace

std::vector<OutlinePoint> PerimeterOutline(std::span<const PartExtents> parts, double sheetLength,
                                           double sheetWidth, float sawKerf) {
  std::vector<OutlinePoint> points;
  if (parts.empty() || !(sawKerf > 0)) return points;
  const double kerf = sawKerf;
  const double step = 2 * kerf;
  const double k = kerf / 10;

  std::vector<Entry> entries;
  entries.reserve(parts.size());
  for (size_t i = 0; i < parts.size(); ++i) {
    const PartExtents& p = parts[i];
    entries.push_back({{p.MinX, p.MaxX, p.MaxY, p.MinY}, i});
  }

  const auto top = Sweep(
      entries, [](const Box& a, const Box& b) { return a.MaxY > b.MaxY; }, Axis::X,
      SweepLines(0, step, sheetLength), kerf);
  const auto right = Sweep(
      entries, [](const Box& a, const Box& b) { return a.MaxX > b.MaxX; }, Axis::Y,
      SweepLines(sheetWidth, -step, 0), kerf);
  const auto bottom = Sweep(
      entries, [](const Box& a, const Box& b) { return a.MinY < b.MinY; }, Axis::X,
      SweepLines(sheetLength, -step, 0), kerf);
  const auto left = Sweep(
      entries, [](const Box& a, const Box& b) { return a.MinX < b.MinX; }, Axis::Y,
      SweepLines(0, step, sheetWidth), kerf);
  // Parts lying wholly off the sheet are missed by every sweep.
  if (top.empty() || right.empty() || bottom.empty() || left.empty()) return RectangleAround(entries, k);

  size_t last = AddList(Side::Right, right, 0, true, k, points);
  last = AddList(Side::Bottom, bottom, last, false, k, points);
  last = AddList(Side::Left, left, last, false, k, points);
  AddList(Side::Top, top, last, false, k, points);
  CleanUp(points);
  if (!IsSoundRoute(points, entries, k)) return RectangleAround(entries, k);
  return points;
}

}  // namespace tv::nesting
