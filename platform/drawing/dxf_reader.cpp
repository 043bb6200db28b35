// ASCII DXF reader. Interprets the header, the layer table, blocks and the entities the
// program works with; keeps the rest group by group so that the writer can give it back.
#include "drawing/dxf_reader.h"
#include "drawing/colors.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "drawing/drawing.h"
#include "drawing/text_codec.h"
#include "text/codepage.h"
#include "text/lines.h"

namespace tv::drawing {
namespace {

struct ReadError {
  long line;
  std::string reason;
};

struct RawGroup {
  int code;
  std::string_view value;
  long line;
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string Quote(std::string_view s) {
  std::string out = "\"";
  for (char c : s.substr(0, 40)) out += (static_cast<unsigned char>(c) < 0x20) ? '?' : c;
  if (s.size() > 40) out += "...";
  return out + "\"";
}

// Splits the text into group code and value lines (CR LF, LF or CR line ends).
class GroupStream {
 public:
  explicit GroupStream(std::string_view data) : lines_(data) {}

  // The next group, false at the end of the data. A code line without its value line is
  // a truncated file.
  bool Next(RawGroup& g) {
    const long codeLine = line_ + 1;
    std::string_view codeText;
    if (!Line(codeText)) return false;
    if (lines_.AtEnd() && Trim(codeText).empty()) return false;  // final line end
    g.code = ParseCode(codeText, codeLine);
    if (!Line(g.value)) throw ReadError{codeLine, "the file ends after group code " + std::to_string(g.code)};
    g.line = codeLine;
    return true;
  }
  long line() const { return line_; }

 private:
  bool Line(std::string_view& s) {
    if (!lines_.Next(s)) return false;
    ++line_;
    return true;
  }

  static int ParseCode(std::string_view text, long line) {
    std::string_view t = Trim(text);
    int code = 0;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), code);
    if (t.empty() || ec != std::errc() || ptr != t.data() + t.size() || code < 0 || code > 1071)
      throw ReadError{line, "malformed group code " + Quote(text)};
    return code;
  }

  text::LineCursor lines_;
  long line_ = 0;
};

double Num(const RawGroup& g) {
  std::string_view t = Trim(g.value);
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  double v = 0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || ec != std::errc() || ptr != t.data() + t.size() || !std::isfinite(v))
    throw ReadError{g.line, "invalid number " + Quote(g.value) + " for group code " + std::to_string(g.code)};
  return v;
}

int Int(const RawGroup& g) {
  std::string_view t = Trim(g.value);
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  long long v = 0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (!t.empty() && ec == std::errc() && ptr == t.data() + t.size() && v >= -2147483647LL &&
      v <= 2147483647LL)
    return static_cast<int>(v);
  // A few writers put integers with a decimal part.
  const double d = Num(g);
  if (d < -2147483647.0 || d > 2147483647.0)
    throw ReadError{g.line,
                    "number out of range " + Quote(g.value) + " for group code " + std::to_string(g.code)};
  return static_cast<int>(d);
}

struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
};

void SetCoord(Vec3& v, int code, double value) {
  switch (code / 10) {
    case 1:
      v.x = value;
      break;
    case 2:
      v.y = value;
      break;
    default:
      v.z = value;
      break;
  }
}

bool IsPointCode(int code, int index) {
  return code == 10 + index || code == 20 + index || code == 30 + index;
}

class Reader {
 public:
  Reader(std::string_view text, Document& doc) : in_(text), doc_(doc) {}

  bool SawSection() const { return sawSection_; }

  void Run() {
    RawGroup g{};
    bool& sawSection = sawSection_;
    bool first = true;
    while (true) {
      if (!Fetch(g)) {
        if (!sawSection) throw ReadError{in_.line(), "no DXF sections in the file"};
        return;  // a missing EOF marker after complete sections is tolerated
      }
      if (g.code == 999) {
        if (!sawSection && first) doc_.comments.emplace_back(g.value);
        continue;
      }
      first = false;
      const std::string_view v = Trim(g.value);
      if (g.code == 0 && v == "EOF") {
        if (!sawSection) throw ReadError{g.line, "not a DXF file (EOF before any section)"};
        return;
      }
      if (g.code != 0 || v != "SECTION") {
        if (!sawSection) throw ReadError{g.line, "not a DXF file (expected group 0 SECTION)"};
        throw ReadError{g.line, "unexpected group " + std::to_string(g.code) + " " + Quote(g.value) +
                                    " between sections"};
      }
      sawSection = true;
      RawGroup name{};
      if (!Fetch(name)) throw ReadError{in_.line(), "the file ends after SECTION"};
      if (name.code != 2) throw ReadError{name.line, "SECTION without a name"};
      const std::string_view section = Trim(name.value);
      section_ = std::string(section);
      if (section == "HEADER") {
        Header();
      } else if (section == "TABLES") {
        Tables();
      } else if (section == "BLOCKS") {
        Blocks();
      } else if (section == "ENTITIES") {
        Fetch0(g);
        Entities(doc_.entities, g, "ENDSEC");
      } else {
        SkipSection();
      }
    }
  }

 private:
  // Next group, skipping 999 comments inside sections.
  bool Fetch(RawGroup& g) {
    if (pending_) {
      g = held_;
      pending_ = false;
      return true;
    }
    return in_.Next(g);
  }
  void Push(const RawGroup& g) {
    held_ = g;
    pending_ = true;
  }
  void Need(RawGroup& g) {
    do {
      if (!Fetch(g))
        throw ReadError{in_.line(), "the file ends inside the " + section_ + " section (truncated?)"};
    } while (g.code == 999);
  }
  // Next group that must start a record (code 0).
  void Fetch0(RawGroup& g) {
    Need(g);
    if (g.code != 0)
      throw ReadError{g.line,
                      "expected group 0 in the " + section_ + " section, found " + std::to_string(g.code)};
  }
  // The groups up to the next group 0, which is left for the caller in next.
  void Body(std::vector<RawGroup>& body, RawGroup& next) {
    body.clear();
    while (true) {
      Need(next);
      if (next.code == 0) return;
      body.push_back(next);
    }
  }

  void SkipSection() {
    RawGroup g{};
    do Need(g);
    while (g.code != 0 || Trim(g.value) != "ENDSEC");
  }

  void Header() {
    RawGroup g{};
    HeaderVariable* current = nullptr;
    while (true) {
      Need(g);
      if (g.code == 0) {
        if (Trim(g.value) == "ENDSEC") return;
        throw ReadError{g.line, "unexpected " + Quote(g.value) + " in the HEADER section"};
      }
      if (g.code == 9) {
        doc_.header.push_back({std::string(Trim(g.value)), {}});
        current = &doc_.header.back();
      } else if (current) {
        current->values.push_back({g.code, std::string(g.value)});
      }
    }
  }

  void Tables() {
    RawGroup g{};
    Fetch0(g);
    while (true) {
      const std::string_view v = Trim(g.value);
      if (v == "ENDSEC") return;
      if (v != "TABLE") throw ReadError{g.line, "expected TABLE, found " + Quote(g.value)};
      std::vector<RawGroup> body;
      Body(body, g);
      std::string table;
      for (const RawGroup& b : body)
        if (b.code == 2) table = std::string(Trim(b.value));
      // Entries until ENDTAB.
      while (Trim(g.value) != "ENDTAB") {
        if (Trim(g.value) == "ENDSEC") throw ReadError{g.line, "table " + table + " is not closed"};
        Body(body, g);
        TableEntryRead(table, body);
      }
      Body(body, g);  // the ENDTAB record
    }
  }

  void TableEntryRead(const std::string& table, const std::vector<RawGroup>& body) {
    std::string name;
    for (const RawGroup& b : body)
      if (b.code == 2) name = DecodeUnicodeEscapes(Trim(b.value));
    if (name.empty()) return;
    if (table == "LAYER") {
      int aci = 7, flags = 0;
      std::int32_t rgb = -1;
      std::string lineType = "CONTINUOUS";
      for (const RawGroup& b : body) {
        if (b.code == 62) aci = Int(b);
        if (b.code == 70) flags = Int(b);
        if (b.code == 6) lineType = DecodeUnicodeEscapes(Trim(b.value));
        if (b.code == 420) rgb = Int(b) & 0xFFFFFF;
      }
      int index;
      auto it = layerIndex_.find(std::string_view(name));
      if (it == layerIndex_.end()) {
        index = doc_.AddLayer(name);
        layerIndex_.emplace(name, index);
      } else {
        index = it->second;
      }
      if (!tableLayers_.emplace(index, true).second) return;  // a second entry of the same name adds nothing
      int number = aci < 0 ? -aci : aci;
      if (number < 1 || number > 255) number = 7;
      std::int32_t bgr = -1;
      if (rgb >= 0) bgr = RgbToBgr(static_cast<std::uint32_t>(rgb));
      Document::SetLayerFields(doc_.LayerAt(index), number, bgr, aci >= 0, (flags & 1) != 0, (flags & 4) != 0,
                               flags & ~(1 | 4), lineType);
      return;
    }
    std::vector<TableEntry>* list = table == "LTYPE"   ? &doc_.lineTypes
                                    : table == "STYLE" ? &doc_.styles
                                    : table == "APPID" ? &doc_.appIds
                                                       : nullptr;
    if (!list) return;
    if (!tableNames_[list].insert(UpperAscii(name)).second) return;  // the first entry of a name counts
    TableEntry entry;
    entry.name = name;
    for (const RawGroup& b : body)
      if (b.code != 2) entry.groups.push_back({b.code, std::string(b.value)});
    list->push_back(std::move(entry));
  }

  void Blocks() {
    RawGroup g{};
    Fetch0(g);
    std::vector<RawGroup> body;
    while (true) {
      const std::string_view v = Trim(g.value);
      if (v == "ENDSEC") return;
      if (v != "BLOCK") throw ReadError{g.line, "expected BLOCK, found " + Quote(g.value)};
      Body(body, g);
      Block block;
      block.layer = -1;
      for (const RawGroup& b : body) {
        switch (b.code) {
          case 2:
            block.name = DecodeUnicodeEscapes(Trim(b.value));
            break;
          case 3:
            if (block.name.empty()) block.name = DecodeUnicodeEscapes(Trim(b.value));
            break;
          case 70:
            block.flags = Int(b);
            break;
          case 10:
          case 20:
          case 30:
            SetCoord(block.base, b.code, Num(b));
            break;
          case 1:
            block.xrefPath = std::string(b.value);
            break;
          case 8:
            block.layer = LayerIndex(b.value);
            break;
          default:
            break;
        }
      }
      if (block.layer < 0) block.layer = LayerIndex("0");
      Entities(block.entities, g, "ENDBLK");
      Body(body, g);  // the ENDBLK record
      doc_.blocks.push_back(std::move(block));
    }
  }

  // Reads entities starting with the record in g until a record named end, which is left
  // in g.
  void Entities(std::vector<Entity>& out, RawGroup& g, std::string_view end) {
    std::vector<RawGroup> body;
    while (true) {
      const std::string_view type = Trim(g.value);
      if (type == end) return;
      if (type == "ENDSEC" || type == "ENDBLK" || type == "BLOCK" || type == "SECTION" || type == "EOF")
        throw ReadError{g.line, "unexpected " + std::string(type) + " in the " + section_ + " section"};
      Body(body, g);
      if (type == "VERTEX" || type == "SEQEND" || type == "ATTRIB") continue;  // stray sub-records
      Entity e;
      Interpret(type, body, e);
      if (auto* poly = std::get_if<PolyData>(&e.data); poly && !poly->lightweight) {
        while (Trim(g.value) == "VERTEX") {
          Body(body, g);
          poly->vertices.push_back(ReadVertex(body));
        }
        if (Trim(g.value) == "SEQEND") Body(body, g);
      } else if (auto* insert = std::get_if<InsertData>(&e.data); insert && type == "INSERT") {
        if (Trim(g.value) == "ATTRIB") {
          while (Trim(g.value) == "ATTRIB") {
            Body(body, g);
            Entity attrib;
            Interpret("ATTRIB", body, attrib);
            insert->attribs.push_back(std::move(attrib));
          }
          if (Trim(g.value) == "SEQEND") Body(body, g);
        }
      }
      out.push_back(std::move(e));
    }
  }

  int LayerIndex(std::string_view rawName) {
    const std::string_view name = Trim(rawName);
    if (lastLayerIndex_ >= 0 && name == lastLayerName_) return lastLayerIndex_;
    int index;
    if (name.find('\\') != std::string_view::npos) {
      const std::string decoded = DecodeUnicodeEscapes(name);
      auto it = layerIndex_.find(std::string_view(decoded));
      index = it != layerIndex_.end() ? it->second : NewLayer(decoded);
    } else {
      auto it = layerIndex_.find(name);
      index = it != layerIndex_.end() ? it->second : NewLayer(std::string(name));
    }
    lastLayerName_.assign(name);
    lastLayerIndex_ = index;
    return index;
  }
  int NewLayer(const std::string& name) {
    const int index = doc_.AddLayer(name.empty() ? "0" : name);
    layerIndex_.emplace(doc_.LayerAt(index).Name(), index);
    return index;
  }

  // Common groups of every entity; false when the group is not one of them.
  bool Common(const RawGroup& b, Entity& e) {
    switch (b.code) {
      case 8:
        e.layer = LayerIndex(b.value);
        return true;
      case 62:
        e.color = Int(b);
        return true;
      case 420:
        e.trueColor = RgbToBgr(static_cast<std::uint32_t>(Int(b)) & 0xFFFFFFu);
        return true;
      case 6:
        e.lineType = std::string(Trim(b.value));
        return true;
      case 39:
        e.thickness = Num(b);
        return true;
      case 67:
        e.paperSpace = Int(b) != 0;
        return true;
      case 210:
      case 220:
      case 230:
        SetCoord(e.extrusion, b.code - 200, Num(b));
        return true;
      case 5:
      case 100:
      case 330:
      case 360:
        return true;  // handles and class markers: not kept
      default:
        return false;
    }
  }

  void Keep(const RawGroup& b, Entity& e) { e.extra.push_back({b.code, std::string(b.value)}); }

  // Skips the application groups "{NAME ... }" of newer versions.
  static bool InAppGroup(const RawGroup& b, int& depth) {
    if (b.code != 102) return depth > 0;
    const std::string_view v = Trim(b.value);
    if (!v.empty() && v.front() == '{')
      ++depth;
    else if (v == "}" && depth > 0)
      --depth;
    return true;
  }

  void Interpret(std::string_view type, const std::vector<RawGroup>& body, Entity& e) {
    e.layer = -1;
    (this->*TypeReader(type))(type, body, e);
    if (e.layer < 0) e.layer = LayerIndex("0");
  }

  // Reads the groups of one entity type into e.data; the type is passed on for the readers
  // that serve more than one.
  using EntityReader = void (Reader::*)(std::string_view type, const std::vector<RawGroup>& body, Entity& e);

  static EntityReader TypeReader(std::string_view type) {
    static const std::unordered_map<std::string_view, EntityReader> readers = {
        {"LINE", &Reader::LineEntity},
        {"3DLINE", &Reader::LineEntity},
        {"POINT", &Reader::PointEntity},
        {"CIRCLE", &Reader::CircleEntity},
        {"ARC", &Reader::CircleEntity},
        {"ELLIPSE", &Reader::EllipseEntity},
        {"TEXT", &Reader::TextEntity},
        {"ATTRIB", &Reader::TextEntity},
        {"MTEXT", &Reader::MTextEntity},
        {"SOLID", &Reader::FaceEntity},
        {"TRACE", &Reader::FaceEntity},
        {"3DFACE", &Reader::FaceEntity},
        {"LWPOLYLINE", &Reader::LwPolylineEntity},
        {"POLYLINE", &Reader::PolylineEntity},
        {"INSERT", &Reader::InsertEntity},
        {"DIMENSION", &Reader::DimensionEntity},
        {"SPLINE", &Reader::SplineEntity},
    };
    const auto it = readers.find(type);
    return it != readers.end() ? it->second : &Reader::OtherEntity;
  }

  // Group 101 opens the "Embedded Object" part newer versions append to multi-line texts and
  // attributes: its groups reuse the codes of the entity's own (position, height, direction)
  // and describe columns no older format has, so they are passed over up to the extended data.
  static bool InEmbeddedObject(const RawGroup& b, bool& inside) {
    if (b.code == 101) inside = true;
    return inside && b.code < 1000;
  }

  // Hands each of the entity's groups to handle; the groups it does not take are the common
  // ones or kept as they stand, and so are extended data and application groups.
  template <class Handle>
  void EachGroup(const std::vector<RawGroup>& body, Entity& e, Handle&& handle) {
    int appDepth = 0;
    bool embedded = false;
    for (const RawGroup& b : body) {
      if (InEmbeddedObject(b, embedded)) continue;
      if (InAppGroup(b, appDepth)) continue;
      if (b.code >= 1000) {
        Keep(b, e);
        continue;
      }
      if (handle(b)) continue;
      if (!Common(b, e)) Keep(b, e);
    }
  }

  void LineEntity(std::string_view, const std::vector<RawGroup>& body, Entity& e) {
    LineData d;
    EachGroup(body, e, [&](const RawGroup& b) {
      if (IsPointCode(b.code, 0)) return SetCoord(d.a, b.code, Num(b)), true;
      if (IsPointCode(b.code, 1)) return SetCoord(d.b, b.code, Num(b)), true;
      return false;
    });
    e.data = d;
  }

  void PointEntity(std::string_view, const std::vector<RawGroup>& body, Entity& e) {
    PointData d;
    EachGroup(body, e, [&](const RawGroup& b) {
      if (IsPointCode(b.code, 0)) return SetCoord(d.p, b.code, Num(b)), true;
      return false;
    });
    e.data = d;
  }

  void CircleEntity(std::string_view type, const std::vector<RawGroup>& body, Entity& e) {
    CircleData d;
    d.arc = type == "ARC";
    EachGroup(body, e, [&](const RawGroup& b) {
      if (IsPointCode(b.code, 0)) return SetCoord(d.center, b.code, Num(b)), true;
      if (b.code == 40) return d.radius = Num(b), true;
      if (b.code == 50 && d.arc) return d.startAngle = Num(b), true;
      if (b.code == 51 && d.arc) return d.endAngle = Num(b), true;
      return false;
    });
    if (!d.arc) d.startAngle = 0, d.endAngle = 360;
    e.data = d;
  }

  void EllipseEntity(std::string_view, const std::vector<RawGroup>& body, Entity& e) {
    EllipseData d;
    EachGroup(body, e, [&](const RawGroup& b) {
      if (IsPointCode(b.code, 0)) return SetCoord(d.center, b.code, Num(b)), true;
      if (IsPointCode(b.code, 1)) return SetCoord(d.major, b.code, Num(b)), true;
      if (b.code == 40) return d.ratio = Num(b), true;
      if (b.code == 41) return d.startParam = Num(b), true;
      if (b.code == 42) return d.endParam = Num(b), true;
      return false;
    });
    e.data = d;
  }

  // TEXT and ATTRIB: an attribute has a tag, flags and a field length besides the text.
  void TextEntity(std::string_view type, const std::vector<RawGroup>& body, Entity& e) {
    TextData d;
    d.attrib = type == "ATTRIB";
    EachGroup(body, e, [&](const RawGroup& b) {
      if (IsPointCode(b.code, 0)) return SetCoord(d.insert, b.code, Num(b)), true;
      if (IsPointCode(b.code, 1)) return SetCoord(d.align, b.code, Num(b)), d.hasAlign = true, true;
      switch (b.code) {
        case 1:
          d.value = DecodeUnicodeEscapes(b.value);
          return true;
        case 7:
          d.style = DecodeUnicodeEscapes(Trim(b.value));
          return true;
        case 40:
          d.height = Num(b);
          return true;
        case 41:
          d.widthFactor = Num(b);
          return true;
        case 50:
          d.rotation = Num(b);
          return true;
        case 51:
          d.oblique = Num(b);
          return true;
        case 71:
          d.generation = Int(b);
          return true;
        case 72:
          d.hAlign = Int(b);
          return true;
        case 73:
          if (d.attrib)
            d.fieldLength = Int(b);
          else
            d.vAlign = Int(b);
          return true;
        case 74:
          if (!d.attrib) return false;
          d.vAlign = Int(b);
          return true;
        case 2:
          if (!d.attrib) return false;
          d.tag = DecodeUnicodeEscapes(Trim(b.value));
          return true;
        case 70:
          if (!d.attrib) return false;
          d.attribFlags = Int(b);
          return true;
        case 280:
          return d.attrib;  // attribute version of newer files
        default:
          return false;
      }
    });
    e.data = d;
  }

  void MTextEntity(std::string_view, const std::vector<RawGroup>& body, Entity& e) {
    MTextData d;
    bool hasAxis = false;
    double rotation = 0;
    EachGroup(body, e, [&](const RawGroup& b) {
      if (IsPointCode(b.code, 0)) return SetCoord(d.insert, b.code, Num(b)), true;
      if (IsPointCode(b.code, 1)) return SetCoord(d.xAxis, b.code, Num(b)), hasAxis = true, true;
      switch (b.code) {
        case 1:
        case 3:
          d.value += DecodeUnicodeEscapes(b.value);
          return true;
        case 7:
          d.style = DecodeUnicodeEscapes(Trim(b.value));
          return true;
        case 40:
          d.height = Num(b);
          return true;
        case 41:
          d.referenceWidth = Num(b);
          return true;
        case 44:
          d.lineSpacing = Num(b);
          return true;
        case 50:
          rotation = Num(b);
          return true;
        case 71:
          d.attachment = Int(b);
          return true;
        case 72:
          d.direction = Int(b);
          return true;
        default:
          return false;
      }
    });
    if (!hasAxis) {
      // The rotation is in radians and measured in the entity's own plane.
      const Frame f = Frame::FromNormal(e.extrusion);
      d.xAxis = f.ToWorld({std::cos(rotation), std::sin(rotation), 0});
    }
    e.data = d;
  }

  // SOLID, TRACE and 3DFACE: three or four corners.
  void FaceEntity(std::string_view type, const std::vector<RawGroup>& body, Entity& e) {
    FaceData d;
    d.kind = type == "SOLID" ? FaceKind::Solid : type == "TRACE" ? FaceKind::Trace : FaceKind::Face3d;
    bool has4 = false;
    EachGroup(body, e, [&](const RawGroup& b) {
      for (int k = 0; k < 4; ++k)
        if (IsPointCode(b.code, k)) return SetCoord(d.corner[k], b.code, Num(b)), has4 |= k == 3, true;
      if (b.code == 70 && d.kind == FaceKind::Face3d) return d.edgeFlags = Int(b), true;
      return false;
    });
    if (!has4) d.corner[3] = d.corner[2];  // a triangle
    e.data = d;
  }

  // The vertices come in the record itself, each starting with its group 10.
  void LwPolylineEntity(std::string_view, const std::vector<RawGroup>& body, Entity& e) {
    PolyData d;
    d.lightweight = true;
    EachGroup(body, e, [&](const RawGroup& b) {
      switch (b.code) {
        case 10:
          d.vertices.emplace_back();
          d.vertices.back().p.x = Num(b);
          return true;
        case 20:
          if (!d.vertices.empty()) d.vertices.back().p.y = Num(b);
          return true;
        case 40:
          if (!d.vertices.empty()) d.vertices.back().startWidth = Num(b);
          return true;
        case 41:
          if (!d.vertices.empty()) d.vertices.back().endWidth = Num(b);
          return true;
        case 42:
          if (!d.vertices.empty()) d.vertices.back().bulge = Num(b);
          return true;
        case 43:
          d.startWidth = d.endWidth = Num(b), d.hasConstantWidth = true;
          return true;
        case 38:
          d.elevation = Num(b);
          return true;
        case 70:
          d.flags = Int(b) & 1;
          return true;  // 128 (line type generation) has no old form
        case 90:
        case 91:
          return true;
        default:
          return false;
      }
    });
    for (Vertex& v : d.vertices) v.p.z = d.elevation;
    e.data = std::move(d);
  }

  // The head record only; its VERTEX records follow it (see Entities).
  void PolylineEntity(std::string_view, const std::vector<RawGroup>& body, Entity& e) {
    PolyData d;
    EachGroup(body, e, [&](const RawGroup& b) {
      switch (b.code) {
        case 10:
        case 20:
          return true;  // always 0
        case 30:
          d.elevation = Num(b);
          return true;
        case 40:
          d.startWidth = Num(b);
          return true;
        case 41:
          d.endWidth = Num(b);
          return true;
        case 66:
          return true;
        case 70:
          d.flags = Int(b);
          return true;
        case 71:
          d.meshM = Int(b);
          return true;
        case 72:
          d.meshN = Int(b);
          return true;
        case 73:
          d.smoothM = Int(b);
          return true;
        case 74:
          d.smoothN = Int(b);
          return true;
        case 75:
          d.surfaceType = Int(b);
          return true;
        default:
          return false;
      }
    });
    e.data = std::move(d);
  }

  void InsertEntity(std::string_view, const std::vector<RawGroup>& body, Entity& e) {
    InsertData d;
    EachGroup(body, e, [&](const RawGroup& b) {
      if (b.code == 2) return d.block = DecodeUnicodeEscapes(Trim(b.value)), true;
      if (IsPointCode(b.code, 0)) return SetCoord(d.position, b.code, Num(b)), true;
      switch (b.code) {
        case 41:
          d.scale.x = Num(b);
          return true;
        case 42:
          d.scale.y = Num(b);
          return true;
        case 43:
          d.scale.z = Num(b);
          return true;
        case 50:
          d.rotation = Num(b);
          return true;
        case 70:
          d.columns = Int(b);
          return true;
        case 71:
          d.rows = Int(b);
          return true;
        case 44:
          d.columnSpacing = Num(b);
          return true;
        case 45:
          d.rowSpacing = Num(b);
          return true;
        case 66:
          return true;
        default:
          return false;
      }
    });
    e.data = std::move(d);
  }

  // A dimension is drawn by its block; placed as a reference of that block it survives
  // offsets, turns and the old file format alike.
  void DimensionEntity(std::string_view type, const std::vector<RawGroup>& body, Entity& e) {
    InsertData d;
    bool hasBlock = false;
    EachGroup(body, e, [&](const RawGroup& b) {
      if (b.code == 2) return d.block = DecodeUnicodeEscapes(Trim(b.value)), hasBlock = true, true;
      return false;
    });
    e.extra.clear();
    if (hasBlock)
      e.data = std::move(d);
    else
      e.data = OtherData{std::string(type), {}};
  }

  void SplineEntity(std::string_view, const std::vector<RawGroup>& body, Entity& e) {
    SplineData d;
    EachGroup(body, e, [&](const RawGroup& b) {
      switch (b.code) {
        case 10:
          d.control.emplace_back();
          d.control.back().x = Num(b);
          return true;
        case 20:
        case 30:
          if (!d.control.empty()) SetCoord(d.control.back(), b.code, Num(b));
          return true;
        case 11:
          d.fit.emplace_back();
          d.fit.back().x = Num(b);
          return true;
        case 21:
        case 31:
          if (!d.fit.empty()) SetCoord(d.fit.back(), b.code - 1, Num(b));
          return true;
        case 12:
        case 22:
        case 32:
          SetCoord(d.startTangent, b.code - 2, Num(b)), d.hasStartTangent = true;
          return true;
        case 13:
        case 23:
        case 33:
          SetCoord(d.endTangent, b.code - 3, Num(b)), d.hasEndTangent = true;
          return true;
        case 40:
          d.knots.push_back(Num(b));
          return true;
        case 41:
          d.weights.push_back(Num(b));
          return true;
        case 70:
          d.flags = Int(b);
          return true;
        case 71:
          d.degree = Int(b);
          return true;
        case 72:
        case 73:
        case 74:
        case 42:
        case 43:
        case 44:
          return true;  // counts, tolerances
        default:
          return false;
      }
    });
    e.data = std::move(d);
  }

  // Any other type is kept group by group (its layer and space read as for every entity).
  void OtherEntity(std::string_view type, const std::vector<RawGroup>& body, Entity& e) {
    OtherData d;
    d.type = std::string(type);
    bool embedded = false;
    for (const RawGroup& b : body) {
      if (InEmbeddedObject(b, embedded)) continue;
      if (b.code == 8) {
        e.layer = LayerIndex(b.value);
        continue;
      }
      if (b.code == 67) e.paperSpace = Int(b) != 0;
      d.groups.push_back({b.code, std::string(b.value)});
    }
    e.data = std::move(d);
  }

  Vertex ReadVertex(const std::vector<RawGroup>& body) {
    Vertex v;
    int appDepth = 0;
    for (const RawGroup& b : body) {
      if (InAppGroup(b, appDepth)) continue;
      switch (b.code) {
        case 10:
        case 20:
        case 30:
          SetCoord(v.p, b.code, Num(b));
          break;
        case 40:
          v.startWidth = Num(b);
          break;
        case 41:
          v.endWidth = Num(b);
          break;
        case 42:
          v.bulge = Num(b);
          break;
        case 70:
          v.flags = Int(b);
          break;
        case 5:
        case 8:
        case 100:
        case 330:
        case 91:
          break;
        default:
          v.extra.push_back({b.code, std::string(b.value)});
          break;
      }
    }
    return v;
  }

  GroupStream in_;
  Document& doc_;
  RawGroup held_{};
  bool pending_ = false;
  std::string section_;
  bool sawSection_ = false;
  std::unordered_map<std::string, int, NameHash, std::equal_to<>> layerIndex_;
  std::unordered_map<int, bool> tableLayers_;
  std::unordered_map<const void*, std::unordered_set<std::string>> tableNames_;
  std::string lastLayerName_;
  int lastLayerIndex_ = -1;
};

}  // namespace

std::string DeclaredCodePage(std::string_view bytes) {
  // Line by line through the header only: the first ENDSEC ends the search, so a text of the
  // drawing that happens to read "$DWGCODEPAGE" is never taken for the declaration.
  text::LineCursor lines(bytes);
  std::string_view line;
  while (lines.Next(line)) {
    const std::string_view value = Trim(line);
    if (value == "ENDSEC") return {};
    if (value != "$DWGCODEPAGE") continue;
    std::string_view code, page;
    if (lines.Next(code) && Trim(code) == "3" && lines.Next(page)) return std::string(Trim(page));
    return {};
  }
  return {};
}

bool ParseDxf(std::string_view bytes, std::string_view name, Document& doc, std::string* error) {
  auto fail = [&](long line, const std::string& reason) {
    if (error) *error = std::string(name) + ": line " + std::to_string(line) + ": " + reason;
    return false;
  };
  if (bytes.substr(0, 18) == "AutoCAD Binary DXF") return fail(1, "binary DXF files are not supported");
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  if (bytes.empty()) return fail(1, "the file is empty");
  std::string converted;
  if (!text::IsValidUtf8(bytes)) {
    converted = text::CharsetToUtf8(bytes, text::CharsetOfCodePage(DeclaredCodePage(bytes)));
    bytes = converted;
  }
  try {
    // The layers come in file order; layer 0 only when the file has or uses it.
    doc.layers.clear();
    Reader reader(bytes, doc);
    try {
      reader.Run();
    } catch (const ReadError& e) {
      // Garbage before the first section means the file is something else altogether.
      if (!reader.SawSection() && e.reason.rfind("not a DXF file", 0) != 0)
        throw ReadError{e.line, "not a DXF file (" + e.reason + ")"};
      throw;
    }
  } catch (const ReadError& e) {
    return fail(e.line, e.reason);
  }
  return true;
}

}  // namespace tv::drawing
