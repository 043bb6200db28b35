// Entities as world-space outlines: conics split at their extremes, bulged polyline
// segments, splines evaluated from their control points, block references expanded.
#include "drawing/outline.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "text/codepage.h"

namespace tv::drawing {
namespace {

constexpr int kMaxNesting = 16;
constexpr long kMaxVisits = 2'000'000;   // entity visits per walk
constexpr long kMaxArrayCells = 10'000;  // copies of one array reference
constexpr int kMaxCurvePieces = 4096;

Affine3 FromFrame(const Frame& f) {
  Affine3 a;
  a.m[0][0] = f.ax.x, a.m[0][1] = f.ay.x, a.m[0][2] = f.az.x;
  a.m[1][0] = f.ax.y, a.m[1][1] = f.ay.y, a.m[1][2] = f.az.y;
  a.m[2][0] = f.ax.z, a.m[2][1] = f.ay.z, a.m[2][2] = f.az.z;
  return a;
}

// Parameters in (t0, t1) (either direction) where x or y of c + u cos t + v sin t is
// extreme, in travel order.
void ConicExtremes(Vec3 u, Vec3 v, double t0, double t1, std::vector<double>& out) {
  out.clear();
  const double lo = std::min(t0, t1), hi = std::max(t0, t1);
  for (double base : {std::atan2(v.x, u.x), std::atan2(v.y, u.y)}) {
    if (!std::isfinite(base)) continue;
    // every base + k*pi in (lo, hi)
    double t = base + std::ceil((lo - base) / kPi) * kPi;
    for (int guard = 0; t < hi && guard < 8; t += kPi, ++guard)
      if (t > lo + 1e-12 && t < hi - 1e-12) out.push_back(t);
  }
  std::sort(out.begin(), out.end());
  if (t1 < t0) std::reverse(out.begin(), out.end());
}

// Points of the conic c + u cos t + v sin t from t0 to t1 (appended to pts, the first
// point included).
void ConicPoints(Vec3 c, Vec3 u, Vec3 v, double t0, double t1, const FlattenOptions& o,
                 std::vector<Vec3>& pts) {
  auto at = [&](double t) { return c + u * std::cos(t) + v * std::sin(t); };
  static thread_local std::vector<double> extremes;
  ConicExtremes(u, v, t0, t1, extremes);
  std::vector<double> stops;
  stops.reserve(extremes.size() + 2);
  stops.push_back(t0);
  stops.insert(stops.end(), extremes.begin(), extremes.end());
  stops.push_back(t1);
  int steps = 1;
  if (o.display) {
    const double r = std::max(Length(u), Length(v));
    const double tol = o.tolerance > 0 ? o.tolerance : 0.01;
    double perStep = (r > tol) ? 2 * std::acos(1 - tol / r) : kPi / 2;
    if (!(perStep > 1e-4)) perStep = 1e-4;
    const double span = std::fabs(t1 - t0);
    const double n = std::ceil(span / perStep);
    steps = std::isfinite(n) ? static_cast<int>(std::clamp(n, 1.0, static_cast<double>(kMaxCurvePieces))) : 1;
  }
  pts.push_back(at(t0));
  for (std::size_t k = 1; k < stops.size(); ++k) {
    const double a = stops[k - 1], b = stops[k];
    if (o.display) {
      const double frac = std::fabs(b - a) / std::max(std::fabs(t1 - t0), 1e-300);
      const int n = std::max(1, static_cast<int>(std::ceil(steps * frac)));
      for (int i = 1; i < n; ++i) pts.push_back(at(a + (b - a) * i / n));
    }
    pts.push_back(at(b));
  }
}

// A bulged segment from p to q (object coordinates) as a conic.
void BulgePoints(const Affine3& m, Vec3 p, Vec3 q, double bulge, const FlattenOptions& o,
                 std::vector<Vec3>& pts) {
  const double dx = q.x - p.x, dy = q.y - p.y;
  const double d = std::sqrt(dx * dx + dy * dy);
  if (!(d > 1e-12) || !std::isfinite(bulge) || std::fabs(bulge) > 1e6) {
    pts.push_back(m.Point(q));
    return;
  }
  const double theta = 4 * std::atan(bulge);
  const double r = d / (2 * std::sin(std::fabs(theta) / 2));
  const double h =
      (d / 2) * (1 - bulge * bulge) / (2 * bulge);  // from chord midpoint to centre, left of chord
  const Vec3 centre{p.x + dx / 2 - dy / d * h, p.y + dy / 2 + dx / d * h, p.z};
  const double a0 = std::atan2(p.y - centre.y, p.x - centre.x);
  std::vector<Vec3> arc;
  ConicPoints(m.Point(centre), m.Vector({r, 0, 0}), m.Vector({0, r, 0}), a0, a0 + theta, o, arc);
  arc.back() = m.Point(q);  // land exactly on the next vertex
  pts.insert(pts.end(), arc.begin() + 1, arc.end());
}

// De Boor evaluation of a rational B-spline at t.
Vec3 SplineAt(const SplineData& s, const std::vector<double>& knots, int p, double t) {
  const int n = static_cast<int>(s.control.size());
  int k = p;
  while (k < n - 1 && t >= knots[static_cast<std::size_t>(k + 1)]) ++k;
  struct H {
    double x, y, z, w;
  };
  H d[32];
  for (int j = 0; j <= p; ++j) {
    const std::size_t i = static_cast<std::size_t>(j + k - p);
    const double w = i < s.weights.size() && s.weights.size() == s.control.size() ? s.weights[i] : 1.0;
    d[j] = {s.control[i].x * w, s.control[i].y * w, s.control[i].z * w, w};
  }
  for (int r = 1; r <= p; ++r) {
    for (int j = p; j >= r; --j) {
      const double lo = knots[static_cast<std::size_t>(j + k - p)];
      const double hi = knots[static_cast<std::size_t>(j + 1 + k - r)];
      const double a = hi - lo > 0 ? (t - lo) / (hi - lo) : 0;
      d[j] = {(1 - a) * d[j - 1].x + a * d[j].x, (1 - a) * d[j - 1].y + a * d[j].y,
              (1 - a) * d[j - 1].z + a * d[j].z, (1 - a) * d[j - 1].w + a * d[j].w};
    }
  }
  const double w = std::fabs(d[p].w) > 1e-300 ? d[p].w : 1.0;
  return {d[p].x / w, d[p].y / w, d[p].z / w};
}

void SplinePoints(const SplineData& s, const Affine3& m, const FlattenOptions& o, std::vector<Vec3>& pts) {
  const int n = static_cast<int>(s.control.size());
  const int p = s.degree;
  if (n < 2 || p < 1 || p > 25 || n <= p) {
    const std::vector<Vec3>& through = n >= 2 ? s.control : s.fit;
    for (const Vec3& v : through) pts.push_back(m.Point(v));
    return;
  }
  std::vector<double> knots = s.knots;
  bool valid = knots.size() == static_cast<std::size_t>(n + p + 1);
  for (std::size_t i = 1; valid && i < knots.size(); ++i) valid = knots[i] >= knots[i - 1];
  if (!valid) {  // a clamped uniform vector in place of a broken one
    knots.clear();
    for (int i = 0; i < n + p + 1; ++i) knots.push_back(std::clamp(i - p, 0, n - p));
  }
  const int perSpan = std::clamp(o.splineStepsPerSpan, 1, 256);
  const long budget = 100'000;
  long produced = 0;
  const double start = knots[static_cast<std::size_t>(p)], end = knots[static_cast<std::size_t>(n)];
  pts.push_back(m.Point(SplineAt(s, knots, p, start)));
  for (int k = p; k < n && produced < budget; ++k) {
    const double a = knots[static_cast<std::size_t>(k)], b = knots[static_cast<std::size_t>(k + 1)];
    if (!(b > a)) continue;
    for (int i = 1; i <= perSpan; ++i, ++produced) {
      const double t = (i == perSpan && k + 1 == n) ? end : a + (b - a) * i / perSpan;
      pts.push_back(m.Point(SplineAt(s, knots, p, std::min(t, end))));
    }
  }
}

// Index of vertex v of a polyface (1-based, sign = edge visibility) into the position list.
std::vector<int> FaceIndices(const Vertex& v) {
  std::vector<int> out;
  for (const Group& g : v.extra) {
    if (g.code < 71 || g.code > 74) continue;
    try {
      const int index = std::stoi(g.value);
      if (index > -1000000000 && index < 1000000000) out.push_back(index);
    } catch (const std::exception&) {
    }
  }
  return out;
}

void FlattenPoly(const Entity& e, const PolyData& d, const Placement& at, const FlattenOptions& o,
                 OutlineSink& sink) {
  std::vector<Vec3> pts;
  const bool writable = at.topIndex >= 0;
  if (d.flags & 64) {  // polyface mesh: faces index the position vertices
    std::vector<const Vertex*> positions;
    for (const Vertex& v : d.vertices)
      if ((v.flags & 128) && (v.flags & 64)) positions.push_back(&v);
    for (const Vertex& v : d.vertices) {
      if (!(v.flags & 128) || (v.flags & 64)) continue;
      const std::vector<int> idx = FaceIndices(v);
      for (std::size_t k = 0; k < idx.size(); ++k) {
        const int a = idx[k], b = idx[(k + 1) % idx.size()];
        if (a <= 0 || b == 0) continue;  // an invisible edge, or no vertex
        const std::size_t ia = static_cast<std::size_t>(a - 1),
                          ib = static_cast<std::size_t>(std::abs(b) - 1);
        if (ia >= positions.size() || ib >= positions.size()) continue;
        pts = {at.m.Point(positions[ia]->p), at.m.Point(positions[ib]->p)};
        sink.Piece(pts, false, false, -1);
      }
    }
    return;
  }
  if (d.flags & 16) {  // M x N polygon mesh
    const long m = d.meshM, n = d.meshN;
    if (m <= 0 || n <= 0 || m * n > static_cast<long>(d.vertices.size())) return;
    auto v = [&](long i, long j) { return at.m.Point(d.vertices[static_cast<std::size_t>(i * n + j)].p); };
    for (long i = 0; i < m; ++i) {
      pts.clear();
      for (long j = 0; j < n; ++j) pts.push_back(v(i, j));
      sink.Piece(pts, (d.flags & 32) != 0, false, -1);
    }
    for (long j = 0; j < n; ++j) {
      pts.clear();
      for (long i = 0; i < m; ++i) pts.push_back(v(i, j));
      sink.Piece(pts, (d.flags & 1) != 0, false, -1);
    }
    return;
  }
  // Spline-fit polylines keep their frame (flag 16) only for editing; the curve is the rest.
  std::vector<std::size_t> used;
  for (std::size_t i = 0; i < d.vertices.size(); ++i)
    if (!(d.vertices[i].flags & 16)) used.push_back(i);
  if (used.empty()) return;
  if (d.Is3d()) {
    const std::size_t count = used.size();
    const std::size_t segments = d.Closed() ? count : count - 1;
    if (count == 1) {
      pts = {at.m.Point(d.vertices[used[0]].p)};
      sink.Piece(pts, false, false, writable ? static_cast<int>(used[0]) : -1);
      return;
    }
    for (std::size_t s = 0; s < segments; ++s) {
      pts = {at.m.Point(d.vertices[used[s]].p), at.m.Point(d.vertices[used[(s + 1) % count]].p)};
      sink.Piece(pts, false, false, writable ? static_cast<int>(used[s]) : -1);
    }
    return;
  }
  const Affine3 m = ObjectMatrix(e, at);
  const int ref = writable && Frame::FromNormal(e.extrusion).identity ? -2 : -1;
  auto local = [&](std::size_t i) {
    Vec3 p = d.vertices[i].p;
    p.z = d.elevation;
    return p;
  };
  const std::size_t count = used.size();
  pts.push_back(m.Point(local(used[0])));
  const std::size_t segments = d.Closed() ? count : count - 1;
  for (std::size_t s = 0; s < segments; ++s) {
    const Vertex& v = d.vertices[used[s]];
    const Vec3 q = local(used[(s + 1) % count]);
    if (std::fabs(v.bulge) > 1e-12)
      BulgePoints(m, local(used[s]), q, v.bulge, o, pts);
    else
      pts.push_back(m.Point(q));
  }
  if (d.Closed() && count > 1) pts.pop_back();  // the closing point is the first again
  sink.Piece(pts, d.Closed() && count > 1, false, ref);
}

struct Walker {
  const Document& doc;
  EntityVisitor& visitor;
  long visits = 0;
  std::vector<int> stack;

  void Entities(const std::vector<Entity>& list, std::size_t begin, std::size_t end, const Placement& parent,
                bool top) {
    for (std::size_t i = begin; i < end && i < list.size(); ++i) {
      const Entity& e = list[i];
      if (top && e.paperSpace) continue;
      if (++visits > kMaxVisits) return;
      Placement at = parent;
      at.topIndex = top ? static_cast<long>(i) : -1;
      // Layer 0 inside a block shows on the reference's layer.
      if (!top && doc.LayerAt(e.layer).Name() == "0")
        at.layer = parent.layer;
      else
        at.layer = e.layer;
      at.color = ResolveColor(doc, e, at.layer, parent.color);
      at.bgr = ResolveBgr(e, parent.bgr);
      visitor.Visit(e, at);
      if (const auto* ins = std::get_if<InsertData>(&e.data)) Insert(e, *ins, at);
    }
  }

  void Insert(const Entity& e, const InsertData& ins, const Placement& at) {
    for (const Entity& attrib : ins.attribs) {
      if (++visits > kMaxVisits) return;
      Placement ap = at;
      ap.topIndex = -1;
      ap.layer = attrib.layer;
      ap.color = ResolveColor(doc, attrib, attrib.layer, at.color);
      ap.bgr = ResolveBgr(attrib, at.bgr);
      visitor.Visit(attrib, ap);
    }
    const int b = doc.FindBlock(ins.block);
    if (b < 0 || static_cast<int>(stack.size()) >= kMaxNesting) return;
    if (std::find(stack.begin(), stack.end(), b) != stack.end()) return;  // refers to itself
    const Block& block = doc.blocks[static_cast<std::size_t>(b)];
    if (!block.xrefPath.empty() && block.entities.empty()) return;
    const long cols = std::clamp(ins.columns, 1, 32767), rows = std::clamp(ins.rows, 1, 32767);
    const long cells = std::min(cols * rows, kMaxArrayCells);
    const Affine3 frame = ObjectMatrix(e, at);
    double cs, sn;
    CosSinDegrees(ins.rotation, cs, sn);
    stack.push_back(b);
    for (long cell = 0; cell < cells; ++cell) {
      const double ox = static_cast<double>(cell % cols) * ins.columnSpacing;
      const double oy = static_cast<double>(cell / cols) * ins.rowSpacing;
      Affine3 local;  // T(position + R(offset)) * R * S * T(-base)
      local.m[0][0] = cs * ins.scale.x, local.m[0][1] = -sn * ins.scale.y, local.m[0][2] = 0;
      local.m[1][0] = sn * ins.scale.x, local.m[1][1] = cs * ins.scale.y, local.m[1][2] = 0;
      local.m[2][0] = 0, local.m[2][1] = 0, local.m[2][2] = ins.scale.z;
      const Vec3 pos = ins.position + Vec3{cs * ox - sn * oy, sn * ox + cs * oy, 0};
      const Vec3 base = local.Vector(block.base);
      local.m[0][3] = pos.x - base.x, local.m[1][3] = pos.y - base.y, local.m[2][3] = pos.z - base.z;
      Placement inner = at;
      inner.m = frame.Then(local);
      inner.identity = inner.m.IsIdentity();
      Entities(block.entities, 0, block.entities.size(), inner, false);
      if (visits > kMaxVisits) break;
    }
    stack.pop_back();
  }
};

bool IsBreakCode(char c) {
  return c == 'P' || c == 'N' || c == 'X';
}

}  // namespace

Affine3 ObjectMatrix(const Entity& e, const Placement& at) {
  const Frame f = Frame::FromNormal(e.extrusion);
  if (f.identity) return at.m;
  return at.m.Then(FromFrame(f));
}

int ResolveColor(const Document& doc, const Entity& e, int effectiveLayer, int parentColor) {
  int c = e.color;
  if (c == 0) return parentColor;  // by block
  if (c < 0) c = -c;
  if (c >= 1 && c <= 255) return c;
  const int aci = Document::LayerAci(doc.LayerAt(effectiveLayer));
  return aci >= 1 && aci <= 255 ? aci : 7;
}

std::int32_t ResolveBgr(const Entity& e, std::int32_t parentBgr) {
  if (e.trueColor >= 0) return e.trueColor;
  return e.color == 0 ? parentBgr : -1;  // by block takes the reference's
}

void FlattenEntity(const Entity& e, const Placement& at, const FlattenOptions& o, OutlineSink& sink) {
  std::vector<Vec3> pts;
  const bool writable = at.topIndex >= 0;
  const bool flatFrame = Frame::FromNormal(e.extrusion).identity ||
                         (std::fabs(e.extrusion.x) < 1e-12 && std::fabs(e.extrusion.y) < 1e-12);
  const int planarRef = writable && flatFrame ? -2 : -1;
  if (const auto* d = std::get_if<LineData>(&e.data)) {
    pts = {at.m.Point(d->a), at.m.Point(d->b)};
    sink.Piece(pts, false, false, writable ? 0 : -1);
  } else if (const auto* c = std::get_if<CircleData>(&e.data)) {
    const Affine3 m = ObjectMatrix(e, at);
    const double r = c->radius;
    double t0 = 0, t1 = 2 * kPi;
    if (c->arc) {
      t0 = Radians(c->startAngle);
      t1 = Radians(c->endAngle);
      if (!std::isfinite(t0) || !std::isfinite(t1)) return;
      t0 = std::fmod(t0, 2 * kPi);
      t1 = std::fmod(t1, 2 * kPi);
      while (t1 <= t0) t1 += 2 * kPi;
    }
    ConicPoints(m.Point(c->center), m.Vector({r, 0, 0}), m.Vector({0, r, 0}), t0, t1, o, pts);
    if (!c->arc && o.display) pts.pop_back();
    if (o.display) {
      sink.Piece(pts, !c->arc, false, planarRef);
    } else {
      for (std::size_t k = 0; k + 1 < pts.size(); ++k)
        sink.Piece({pts[k], pts[k + 1]}, false, false, planarRef);
    }
  } else if (const auto* el = std::get_if<EllipseData>(&e.data)) {
    const Vec3 n = Normalized(e.extrusion);
    const Vec3 minor = Cross(n, el->major) * el->ratio;
    double t0 = el->startParam, t1 = el->endParam;
    if (!std::isfinite(t0) || !std::isfinite(t1)) return;
    const bool full = std::fabs(std::fabs(t1 - t0) - 2 * kPi) < 1e-9 || std::fabs(t1 - t0) < 1e-12;
    if (full) {
      t1 = t0 + 2 * kPi;
    } else {
      t0 = std::fmod(t0, 2 * kPi);
      t1 = std::fmod(t1, 2 * kPi);
      while (t1 <= t0) t1 += 2 * kPi;
    }
    ConicPoints(at.m.Point(el->center), at.m.Vector(el->major), at.m.Vector(minor), t0, t1, o, pts);
    if (full) pts.pop_back();
    const int ref = writable && std::fabs(el->major.z) < 1e-12 && flatFrame ? -2 : -1;
    sink.Piece(pts, full, false, ref);
  } else if (const auto* f = std::get_if<FaceData>(&e.data)) {
    if (f->kind == FaceKind::Face3d) {
      const int count = (f->corner[3].x == f->corner[2].x && f->corner[3].y == f->corner[2].y &&
                         f->corner[3].z == f->corner[2].z)
                            ? 3
                            : 4;
      if (o.display) {
        for (int k = 0; k < count; ++k) pts.push_back(at.m.Point(f->corner[k]));
        sink.Piece(pts, true, false, -1);
      } else {
        for (int k = 0; k < count; ++k)
          sink.Piece({at.m.Point(f->corner[k]), at.m.Point(f->corner[(k + 1) % count])}, false, false,
                     writable ? k : -1);
      }
    } else {
      const Affine3 m = ObjectMatrix(e, at);
      const Vec3 ring[4] = {f->corner[0], f->corner[1], f->corner[3], f->corner[2]};
      for (const Vec3& p : ring) pts.push_back(m.Point(p));
      if (pts[3].x == pts[0].x && pts[3].y == pts[0].y && pts[3].z == pts[0].z) pts.pop_back();
      sink.Piece(pts, true, true, planarRef);
    }
  } else if (const auto* p = std::get_if<PolyData>(&e.data)) {
    FlattenPoly(e, *p, at, o, sink);
  } else if (const auto* s = std::get_if<SplineData>(&e.data)) {
    SplinePoints(*s, at.m, o, pts);
    sink.Piece(pts, false, false, writable ? -2 : -1);
  }
}

void WalkEntities(const Document& doc, std::size_t begin, std::size_t end, EntityVisitor& visitor) {
  Walker w{doc, visitor, 0, {}};
  Placement top;
  w.Entities(doc.entities, begin, end, top, true);
}

std::vector<std::string> MTextLines(const std::string& value) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '{' || c == '}') continue;
    if (c == '\n') {
      lines.emplace_back();
      continue;
    }
    if (c != '\\' || i + 1 >= value.size()) {
      lines.back() += c;
      continue;
    }
    const char k = value[++i];
    if (IsBreakCode(k)) {
      lines.emplace_back();
    } else if (k == '~') {
      lines.back() += ' ';
    } else if (k == '\\' || k == '{' || k == '}') {
      lines.back() += k;
    } else if (k == 'S') {  // stacked fraction a^b or a/b up to ';'
      const std::size_t semi = value.find(';', i);
      std::string stacked = value.substr(i + 1, semi == std::string::npos ? std::string::npos : semi - i - 1);
      for (char& ch : stacked)
        if (ch == '^' || ch == '#') ch = '/';
      lines.back() += stacked;
      i = semi == std::string::npos ? value.size() : semi;
    } else if (std::string_view("ACcFfHQTWpq").find(k) != std::string_view::npos) {
      const std::size_t semi = value.find(';', i);
      i = semi == std::string::npos ? value.size() : semi;
    } else if (std::string_view("LlOoKk").find(k) != std::string_view::npos) {
      // underline/overline/strike toggles: no text
    } else {
      lines.back() += k;
    }
  }
  return lines;
}

namespace {

// The engine's font metrics: every character advances by this part of the text height. Text
// extents and the wrapping of text boxes both measure with it, so a wrapped line fits its box
// by the same measure the extents show.
constexpr double kCharAdvance = 0.8;

// A line broken between words into lines of at most maxChars characters; a word longer than
// that stands alone on its line. A line that fits stays exactly as it is.
void WrapLine(const std::string& line, std::size_t maxChars, std::vector<std::string>& out) {
  if (text::Utf8CharCount(line) <= maxChars) {
    out.push_back(line);
    return;
  }
  std::string current;
  std::size_t start = 0;
  bool first = true;
  while (start <= line.size()) {
    std::size_t end = line.find(' ', start);
    if (end == std::string::npos) end = line.size();
    const std::string_view word(line.data() + start, end - start);
    if (first) {
      current.assign(word);
      first = false;
    } else if (text::Utf8CharCount(current) + 1 + text::Utf8CharCount(word) <= maxChars || current.empty()) {
      current += ' ';
      current += word;
    } else {
      out.push_back(current);
      current.assign(word);
    }
    start = end + 1;
  }
  out.push_back(current);
}

}  // namespace

void TextBox(const TextData& t, double defaultHeight, Vec3 corners[4]) {
  const double h = t.height > 0 ? t.height : defaultHeight;
  const std::size_t chars = text::Utf8CharCount(t.value);
  const double w = static_cast<double>(chars) * h * kCharAdvance * (t.widthFactor > 0 ? t.widthFactor : 1);
  double x0 = 0, y0 = 0;
  if (t.hAlign == 1 || t.hAlign == 4) x0 = -w / 2;
  if (t.hAlign == 2) x0 = -w;
  if (t.vAlign == 2 || t.hAlign == 4) y0 = -h / 2;
  if (t.vAlign == 3) y0 = -h;
  const bool aligned = (t.hAlign != 0 || t.vAlign != 0) && t.hasAlign;
  const Vec3 origin = aligned ? t.align : t.insert;
  double cs, sn;
  CosSinDegrees(t.rotation, cs, sn);
  const double xs[4] = {x0, x0 + w, x0 + w, x0}, ys[4] = {y0, y0, y0 + h, y0 + h};
  for (int k = 0; k < 4; ++k)
    corners[k] = {origin.x + cs * xs[k] - sn * ys[k], origin.y + sn * xs[k] + cs * ys[k], origin.z};
}

// Lines of a multi-line text as one-line texts in its own plane.
std::vector<TextData> MTextAsLines(const Document& doc, const Entity& e, const MTextData& m) {
  std::vector<TextData> out;
  const double height = m.height > 0 ? m.height : doc.DefaultTextSize();
  // A box with a width holds its paragraphs within it, broken between words.
  std::vector<std::string> lines;
  const double maxChars = m.referenceWidth / (height * kCharAdvance);
  const bool wraps = m.referenceWidth > 0 && std::isfinite(maxChars);
  for (const std::string& paragraph : MTextLines(m.value)) {
    if (wraps) {
      WrapLine(paragraph, static_cast<std::size_t>(std::clamp(maxChars + 1e-9, 1.0, 1e9)), lines);
    } else {
      lines.push_back(paragraph);
    }
  }
  const double step = height * 5.0 / 3.0 * (m.lineSpacing > 0 ? m.lineSpacing : 1);
  const Frame f = Frame::FromNormal(e.extrusion);
  const Vec3 xw = Normalized(m.xAxis, {1, 0, 0});
  const Vec3 x = f.ToLocal(xw);
  const double rotation = Degrees(std::atan2(x.y, x.x));
  const Vec3 down = f.ToLocal(Cross(xw, Normalized(e.extrusion)));
  const Vec3 base = f.ToLocal(m.insert);
  const int attach = std::clamp(m.attachment, 1, 9);
  const int row = (attach - 1) / 3, col = (attach - 1) % 3;
  const double n = static_cast<double>(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    double offset = static_cast<double>(i) * step;
    if (row == 1) offset -= (n - 1) * step / 2;
    if (row == 2) offset -= (n - 1) * step;
    TextData t;
    t.insert = base + down * offset;
    t.align = t.insert;
    t.hasAlign = true;
    t.height = height;
    t.rotation = std::fabs(rotation) < 1e-12 ? 0 : rotation;
    t.value = lines[i];
    t.style = m.style;
    t.hAlign = col;
    t.vAlign = row == 0 ? 3 : row == 1 ? 2 : 1;
    out.push_back(std::move(t));
  }
  return out;
}

}  // namespace tv::drawing
