// Moving, turning and scaling entities. Planar entities are mapped in their own plane:
// the new plane's normal is chosen so that the map keeps its turning sense there, so arcs
// stay counter-clockwise and bulges keep their sign even under a mirror.
#include "drawing/transform.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "drawing/dxf_writer.h"

namespace tv::drawing {
namespace {

double Normalize360(double degrees) {
  double r = std::fmod(degrees, 360.0);
  if (r < 0) r += 360.0;
  if (r >= 360.0) r -= 360.0;
  return r;
}

struct Planar {
  Frame from, to;
  const PlaneMap* m = nullptr;
  Vec3 u, v;  // images of the old plane's unit x and y, in the new plane's coordinates
  bool conformal = true;
  double scale = 1;
  double angle = 0;  // degrees from the old x axis to its image

  Vec3 Point(Vec3 p) const { return to.ToLocal(m->Point(from.ToWorld(p))); }
  // image of a direction given in the old plane (2D), in the new plane
  Vec3 Dir(double x, double y) const { return u * x + v * y; }
};

Planar MakePlanar(Vec3 normal, const EntityMap& map, Vec3& newNormal) {
  Planar p;
  p.m = &map.m;
  p.from = Frame::FromNormal(normal);
  const Vec3 U = map.m.Vector(p.from.ax), V = map.m.Vector(p.from.ay);
  const Vec3 n2 = Normalized(Cross(U, V), p.from.az);
  p.to = Frame::FromNormal(n2);
  newNormal = p.to.identity ? Vec3{0, 0, 1} : n2;
  p.u = p.to.ToLocal(U);
  p.v = p.to.ToLocal(V);
  p.u.z = p.v.z = 0;
  const double lu = Length(p.u), lv = Length(p.v);
  p.conformal = lu > 0 && std::fabs(lu - lv) <= 1e-9 * lu && std::fabs(Dot(p.u, p.v)) <= 1e-9 * lu * lv;
  p.scale = lu;
  if (p.from.identity && p.to.identity && map.similarity)
    p.angle = map.angle;
  else
    p.angle = Degrees(std::atan2(p.u.y, p.u.x));
  return p;
}

// Direction vector (thickness direction of a line or point) under the map.
Vec3 MapDirection(const PlaneMap& m, Vec3 n) {
  return Normalized(m.Vector(n), n);
}

// Plane normal under the map.
Vec3 MapNormal(const PlaneMap& m, Vec3 n) {
  const Vec3 c{m.d * n.x - m.c * n.y, -m.b * n.x + m.a * n.y, m.Det() * n.z};
  return Normalized(c, n);
}

// Turns and scales a rotation and a height: the rotation of the mapped direction and the
// height scale across it.
void MapTextFrame(const Planar& p, double& rotation, double& height, double& widthFactor, bool changeAngle) {
  if (p.conformal) {
    if (changeAngle && p.angle != 0) rotation = Normalize360(rotation + p.angle);
    height *= p.scale;
    return;
  }
  double cs, sn;
  CosSinDegrees(rotation, cs, sn);
  const Vec3 d = p.Dir(cs, sn), up = p.Dir(-sn, cs);
  const double ld = Length(d);
  if (!(ld > 0)) return;
  const double across = std::fabs(d.x * up.y - d.y * up.x) / ld;
  rotation = Normalize360(Degrees(std::atan2(d.y, d.x)));
  height *= across;
  if (across > 0) widthFactor *= ld / across;
}

void MapText(TextData& t, const EntityMap& map, Vec3& extrusion) {
  Vec3 n2;
  const Planar p = MakePlanar(extrusion, map, n2);
  t.insert = p.Point(t.insert);
  if (t.hasAlign) t.align = p.Point(t.align);
  MapTextFrame(p, t.rotation, t.height, t.widthFactor, true);
  extrusion = n2;
}

// Replaces bulged segments by short straight ones (for maps that do not keep circles).
void StraightenBulges(PolyData& d) {
  std::vector<Vertex> out;
  const std::size_t n = d.vertices.size();
  for (std::size_t i = 0; i < n; ++i) {
    Vertex v = d.vertices[i];
    const double b = v.bulge;
    v.bulge = 0;
    out.push_back(v);
    if (std::fabs(b) <= 1e-12 || (!d.Closed() && i + 1 == n)) continue;
    const Vec3 a = d.vertices[i].p, c = d.vertices[(i + 1) % n].p;
    const double dx = c.x - a.x, dy = c.y - a.y, len = std::sqrt(dx * dx + dy * dy);
    if (!(len > 0) || !std::isfinite(b) || std::fabs(b) > 1e6) continue;
    const double theta = 4 * std::atan(b);
    const double h = (len / 2) * (1 - b * b) / (2 * b);
    const Vec3 centre{a.x + dx / 2 - dy / len * h, a.y + dy / 2 + dx / len * h, a.z};
    const double r = std::hypot(a.x - centre.x, a.y - centre.y);
    const double a0 = std::atan2(a.y - centre.y, a.x - centre.x);
    const int steps = std::clamp(static_cast<int>(std::ceil(std::fabs(theta) / (kPi / 32))), 2, 256);
    for (int k = 1; k < steps; ++k) {
      Vertex mid = v;
      const double t = a0 + theta * k / steps;
      mid.p = {centre.x + r * std::cos(t), centre.y + r * std::sin(t), a.z};
      out.push_back(mid);
    }
  }
  d.vertices = std::move(out);
}

bool ParseGroup(const Group& g, double& v) {
  try {
    v = std::stod(g.value);
  } catch (const std::exception&) {
    return false;
  }
  return std::isfinite(v);
}

// Entities kept as groups: their points move with the map, and those the writer puts in
// the file (attribute definitions, shapes) also turn and scale, so that they stay with the
// part they label.
void MapOther(OtherData& o, const EntityMap& map) {
  const PlaneMap& m = map.m;
  Group* found[4] = {nullptr, nullptr, nullptr, nullptr};  // 10, 20, 11, 21
  Group* heightGroup = nullptr;
  Group* rotationGroup = nullptr;
  for (Group& g : o.groups) {
    Group** slot = g.code == 10   ? &found[0]
                   : g.code == 20 ? &found[1]
                   : g.code == 11 ? &found[2]
                   : g.code == 21 ? &found[3]
                   : g.code == 40 ? &heightGroup
                   : g.code == 50 ? &rotationGroup
                                  : nullptr;
    if (slot && !*slot) *slot = &g;
  }
  for (int k : {0, 2}) {
    double x = 0, y = 0;
    if (!found[k] || !found[k + 1] || !ParseGroup(*found[k], x) || !ParseGroup(*found[k + 1], y)) continue;
    const Vec3 p = m.Point({x, y, 0});
    found[k]->value = FormatNumber(p.x);
    found[k + 1]->value = FormatNumber(p.y);
  }
  if (o.type != "ATTDEF" && o.type != "SHAPE") return;
  double rotation = 0, height = 0;
  if (rotationGroup && !ParseGroup(*rotationGroup, rotation)) return;
  double cs, sn;
  CosSinDegrees(rotation, cs, sn);
  const Vec3 d = m.Vector({cs, sn, 0}), up = m.Vector({-sn, cs, 0});
  const double ld = Length(d);
  if (!(ld > 0)) return;
  const double newRotation =
      map.similarity ? Normalize360(rotation + map.angle) : Normalize360(Degrees(std::atan2(d.y, d.x)));
  if (rotationGroup)
    rotationGroup->value = FormatNumber(newRotation);
  else if (newRotation != 0)
    o.groups.push_back({50, FormatNumber(newRotation)});
  if (heightGroup && ParseGroup(*heightGroup, height))
    heightGroup->value = FormatNumber(height * std::fabs(d.x * up.y - d.y * up.x) / ld);
}

}  // namespace

EntityMap EntityMap::Translation(double dx, double dy) {
  EntityMap e;
  e.m = PlaneMap::Translation(dx, dy);
  return e;
}

EntityMap EntityMap::ScaleTurnShift(double baseX, double baseY, double scaleX, double scaleY, double angle,
                                    double shiftX, double shiftY) {
  EntityMap e;
  e.m = PlaneMap::ScaleTurnShift(baseX, baseY, scaleX, scaleY, angle, shiftX, shiftY);
  e.similarity = scaleX == scaleY && scaleX > 0;
  e.angle = e.similarity ? angle : 0;
  e.scale = e.similarity ? scaleX : 1;
  return e;
}

void EllipseFromConjugate(Vec3 center, Vec3 u, Vec3 v, double t0, double t1, bool full, EllipseData& out,
                          Vec3& normal) {
  normal = Normalized(Cross(u, v), normal);
  const double uu = Dot(u, u), vv = Dot(v, v), uv = Dot(u, v);
  double phi = 0.5 * std::atan2(2 * uv, uu - vv);
  Vec3 major = u * std::cos(phi) + v * std::sin(phi);
  Vec3 minor = u * (-std::sin(phi)) + v * std::cos(phi);
  if (Length(minor) > Length(major)) {
    phi += kPi / 2;
    major = u * std::cos(phi) + v * std::sin(phi);
    minor = u * (-std::sin(phi)) + v * std::cos(phi);
  }
  const double lm = Length(major);
  out.center = center;
  out.major = major;
  out.ratio = lm > 0 ? std::clamp(Length(minor) / lm, 1e-9, 1.0) : 1.0;
  if (full) {
    out.startParam = 0;
    out.endParam = 2 * kPi;
  } else {
    out.startParam = std::fmod(t0 - phi, 2 * kPi);
    out.endParam = std::fmod(t1 - phi, 2 * kPi);
    if (out.startParam < 0) out.startParam += 2 * kPi;
    if (out.endParam < 0) out.endParam += 2 * kPi;
  }
}

void TransformEntity(Entity& e, const EntityMap& map) {
  const PlaneMap& m = map.m;
  if (m.IsIdentity()) return;
  if (auto* d = std::get_if<LineData>(&e.data)) {
    d->a = m.Point(d->a);
    d->b = m.Point(d->b);
    e.extrusion = MapDirection(m, e.extrusion);
  } else if (auto* pt = std::get_if<PointData>(&e.data)) {
    pt->p = m.Point(pt->p);
    e.extrusion = MapDirection(m, e.extrusion);
  } else if (auto* c = std::get_if<CircleData>(&e.data)) {
    Vec3 n2;
    const Planar p = MakePlanar(e.extrusion, map, n2);
    if (p.conformal) {
      c->center = p.Point(c->center);
      c->radius *= p.scale;
      if (c->arc && p.angle != 0) {
        c->startAngle = Normalize360(c->startAngle + p.angle);
        c->endAngle = Normalize360(c->endAngle + p.angle);
      }
      e.extrusion = n2;
    } else {
      const Frame f = Frame::FromNormal(e.extrusion);
      const Vec3 centre = m.Point(f.ToWorld(c->center));
      const Vec3 u = m.Vector(f.ax) * c->radius, v = m.Vector(f.ay) * c->radius;
      EllipseData el;
      Vec3 normal = e.extrusion;
      EllipseFromConjugate(centre, u, v, Radians(c->startAngle), Radians(c->endAngle), !c->arc, el, normal);
      e.extrusion = normal;
      e.data = el;
    }
  } else if (auto* el = std::get_if<EllipseData>(&e.data)) {
    const Vec3 n = Normalized(e.extrusion);
    const Vec3 minor = Cross(n, el->major) * el->ratio;
    const bool full = std::fabs(std::fabs(el->endParam - el->startParam) - 2 * kPi) < 1e-9 ||
                      std::fabs(el->endParam - el->startParam) < 1e-12;
    Vec3 normal = e.extrusion;
    EllipseData out;
    EllipseFromConjugate(m.Point(el->center), m.Vector(el->major), m.Vector(minor), el->startParam,
                         el->endParam, full, out, normal);
    *el = out;
    e.extrusion = normal;
  } else if (auto* t = std::get_if<TextData>(&e.data)) {
    MapText(*t, map, e.extrusion);
  } else if (auto* mt = std::get_if<MTextData>(&e.data)) {
    const Vec3 n = Normalized(e.extrusion);
    const Vec3 x = Normalized(mt->xAxis, {1, 0, 0});
    const Vec3 y = Cross(n, x);
    const Vec3 x2 = m.Vector(x), y2 = m.Vector(y);
    const double lx = Length(x2);
    mt->insert = m.Point(mt->insert);
    if (lx > 0) {
      const double across = Length(Cross(x2 * (1 / lx), y2));
      mt->height *= across;
      mt->referenceWidth *= lx;
      mt->xAxis = x2 * (1 / lx);
      e.extrusion = Normalized(Cross(x2, y2), n);
    }
  } else if (auto* f = std::get_if<FaceData>(&e.data)) {
    if (f->kind == FaceKind::Face3d) {
      for (Vec3& c3 : f->corner) c3 = m.Point(c3);
    } else {
      Vec3 n2;
      const Planar p = MakePlanar(e.extrusion, map, n2);
      for (Vec3& c3 : f->corner) c3 = p.Point(c3);
      e.extrusion = n2;
    }
  } else if (auto* poly = std::get_if<PolyData>(&e.data)) {
    if (poly->Is3d()) {
      for (Vertex& v : poly->vertices) v.p = m.Point(v.p);
    } else {
      Vec3 n2;
      const Planar p = MakePlanar(e.extrusion, map, n2);
      if (!p.conformal) StraightenBulges(*poly);
      const double widthScale = p.conformal ? p.scale : std::sqrt(std::fabs(m.Det()));
      const double z = poly->elevation;
      for (Vertex& v : poly->vertices) {
        Vec3 q = p.Point({v.p.x, v.p.y, z});
        const double ownZ = v.p.z;
        v.p = q;
        if (!poly->lightweight) v.p.z = ownZ;
        v.startWidth *= widthScale;
        v.endWidth *= widthScale;
      }
      poly->elevation = p.Point({0, 0, z}).z;
      if (poly->lightweight)
        for (Vertex& v : poly->vertices) v.p.z = poly->elevation;
      poly->startWidth *= widthScale;
      poly->endWidth *= widthScale;
      e.extrusion = n2;
    }
  } else if (auto* ins = std::get_if<InsertData>(&e.data)) {
    for (Entity& attrib : ins->attribs) TransformEntity(attrib, map);
    Vec3 n2;
    const Planar p = MakePlanar(e.extrusion, map, n2);
    ins->position = p.Point(ins->position);
    if (p.conformal) {
      if (p.angle != 0) ins->rotation = Normalize360(ins->rotation + p.angle);
      ins->scale.x *= p.scale;
      ins->scale.y *= p.scale;
      ins->columnSpacing *= p.scale;
      ins->rowSpacing *= p.scale;
    } else {
      double cs, sn;
      CosSinDegrees(ins->rotation, cs, sn);
      const Vec3 dir = p.Dir(cs, sn), up = p.Dir(-sn, cs);
      const double ld = Length(dir);
      if (ld > 0) {
        const double across = std::fabs(dir.x * up.y - dir.y * up.x) / ld;
        ins->rotation = Normalize360(Degrees(std::atan2(dir.y, dir.x)));
        ins->scale.x *= ld;
        ins->scale.y *= across;
        ins->columnSpacing *= ld;
        ins->rowSpacing *= across;
      }
    }
    e.extrusion = n2;
  } else if (auto* s = std::get_if<SplineData>(&e.data)) {
    for (Vec3& c3 : s->control) c3 = m.Point(c3);
    for (Vec3& c3 : s->fit) c3 = m.Point(c3);
    if (s->hasStartTangent) s->startTangent = m.Vector(s->startTangent);
    if (s->hasEndTangent) s->endTangent = m.Vector(s->endTangent);
    e.extrusion = MapNormal(m, e.extrusion);
  } else if (auto* o = std::get_if<OtherData>(&e.data)) {
    MapOther(*o, map);
  }
}

void FlipDownFacing(Entity& e) {
  const Vec3 n = e.extrusion;
  if (!(std::fabs(n.x) < 1e-12 && std::fabs(n.y) < 1e-12 && n.z < 0)) return;
  auto flip = [](Vec3& p) { p = {-p.x, p.y, -p.z}; };
  if (auto* c = std::get_if<CircleData>(&e.data)) {
    flip(c->center);
    if (c->arc) {
      const double s = c->startAngle, t = c->endAngle;
      c->startAngle = Normalize360(180.0 - t);
      c->endAngle = Normalize360(180.0 - s);
    }
  } else if (auto* poly = std::get_if<PolyData>(&e.data); poly && !poly->Is3d()) {
    for (Vertex& v : poly->vertices) {
      flip(v.p);
      v.bulge = -v.bulge;
    }
    poly->elevation = -poly->elevation;
  } else if (auto* f = std::get_if<FaceData>(&e.data); f && f->kind != FaceKind::Face3d) {
    for (Vec3& c3 : f->corner) flip(c3);
  } else {
    return;
  }
  e.thickness = -e.thickness;
  e.extrusion = {0, 0, 1};
}

}  // namespace tv::drawing
