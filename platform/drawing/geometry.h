// Internal: small vector and matrix helpers, the object coordinate system of planar
// entities, and the plane transform that TransformEntities and read offsets apply.
#pragma once

#include <cmath>
#include <numbers>

namespace tv::drawing {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, double s) {
  return {a.x * s, a.y * s, a.z * s};
}
inline double Dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(Vec3 a) {
  return std::sqrt(Dot(a, a));
}
inline Vec3 Normalized(Vec3 a, Vec3 fallback = {0, 0, 1}) {
  const double l = Length(a);
  if (!(l > 1e-300) || !std::isfinite(l)) return fallback;
  return a * (1.0 / l);
}
inline bool IsFinite(Vec3 a) {
  return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z);
}

inline constexpr double kPi = std::numbers::pi;
inline double Radians(double degrees) {
  return degrees * kPi / 180.0;
}
inline double Degrees(double radians) {
  return radians * 180.0 / kPi;
}

// cos and sin of an angle in degrees, exact at multiples of 90 so that quarter turns do
// not leave 1e-17 noise in the written coordinates.
inline void CosSinDegrees(double degrees, double& c, double& s) {
  const double q = degrees / 90.0;
  if (std::isfinite(q) && q == std::round(q) && std::fabs(q) < 1e15) {
    const long long k = static_cast<long long>(std::round(q));
    switch (((k % 4) + 4) % 4) {
      case 0:
        c = 1, s = 0;
        return;
      case 1:
        c = 0, s = 1;
        return;
      case 2:
        c = -1, s = 0;
        return;
      default:
        c = 0, s = -1;
        return;
    }
  }
  c = std::cos(Radians(degrees));
  s = std::sin(Radians(degrees));
}

// Object coordinate system of a planar entity with extrusion direction n (the arbitrary
// axis rule of the DXF format).
struct Frame {
  Vec3 ax{1, 0, 0}, ay{0, 1, 0}, az{0, 0, 1};
  bool identity = true;

  static Frame FromNormal(Vec3 n) {
    Frame f;
    n = Normalized(n);
    if (std::fabs(n.x) < 1e-12 && std::fabs(n.y) < 1e-12 && n.z > 0) return f;
    f.identity = false;
    f.az = n;
    if (std::fabs(n.x) < 1.0 / 64 && std::fabs(n.y) < 1.0 / 64)
      f.ax = Normalized(Cross(Vec3{0, 1, 0}, n), {1, 0, 0});
    else
      f.ax = Normalized(Cross(Vec3{0, 0, 1}, n), {1, 0, 0});
    f.ay = Normalized(Cross(n, f.ax), {0, 1, 0});
    return f;
  }
  Vec3 ToWorld(Vec3 p) const {
    if (identity) return p;
    return ax * p.x + ay * p.y + az * p.z;
  }
  Vec3 ToLocal(Vec3 p) const {
    if (identity) return p;
    return {Dot(p, ax), Dot(p, ay), Dot(p, az)};
  }
};

// x' = a x + b y + tx, y' = c x + d y + ty, z' = z.
struct PlaneMap {
  double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

  static PlaneMap Translation(double dx, double dy) { return {1, 0, 0, 1, dx, dy}; }
  // Scale, then turn about base, then shift.
  static PlaneMap ScaleTurnShift(double baseX, double baseY, double scaleX, double scaleY, double angle,
                                 double shiftX, double shiftY) {
    double cs, sn;
    CosSinDegrees(angle, cs, sn);
    PlaneMap m;
    m.a = cs * scaleX;
    m.b = -sn * scaleY;
    m.c = sn * scaleX;
    m.d = cs * scaleY;
    m.tx = baseX - (m.a * baseX + m.b * baseY) + shiftX;
    m.ty = baseY - (m.c * baseX + m.d * baseY) + shiftY;
    return m;
  }
  Vec3 Point(Vec3 p) const { return {a * p.x + b * p.y + tx, c * p.x + d * p.y + ty, p.z}; }
  Vec3 Vector(Vec3 v) const { return {a * v.x + b * v.y, c * v.x + d * v.y, v.z}; }
  double Det() const { return a * d - b * c; }
  bool IsTranslation() const { return a == 1 && b == 0 && c == 0 && d == 1; }
  bool IsIdentity() const { return IsTranslation() && tx == 0 && ty == 0; }
  // Turn plus one uniform scale (no mirror, no shear): circles stay circles.
  bool IsSimilarity() const {
    const double s = std::sqrt(std::fabs(Det()));
    const double tol = 1e-12 * (1 + s);
    return Det() > 0 && std::fabs(a - d) <= tol && std::fabs(b + c) <= tol;
  }
};

// Affine map of 3D space (rows of a 3x4 matrix), used to place block contents.
struct Affine3 {
  double m[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};

  Vec3 Point(Vec3 p) const {
    return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3],
            m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3],
            m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3]};
  }
  Vec3 Vector(Vec3 v) const {
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
  }
  // this * o
  Affine3 Then(const Affine3& o) const;
  bool IsIdentity() const;
};

inline Affine3 Affine3::Then(const Affine3& o) const {
  Affine3 r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 4; ++j) {
      double v = j == 3 ? m[i][3] : 0.0;
      for (int k = 0; k < 3; ++k) v += m[i][k] * o.m[k][j];
      r.m[i][j] = v;
    }
  }
  return r;
}

inline bool Affine3::IsIdentity() const {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 4; ++j)
      if (m[i][j] != (i == j ? 1.0 : 0.0)) return false;
  return true;
}

}  // namespace tv::drawing
