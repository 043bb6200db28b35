// The drawing's queries: extents, segment, point and text items, and the display list,
// all read off world-space outlines with block references expanded.
#include "drawing/query.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "drawing/colors.h"
#include "drawing/outline.h"

namespace tv::drawing {
namespace {

struct Bounds {
  Vec3 lo{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
          std::numeric_limits<double>::max()};
  Vec3 hi{-std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
          -std::numeric_limits<double>::max()};
  bool any = false;
  void Add(Vec3 p) {
    if (!IsFinite(p)) return;
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    any = true;
  }
};

// World position and rotation of a text-like thing placed by m in its own plane.
void PlaceText(const Affine3& m, Vec3 local, double rotation, bool exact, Vec3& world, double& worldRotation,
               double& scale) {
  world = m.Point(local);
  if (exact) {
    worldRotation = rotation;
    scale = 1;
    return;
  }
  double cs, sn;
  CosSinDegrees(rotation, cs, sn);
  const Vec3 d = m.Vector({cs, sn, 0}), up = m.Vector({-sn, cs, 0});
  double r = Degrees(std::atan2(d.y, d.x));
  if (r < 0) r += 360;
  worldRotation = r;
  scale = Length(up);
}

class ExtentsVisitor : public EntityVisitor, public OutlineSink {
 public:
  explicit ExtentsVisitor(const Document& doc) : doc_(doc) {}
  Bounds bounds;
  bool skipStripped = false;

  void Piece(const std::vector<Vec3>& points, bool, bool, int) override {
    for (const Vec3& p : points) bounds.Add(p);
  }
  void Visit(const Entity& e, const Placement& at) override {
    if (skipStripped && doc_.LayerAt(at.layer).Stripped()) return;
    if (const auto* t = std::get_if<TextData>(&e.data)) {
      Text(*t, ObjectMatrix(e, at));
    } else if (const auto* m = std::get_if<MTextData>(&e.data)) {
      const Affine3 om = ObjectMatrix(e, at);
      for (const TextData& line : MTextAsLines(doc_, e, *m)) Text(line, om);
    } else if (const auto* p = std::get_if<PointData>(&e.data)) {
      bounds.Add(at.m.Point(p->p));
    } else {
      FlattenEntity(e, at, FlattenOptions{}, *this);
    }
  }

 private:
  void Text(const TextData& t, const Affine3& m) {
    if (t.value.empty()) return;
    Vec3 corners[4];
    TextBox(t, doc_.DefaultTextSize(), corners);
    for (const Vec3& c : corners) bounds.Add(m.Point(c));
  }
  const Document& doc_;
};

class SegmentVisitor : public EntityVisitor, public OutlineSink {
 public:
  SegmentVisitor(const Document& doc, bool lines, Drawing* owner, std::vector<SegmentItem>& out)
      : doc_(doc), lines_(lines), owner_(owner), out_(out) {}

  void Visit(const Entity& e, const Placement& at) override {
    const bool isLine = std::holds_alternative<LineData>(e.data) && at.topIndex >= 0;
    if (isLine != lines_) return;
    if (std::holds_alternative<TextData>(e.data) || std::holds_alternative<MTextData>(e.data) ||
        std::holds_alternative<PointData>(e.data))
      return;
    current_ = &at;
    layer_ = &doc_.LayerAt(at.layer).Name();
    FlattenEntity(e, at, FlattenOptions{}, *this);
  }
  void Piece(const std::vector<Vec3>& p, bool closed, bool, int ref) override {
    const std::size_t n = p.size();
    if (n < 2) return;
    const std::size_t segments = closed ? n : n - 1;
    for (std::size_t k = 0; k < segments; ++k) {
      const Vec3 a = p[k], b = p[(k + 1) % n];
      SegmentItem item;
      item.X1 = static_cast<float>(a.x), item.Y1 = static_cast<float>(a.y), item.Z1 = static_cast<float>(a.z);
      item.X2 = static_cast<float>(b.x), item.Y2 = static_cast<float>(b.y), item.Z2 = static_cast<float>(b.z);
      item.LayerName = *layer_;
      if (current_->topIndex >= 0 && ref != -1 && owner_)
        Document::BindItem(item, owner_, doc_.generation, current_->topIndex, ref);
      out_.push_back(std::move(item));
    }
  }

 private:
  const Document& doc_;
  bool lines_;
  Drawing* owner_;
  std::vector<SegmentItem>& out_;
  const Placement* current_ = nullptr;
  const std::string* layer_ = nullptr;
};

class PointVisitor : public EntityVisitor {
 public:
  PointVisitor(const Document& doc, std::vector<PointItem>& out) : doc_(doc), out_(out) {}
  void Visit(const Entity& e, const Placement& at) override {
    const auto* p = std::get_if<PointData>(&e.data);
    if (!p) return;
    const Vec3 w = at.m.Point(p->p);
    out_.push_back({static_cast<float>(w.x), static_cast<float>(w.y), static_cast<float>(w.z),
                    doc_.LayerAt(at.layer).Name()});
  }

 private:
  const Document& doc_;
  std::vector<PointItem>& out_;
};

class TextVisitor : public EntityVisitor {
 public:
  TextVisitor(const Document& doc, std::vector<TextItem>& out) : doc_(doc), out_(out) {}
  void Visit(const Entity& e, const Placement& at) override {
    const bool exact = at.topIndex >= 0 && Frame::FromNormal(e.extrusion).identity;
    if (const auto* t = std::get_if<TextData>(&e.data)) {
      const bool aligned = (t->hAlign != 0 || t->vAlign != 0) && t->hasAlign;
      Vec3 w;
      double rotation, scale;
      PlaceText(ObjectMatrix(e, at), aligned ? t->align : t->insert, t->rotation, exact, w, rotation, scale);
      out_.push_back({doc_.LayerAt(at.layer).Name(), t->value, static_cast<float>(rotation),
                      static_cast<float>(w.x), static_cast<float>(w.y),
                      static_cast<float>((t->height > 0 ? t->height : doc_.DefaultTextSize()) * scale)});
    } else if (const auto* m = std::get_if<MTextData>(&e.data)) {
      std::string joined;
      bool first = true;
      for (const std::string& line : MTextLines(m->value)) {
        if (!first) joined += '\n';
        joined += line;
        first = false;
      }
      const Vec3 w = at.m.Point(m->insert);
      const Vec3 x = at.m.Vector(m->xAxis);
      double r = Degrees(std::atan2(x.y, x.x));
      if (r < 0) r += 360;
      if (std::fabs(r) < 1e-9) r = 0;
      out_.push_back({doc_.LayerAt(at.layer).Name(), joined, static_cast<float>(r), static_cast<float>(w.x),
                      static_cast<float>(w.y),
                      static_cast<float>(m->height > 0 ? m->height : doc_.DefaultTextSize())});
    }
  }

 private:
  const Document& doc_;
  std::vector<TextItem>& out_;
};

class DisplayVisitor : public EntityVisitor, public OutlineSink {
 public:
  DisplayVisitor(const Document& doc, double tolerance) : doc_(doc) {
    options_.display = true;
    options_.tolerance = tolerance > 0 ? tolerance : 0.01;
    options_.splineStepsPerSpan = 16;
  }
  DisplayList list;

  void Visit(const Entity& e, const Placement& at) override {
    if (!doc_.LayerAt(at.layer).Visible()) return;
    color_ = ShownColor(e, at);
    if (const auto* t = std::get_if<TextData>(&e.data)) {
      if (t->attrib && (t->attribFlags & 1)) return;  // an invisible attribute
      Text(*t, ObjectMatrix(e, at));
    } else if (const auto* m = std::get_if<MTextData>(&e.data)) {
      const Affine3 om = ObjectMatrix(e, at);
      for (const TextData& line : MTextAsLines(doc_, e, *m)) Text(line, om);
    } else if (const auto* p = std::get_if<PointData>(&e.data)) {
      const Vec3 w = at.m.Point(p->p);
      list.paths.push_back({{{w.x, w.y}}, false, false, color_});
    } else {
      FlattenEntity(e, at, options_, *this);
    }
  }
  void Piece(const std::vector<Vec3>& p, bool closed, bool filled, int) override {
    DisplayPath path;
    path.closed = closed;
    path.filled = filled;
    path.color = color_;
    path.points.reserve(p.size());
    for (const Vec3& v : p) path.points.push_back({v.x, v.y});
    list.paths.push_back(std::move(path));
  }

 private:
  void Text(const TextData& t, const Affine3& m) {
    if (t.value.empty()) return;
    const bool aligned = (t.hAlign != 0 || t.vAlign != 0) && t.hasAlign;
    Vec3 w;
    double rotation, scale;
    PlaceText(m, aligned ? t.align : t.insert, t.rotation, false, w, rotation, scale);
    DisplayText d;
    d.position = {w.x, w.y};
    d.height = (t.height > 0 ? t.height : doc_.DefaultTextSize()) * scale;
    d.rotation = rotation;
    d.widthFactor = t.widthFactor > 0 ? t.widthFactor : 1;
    d.hAlign = t.hAlign == 4 ? 1 : std::clamp(t.hAlign, 0, 2);
    d.vAlign = t.hAlign == 4 ? 2 : std::clamp(t.vAlign, 0, 3);
    d.text = t.value;
    d.font = FontOf(t.style);
    d.color = color_;
    list.texts.push_back(std::move(d));
  }
  // An entity drawn by layer shows its layer's 24-bit colour when the layer has one (the
  // colour number would only come near it); otherwise the colour number resolved.
  std::int32_t ShownColor(const Entity& e, const Placement& at) const {
    if (at.bgr >= 0) return at.bgr;  // its own 24-bit colour, or its reference's when by block
    const int own = e.color < 0 ? -e.color : e.color;
    if (own != 0 && (own < 1 || own > 255)) {
      const std::int32_t bgr = Document::LayerBgr(doc_.LayerAt(at.layer));
      if (bgr >= 0) return bgr;
    }
    return AciToBgr(at.color);
  }
  std::string FontOf(const std::string& style) const {
    const std::string upper = UpperAscii(style.empty() ? std::string("STANDARD") : style);
    for (const TableEntry& s : doc_.styles) {
      if (UpperAscii(s.name) != upper) continue;
      for (const Group& g : s.groups)
        if (g.code == 3) return UpperAscii(g.value).rfind("TXT", 0) == 0 ? std::string() : g.value;
    }
    return {};
  }

  const Document& doc_;
  FlattenOptions options_;
  std::int32_t color_ = 0;
};

}  // namespace

bool ComputeExtents(const Document& doc, std::size_t begin, std::size_t end, Vec3& min, Vec3& max) {
  ExtentsVisitor v(doc);
  WalkEntities(doc, begin, end, v);
  if (!v.bounds.any) return false;
  min = v.bounds.lo;
  max = v.bounds.hi;
  return true;
}

bool ComputeWrittenExtents(const Document& doc, Vec3& min, Vec3& max) {
  ExtentsVisitor v(doc);
  v.skipStripped = true;
  // A block reference on a stripped layer goes with all it shows, whatever its layers.
  for (std::size_t i = 0; i < doc.entities.size(); ++i)
    if (!doc.LayerAt(doc.entities[i].layer).Stripped()) WalkEntities(doc, i, i + 1, v);
  if (!v.bounds.any) return false;
  min = v.bounds.lo;
  max = v.bounds.hi;
  return true;
}

void CollectSegments(const Document& doc, bool lines, Drawing* owner, std::vector<SegmentItem>& out) {
  SegmentVisitor v(doc, lines, owner, out);
  WalkEntities(doc, 0, doc.entities.size(), v);
}

std::vector<PointItem> CollectPoints(const Document& doc) {
  std::vector<PointItem> out;
  PointVisitor v(doc, out);
  WalkEntities(doc, 0, doc.entities.size(), v);
  return out;
}

std::vector<TextItem> CollectTexts(const Document& doc) {
  std::vector<TextItem> out;
  TextVisitor v(doc, out);
  WalkEntities(doc, 0, doc.entities.size(), v);
  return out;
}

DisplayList CollectDisplay(const Document& doc, double tolerance) {
  DisplayVisitor v(doc, tolerance);
  WalkEntities(doc, 0, doc.entities.size(), v);
  return std::move(v.list);
}

}  // namespace tv::drawing
