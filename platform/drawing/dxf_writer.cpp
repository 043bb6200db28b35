// DXF R12 writer: the format every CNC and CAM reader takes. Entities without an R12 form
// are converted (LWPOLYLINE to POLYLINE with bulges, MTEXT to TEXT lines, ELLIPSE and
// SPLINE to polylines); newer data without an R12 form (handles, class markers, objects)
// is left out.
#include "drawing/dxf_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "drawing/outline.h"
#include "drawing/query.h"
#include "drawing/text_codec.h"
#include "drawing/transform.h"

namespace tv::drawing {
namespace {

// Header variables that exist in R12; others (and the handle seed) are not written.
constexpr std::string_view kR12Header[] = {
    "$ANGBASE",  "$ANGDIR",   "$ATTDIA",     "$ATTMODE",    "$ATTREQ",    "$AUNITS",    "$AUPREC",
    "$AXISMODE", "$AXISUNIT", "$BLIPMODE",   "$CECOLOR",    "$CELTYPE",   "$CHAMFERA",  "$CHAMFERB",
    "$COORDS",   "$DRAGMODE", "$ELEVATION",  "$FILLETRAD",  "$FILLMODE",  "$LIMCHECK",  "$LIMMAX",
    "$LIMMIN",   "$LTSCALE",  "$LUNITS",     "$LUPREC",     "$MIRRTEXT",  "$ORTHOMODE", "$OSMODE",
    "$PDMODE",   "$PDSIZE",   "$PLINEGEN",   "$PLINEWID",   "$QTEXTMODE", "$REGENMODE", "$SKETCHINC",
    "$SKPOLY",   "$SPLFRAME", "$SPLINESEGS", "$SPLINETYPE", "$SURFTAB1",  "$SURFTAB2",  "$SURFTYPE",
    "$SURFU",    "$SURFV",    "$TEXTSIZE",   "$THICKNESS",  "$TRACEWID",  "$USERI1",    "$USERI2",
    "$USERI3",   "$USERI4",   "$USERI5",     "$USERR1",     "$USERR2",    "$USERR3",    "$USERR4",
    "$USERR5",   "$WORLDVIEW"};

bool IsR12HeaderVariable(std::string_view name) {
  const std::string upper = UpperAscii(name);
  for (std::string_view v : kR12Header)
    if (v == upper) return true;
  return false;
}

bool IsLayoutBlock(std::string_view name);

// A block the file can hold: named, and not one of the newer versions' layout blocks.
bool Writable(const Block& b) {
  return !b.name.empty() && !IsLayoutBlock(b.name);
}

bool IsLayoutBlock(std::string_view name) {
  const std::string upper = UpperAscii(name);
  return upper == "*MODEL_SPACE" || upper.rfind("*PAPER_SPACE", 0) == 0 || upper == "$MODEL_SPACE" ||
         upper.rfind("$PAPER_SPACE", 0) == 0;
}

// Groups of uninterpreted data that R12 readers know: the plain codes below 100, the
// extrusion, and extended data (without handle references, which would point nowhere).
bool IsR12Group(int code) {
  if (code == 5) return false;
  if (code < 100) return true;
  if (code >= 210 && code <= 239) return true;
  return code >= 1000 && code <= 1071 && code != 1005;
}

bool IsRealCode(int code) {
  return (code >= 10 && code <= 59) || (code >= 210 && code <= 239) || (code >= 1010 && code <= 1059);
}
bool IsWholeCode(int code) {
  return (code >= 60 && code <= 99) || (code >= 1060 && code <= 1071);
}

std::string_view TrimBlanks(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

bool ParseReal(std::string_view t, double& v) {
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  return !t.empty() && ec == std::errc() && p == t.data() + t.size() && std::isfinite(v);
}

// The value of a kept group as its code's type asks for it. Groups the reader kept without
// interpreting them were never checked, and one number group holding something else makes
// strict readers refuse the whole file: such a value gives false. Whole numbers written
// with a decimal part are taken as the reader takes them.
bool FitValue(int code, std::string_view value, std::string& out) {
  if (!IsRealCode(code) && !IsWholeCode(code)) {
    out = value;
    return true;
  }
  const std::string_view t = TrimBlanks(value);
  double real = 0;
  if (IsRealCode(code)) {
    if (!ParseReal(t, real)) return false;
    out = t;
    return true;
  }
  long long whole = 0;
  std::string_view digits = t;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), whole);
  if (digits.empty() || ec != std::errc() || p != digits.data() + digits.size()) {
    if (!ParseReal(t, real) || real < -2147483647.0 || real > 2147483647.0) return false;
    whole = static_cast<long long>(real);
  }
  if (whole < -2147483647LL || whole > 2147483647LL) return false;
  out = std::to_string(whole);
  return true;
}

class Out {
 public:
  explicit Out(std::string& s) : s_(s) {}

  void Code(int code) {
    char buf[8] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    char* end = buf + 8;
    char* p = end;
    unsigned v = static_cast<unsigned>(code < 0 ? 0 : code);
    do *--p = static_cast<char>('0' + v % 10);
    while ((v /= 10) != 0);
    if (end - p < 3) p = end - 3;
    s_.append(p, static_cast<std::size_t>(end - p));
    s_ += "\r\n";
  }
  void Raw(int code, std::string_view v) {
    Code(code);
    if (v.find_first_of("\r\n") == std::string_view::npos) {
      s_.append(v);
    } else {
      // a value never holds a line end: it would split the group
      for (char c : v) s_ += (c == '\r' || c == '\n') ? ' ' : c;
    }
    s_ += "\r\n";
  }
  void Text(int code, std::string_view utf8) {
    for (char c : utf8) {
      if (static_cast<unsigned char>(c) >= 0x80) {
        Raw(code, Utf8ToCp1252Escaped(utf8));
        return;
      }
    }
    Raw(code, utf8);
  }
  // A group kept from the file read; left out when its value does not fit its code.
  void Kept(int code, std::string_view value) {
    std::string fitted;
    if (FitValue(code, value, fitted)) Text(code, fitted);
  }
  void Num(int code, double v) {
    Code(code);
    s_ += FormatNumber(v);
    s_ += "\r\n";
  }
  void Int(int code, long v) {
    Code(code);
    char buf[24];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v);
    s_.append(buf, static_cast<std::size_t>(p - buf));
    s_ += "\r\n";
  }
  void Append(std::string_view text) { s_.append(text); }
  void Point(int code, Vec3 p) {
    Num(code, p.x);
    Num(code + 10, p.y);
    Num(code + 20, p.z);
  }

 private:
  std::string& s_;
};

class Writer {
 public:
  explicit Writer(const Document& doc) : doc_(doc) {
    for (const TableEntry& t : doc.lineTypes) lineTypes_.insert(UpperAscii(t.name));
    lineTypes_.insert("CONTINUOUS");
    for (const TableEntry& t : doc.styles) styles_.insert(UpperAscii(t.name));
    styles_.insert("STANDARD");
    for (const TableEntry& t : doc.appIds) apps_.insert(UpperAscii(t.name));
    for (const Block& b : doc.blocks)
      if (Writable(b)) blockNames_.insert(UpperAscii(b.name));
  }

  std::string Whole() {
    // The application table comes before the data that uses it: gather the names first.
    for (const Block& b : doc_.blocks)
      for (const Entity& e : b.entities) NoteApps(e);
    for (const Entity& e : doc_.entities) NoteApps(e);
    std::string s;
    s.reserve(doc_.entities.size() * 160 + 8192);
    Out o(s);
    for (const std::string& c : doc_.comments) o.Text(999, c);
    WriteHeader(o);
    WriteTables(o);
    o.Raw(0, "SECTION");
    o.Raw(2, "BLOCKS");
    for (const Block& b : doc_.blocks)
      if (Writable(b) && FirstOfItsName(b)) WriteBlock(o, b);
    o.Raw(0, "ENDSEC");
    o.Raw(0, "SECTION");
    o.Raw(2, "ENTITIES");
    for (const Entity& e : doc_.entities) WriteEntity(o, e);
    o.Raw(0, "ENDSEC");
    o.Raw(0, "EOF");
    return s;
  }

  // Two definitions of one name: the references use the first, as the reader finds it.
  bool FirstOfItsName(const Block& b) const {
    const int first = doc_.FindBlock(b.name);
    return first < 0 || &doc_.blocks[static_cast<std::size_t>(first)] == &b;
  }

  void WriteBlock(Out& o, const Block& b) {
    const std::string& layer = BlockLayer(b);
    o.Raw(0, "BLOCK");
    o.Text(8, layer);
    o.Text(2, b.name);
    int flags = b.flags & (1 | 2 | 4 | 16 | 32 | 64);
    if (!b.name.empty() && b.name[0] == '*') flags |= 1;
    o.Int(70, flags);
    o.Point(10, b.base);
    o.Text(3, b.name);
    if (!b.xrefPath.empty()) o.Text(1, b.xrefPath);
    for (const Entity& e : b.entities) WriteEntity(o, e);
    o.Raw(0, "ENDBLK");
    o.Text(8, layer);
  }

 private:
  const std::string& BlockLayer(const Block& b) const {
    static const std::string kZero = "0";
    return doc_.LayerAt(b.layer).Stripped() ? kZero : LayerName(b.layer);
  }

  const std::string& LayerName(int index) const {
    static const std::string kZero = "0";
    const std::string& name = doc_.LayerAt(index).Name();
    return name.empty() ? kZero : name;
  }

  bool Skipped(const Entity& e) const { return doc_.LayerAt(e.layer).Stripped(); }

  void Common(Out& o, std::string_view type, const Entity& e) {
    o.Raw(0, type);
    o.Text(8, LayerName(e.layer));
    if (!e.lineType.empty()) {
      const std::string lt = UpperAscii(e.lineType);  // rare: most entities go by layer
      if (lt == "BYBLOCK" || (lt != "BYLAYER" && lineTypes_.count(lt))) o.Text(6, e.lineType);
    }
    if (e.color != 256) o.Int(62, std::clamp(std::abs(e.color), 0, 256));
    if (e.thickness != 0) o.Num(39, e.thickness);
    if (e.paperSpace) o.Int(67, 1);
  }

  void Extrusion(Out& o, const Entity& e) {
    if (e.extrusion.x != 0 || e.extrusion.y != 0 || e.extrusion.z != 1) o.Point(210, e.extrusion);
  }

  // Kept groups hold names as the file wrote them; the tables hold them decoded.
  static std::string NameKey(std::string_view raw) { return UpperAscii(DecodeUnicodeEscapes(raw)); }

  void NoteApps(const Entity& e) {
    for (const Group& g : e.extra)
      if (g.code == 1001) apps_.insert(NameKey(g.value));
    if (const auto* other = std::get_if<OtherData>(&e.data))
      for (const Group& g : other->groups)
        if (g.code == 1001) apps_.insert(NameKey(g.value));
    if (const auto* ins = std::get_if<InsertData>(&e.data))
      for (const Entity& a : ins->attribs) NoteApps(a);
  }

  void ExtraData(Out& o, const Entity& e) {
    for (const Group& g : e.extra)
      if (g.code >= 1000 && IsR12Group(g.code)) o.Kept(g.code, g.value);
  }

  void Style(Out& o, const std::string& style) {
    if (!style.empty() && UpperAscii(style) != "STANDARD" && styles_.count(UpperAscii(style)))
      o.Text(7, style);
  }

  void WriteEntity(Out& o, const Entity& original) {
    if (Skipped(original)) return;
    const Entity* ep = &original;
    Entity flipped;
    if (original.extrusion.z < 0 && original.extrusion.x == 0 && original.extrusion.y == 0) {
      flipped = original;
      FlipDownFacing(flipped);
      ep = &flipped;
    }
    const Entity& e = *ep;
    if (const auto* d = std::get_if<LineData>(&e.data)) {
      Common(o, "LINE", e);
      o.Point(10, d->a);
      o.Point(11, d->b);
      Extrusion(o, e);
      ExtraData(o, e);
    } else if (const auto* p = std::get_if<PointData>(&e.data)) {
      Common(o, "POINT", e);
      o.Point(10, p->p);
      Extrusion(o, e);
      ExtraData(o, e);
    } else if (const auto* c = std::get_if<CircleData>(&e.data)) {
      Common(o, c->arc ? "ARC" : "CIRCLE", e);
      o.Point(10, c->center);
      o.Num(40, c->radius);
      if (c->arc) {
        o.Num(50, c->startAngle);
        o.Num(51, c->endAngle);
      }
      Extrusion(o, e);
      ExtraData(o, e);
    } else if (std::holds_alternative<EllipseData>(e.data) || std::holds_alternative<SplineData>(e.data)) {
      CurveAsPolyline(o, e);
    } else if (const auto* t = std::get_if<TextData>(&e.data)) {
      Text(o, e, *t);
    } else if (const auto* mt = std::get_if<MTextData>(&e.data)) {
      MText(o, e, *mt);
    } else if (const auto* f = std::get_if<FaceData>(&e.data)) {
      Common(o, f->kind == FaceKind::Solid ? "SOLID" : f->kind == FaceKind::Trace ? "TRACE" : "3DFACE", e);
      for (int k = 0; k < 4; ++k) o.Point(10 + k, f->corner[k]);
      if (f->kind == FaceKind::Face3d && f->edgeFlags) o.Int(70, f->edgeFlags);
      if (f->kind != FaceKind::Face3d) Extrusion(o, e);
      ExtraData(o, e);
    } else if (const auto* poly = std::get_if<PolyData>(&e.data)) {
      Polyline(o, e, *poly);
    } else if (const auto* ins = std::get_if<InsertData>(&e.data)) {
      Insert(o, e, *ins);
    } else if (const auto* other = std::get_if<OtherData>(&e.data)) {
      if (other->type != "ATTDEF" && other->type != "SHAPE") return;  // no R12 form
      o.Raw(0, other->type);
      o.Text(8, LayerName(e.layer));
      int appDepth = 0;
      for (const Group& g : other->groups) {
        if (g.code == 102) {
          if (!g.value.empty() && g.value[0] == '{')
            ++appDepth;
          else if (appDepth > 0)
            --appDepth;
          continue;
        }
        if (appDepth > 0 || !IsR12Group(g.code)) continue;
        if (g.code == 7 && !styles_.count(NameKey(g.value))) continue;
        if (g.code == 6 && !lineTypes_.count(NameKey(g.value))) continue;
        o.Kept(g.code, g.value);
      }
    }
  }

  void Text(Out& o, const Entity& e, const TextData& t) {
    Common(o, t.attrib ? "ATTRIB" : "TEXT", e);
    o.Point(10, t.insert);
    o.Num(40, t.height > 0 ? t.height : doc_.DefaultTextSize());
    o.Text(1, t.value);
    if (t.attrib) {
      o.Text(2, t.tag.empty() ? std::string("TAG") : t.tag);
      o.Int(70, t.attribFlags);
      if (t.fieldLength) o.Int(73, t.fieldLength);
    }
    if (t.rotation != 0) o.Num(50, t.rotation);
    if (t.widthFactor != 1) o.Num(41, t.widthFactor);
    if (t.oblique != 0) o.Num(51, t.oblique);
    Style(o, t.style);
    if (t.generation) o.Int(71, t.generation);
    if (t.hAlign) o.Int(72, t.hAlign);
    if (t.hAlign || t.vAlign) o.Point(11, t.hasAlign ? t.align : t.insert);
    if (t.vAlign) o.Int(t.attrib ? 74 : 73, t.vAlign);
    Extrusion(o, e);
    ExtraData(o, e);
  }

  // One TEXT per line, placed as the multi-line text's attachment point asks.
  void MText(Out& o, const Entity& e, const MTextData& m) {
    for (const TextData& t : MTextAsLines(doc_, e, m)) Text(o, e, t);
  }

  void CurveAsPolyline(Out& o, const Entity& e) {
    FlattenOptions options;
    options.display = true;
    options.tolerance = 0.002;
    options.splineStepsPerSpan = 32;
    struct Collect : OutlineSink {
      std::vector<Vec3> pts;
      bool closed = false;
      void Piece(const std::vector<Vec3>& p, bool c, bool, int) override {
        pts = p;
        closed = c;
      }
    } collect;
    FlattenEntity(e, Placement{}, options, collect);
    if (collect.pts.empty()) return;
    bool flat = true;
    for (const Vec3& p : collect.pts) flat = flat && p.z == collect.pts.front().z;
    Entity poly;
    poly.layer = e.layer;
    poly.color = e.color;
    poly.lineType = e.lineType;
    poly.thickness = flat ? e.thickness : 0;
    poly.extra = e.extra;
    PolyData d;
    d.flags = (collect.closed ? 1 : 0) | (flat ? 0 : 8);
    d.elevation = flat ? collect.pts.front().z : 0;
    for (const Vec3& p : collect.pts) {
      Vertex v;
      v.p = p;
      if (!flat) v.flags = 32;
      d.vertices.push_back(v);
    }
    poly.data = std::move(d);
    Polyline(o, poly, std::get<PolyData>(poly.data));
  }

  void Polyline(Out& o, const Entity& e, const PolyData& d) {
    if (d.vertices.empty()) return;
    Common(o, "POLYLINE", e);
    o.Int(66, 1);
    o.Point(10, {0, 0, d.Is3d() ? 0 : d.elevation});
    int flags = d.lightweight ? (d.flags & 1) : d.flags;
    o.Int(70, flags);
    if (d.startWidth != 0) o.Num(40, d.startWidth);
    if (d.endWidth != 0) o.Num(41, d.endWidth);
    if (!d.lightweight) {
      if (d.meshM) o.Int(71, d.meshM);
      if (d.meshN) o.Int(72, d.meshN);
      if (d.smoothM) o.Int(73, d.smoothM);
      if (d.smoothN) o.Int(74, d.smoothN);
      if (d.surfaceType) o.Int(75, d.surfaceType);
    }
    if (!d.Is3d()) Extrusion(o, e);
    ExtraData(o, e);
    const std::string& layer = LayerName(e.layer);
    for (const Vertex& v : d.vertices) {
      o.Raw(0, "VERTEX");
      o.Text(8, layer);
      // A flat polyline's depth is its elevation (a depth limit changes only that); CAM
      // readers that take the vertex z as it stands find it there too.
      o.Point(10, {v.p.x, v.p.y, d.Is3d() ? v.p.z : d.elevation});
      if (v.startWidth != 0) o.Num(40, v.startWidth);
      if (v.endWidth != 0) o.Num(41, v.endWidth);
      if (v.bulge != 0) o.Num(42, v.bulge);
      int vflags = v.flags;
      if (d.flags & 8) vflags |= 32;
      if (vflags) o.Int(70, vflags);
      for (const Group& g : v.extra)
        if (g.code < 100 && g.code != 5) o.Kept(g.code, g.value);
    }
    o.Raw(0, "SEQEND");
    o.Text(8, layer);
  }

  void Insert(Out& o, const Entity& e, const InsertData& ins) {
    if (!blockNames_.count(UpperAscii(ins.block))) return;  // a reference to nothing
    std::vector<const Entity*> attribs;
    for (const Entity& a : ins.attribs)
      if (!Skipped(a) && std::holds_alternative<TextData>(a.data)) attribs.push_back(&a);
    Common(o, "INSERT", e);
    if (!attribs.empty()) o.Int(66, 1);
    o.Text(2, ins.block);
    o.Point(10, ins.position);
    if (ins.scale.x != 1) o.Num(41, ins.scale.x);
    if (ins.scale.y != 1) o.Num(42, ins.scale.y);
    if (ins.scale.z != 1) o.Num(43, ins.scale.z);
    if (ins.rotation != 0) o.Num(50, ins.rotation);
    if (ins.columns != 1) o.Int(70, ins.columns);
    if (ins.rows != 1) o.Int(71, ins.rows);
    if (ins.columnSpacing != 0) o.Num(44, ins.columnSpacing);
    if (ins.rowSpacing != 0) o.Num(45, ins.rowSpacing);
    Extrusion(o, e);
    ExtraData(o, e);
    if (attribs.empty()) return;
    for (const Entity* a : attribs) {
      TextData t = std::get<TextData>(a->data);
      t.attrib = true;
      Text(o, *a, t);
    }
    o.Raw(0, "SEQEND");
    o.Text(8, LayerName(e.layer));
  }

  void WriteHeader(Out& o) {
    o.Raw(0, "SECTION");
    o.Raw(2, "HEADER");
    o.Raw(9, "$ACADVER");
    o.Raw(1, "AC1009");
    o.Raw(9, "$DWGCODEPAGE");
    o.Raw(3, "ANSI_1252");
    Vec3 insBase;
    if (const HeaderVariable* v = doc_.FindHeader("$INSBASE")) {
      for (const Group& g : v->values) {
        try {
          if (g.code == 10) insBase.x = std::stod(g.value);
          if (g.code == 20) insBase.y = std::stod(g.value);
          if (g.code == 30) insBase.z = std::stod(g.value);
        } catch (const std::exception&) {
        }
      }
    }
    o.Raw(9, "$INSBASE");
    o.Point(10, insBase);
    Vec3 lo, hi;
    if (!ComputeWrittenExtents(doc_, lo, hi)) lo = hi = Vec3{};
    o.Raw(9, "$EXTMIN");
    o.Point(10, lo);
    o.Raw(9, "$EXTMAX");
    o.Point(10, hi);
    for (const HeaderVariable& v : doc_.header) {
      if (!IsR12HeaderVariable(v.name)) continue;
      // A variable with one unfit value goes whole: half a point is no better.
      std::vector<std::pair<int, std::string>> values;
      bool fits = true;
      for (const Group& g : v.values) {
        if (g.code >= 100) continue;
        std::string fitted;
        fits = fits && FitValue(g.code, g.value, fitted);
        values.emplace_back(g.code, std::move(fitted));
      }
      if (!fits || values.empty()) continue;
      o.Raw(9, v.name);
      for (const auto& [code, value] : values) o.Text(code, value);
    }
    o.Raw(0, "ENDSEC");
  }

  // One table: its header with the number of entries, the entries, the end. Clears the
  // names and the text for the next table.
  void Table(Out& o, std::string_view name, std::set<std::string>& names, std::string& entries) {
    o.Raw(0, "TABLE");
    o.Raw(2, name);
    o.Int(70, static_cast<long>(names.size()));
    o.Append(entries);
    o.Raw(0, "ENDTAB");
    names.clear();
    entries.clear();
  }

  void Entries(Out& o, std::string_view type, const std::vector<TableEntry>& list,
               std::set<std::string>& done, std::initializer_list<int> codes) {
    for (const TableEntry& t : list) {
      const std::string upper = UpperAscii(t.name);
      if (upper == "BYLAYER" || upper == "BYBLOCK" || !done.insert(upper).second) continue;
      o.Raw(0, type);
      o.Text(2, t.name);
      bool hasFlags = false;
      for (const Group& g : t.groups) {
        // Complex line type elements (74 and what follows) have no R12 form.
        if (std::find(codes.begin(), codes.end(), g.code) == codes.end()) continue;
        std::string fitted;
        if (!FitValue(g.code, g.value, fitted)) continue;
        hasFlags |= g.code == 70;
        o.Text(g.code, fitted);
      }
      if (!hasFlags) o.Int(70, 0);
    }
  }

  void WriteTables(Out& o) {
    o.Raw(0, "SECTION");
    o.Raw(2, "TABLES");

    std::set<std::string> done;
    std::string entries;
    Out e(entries);
    if (!std::any_of(doc_.lineTypes.begin(), doc_.lineTypes.end(),
                     [](const TableEntry& t) { return UpperAscii(t.name) == "CONTINUOUS"; })) {
      e.Raw(0, "LTYPE");
      e.Raw(2, "CONTINUOUS");
      e.Int(70, 0);
      e.Raw(3, "Solid line");
      e.Int(72, 65);
      e.Int(73, 0);
      e.Num(40, 0);
      done.insert("CONTINUOUS");
    }
    Entries(e, "LTYPE", doc_.lineTypes, done, {70, 3, 72, 73, 40, 49});
    Table(o, "LTYPE", done, entries);

    // One entry per name (names match without regard to case in the file format).
    std::vector<int> order;
    const int zero = doc_.FindLayer("0");
    if (zero >= 0) order.push_back(zero);
    for (int i = 0; i < doc_.LayerCount(); ++i)
      if (i != zero) order.push_back(i);
    if (zero < 0) {
      e.Raw(0, "LAYER");
      e.Raw(2, "0");
      e.Int(70, 0);
      e.Int(62, 7);
      e.Raw(6, "CONTINUOUS");
      done.insert("0");
    }
    for (int i : order) {
      const Layer& l = doc_.LayerAt(i);
      const std::string& name = LayerName(i);
      if (l.Stripped() && name != "0") continue;
      if (!done.insert(UpperAscii(name)).second) continue;
      e.Raw(0, "LAYER");
      e.Text(2, name);
      int flags = Document::LayerFlags(l) & (2 | 16 | 32 | 64);
      if (Document::LayerFrozen(l)) flags |= 1;
      if (Document::LayerLocked(l)) flags |= 4;
      e.Int(70, flags);
      const int aci = std::clamp(Document::LayerAci(l), 1, 255);
      e.Int(62, Document::LayerOn(l) ? aci : -aci);
      const std::string lt = UpperAscii(Document::LayerLineType(l));
      e.Text(6, lineTypes_.count(lt) && lt != "BYLAYER" && lt != "BYBLOCK" ? Document::LayerLineType(l)
                                                                           : std::string("CONTINUOUS"));
    }

    Table(o, "LAYER", done, entries);

    if (!std::any_of(doc_.styles.begin(), doc_.styles.end(),
                     [](const TableEntry& t) { return UpperAscii(t.name) == "STANDARD"; })) {
      e.Raw(0, "STYLE");
      e.Raw(2, "STANDARD");
      e.Int(70, 0);
      e.Num(40, 0);
      e.Num(41, 1);
      e.Num(50, 0);
      e.Int(71, 0);
      e.Num(42, 2.5);
      e.Raw(3, "txt");
      e.Raw(4, "");
      done.insert("STANDARD");
    }
    Entries(e, "STYLE", doc_.styles, done, {70, 40, 41, 50, 71, 42, 3, 4});

    Table(o, "STYLE", done, entries);

    apps_.insert("ACAD");
    for (const TableEntry& t : doc_.appIds) {
      const std::string upper = UpperAscii(t.name);
      if (!done.insert(upper).second) continue;
      e.Raw(0, "APPID");
      e.Text(2, t.name);
      e.Int(70, 0);
    }
    for (const std::string& name : apps_) {
      if (!done.insert(name).second) continue;
      e.Raw(0, "APPID");
      e.Text(2, name);
      e.Int(70, 0);
    }
    Table(o, "APPID", done, entries);

    o.Raw(0, "ENDSEC");
  }

  const Document& doc_;
  std::set<std::string> lineTypes_, styles_, apps_, blockNames_;
};

}  // namespace

std::string FormatNumber(double v) {
  if (!std::isfinite(v) || v == 0) return "0.0";
  char buf[400];
  auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  if (ec != std::errc()) return "0.0";
  std::string s(buf, p);
  if (s.find('.') == std::string::npos) s += ".0";
  return s;
}

std::string WriteR12(const Document& doc) {
  return Writer(doc).Whole();
}

std::string BlockSignature(const Document& doc, const Block& block) {
  std::string s;
  Out o(s);
  Writer w(doc);
  w.WriteBlock(o, block);
  return s;
}

}  // namespace tv::drawing
