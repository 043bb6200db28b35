// Internal: the drawing's content (header, layers, tables, blocks, entities) as the reader
// builds it and the writer, queries and transforms use it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "drawing/geometry.h"
#include "drawing/items.h"
#include "drawing/layers.h"

namespace tv::drawing {

// One group of the file kept as read: written back where the output format allows it.
struct Group {
  int code = 0;
  std::string value;
};

struct LineData {
  Vec3 a, b;
};

struct PointData {
  Vec3 p;
};

// CIRCLE and ARC, in the entity's object coordinate system; angles in degrees.
struct CircleData {
  Vec3 center;
  double radius = 0;
  double startAngle = 0, endAngle = 360;
  bool arc = false;
};

// ELLIPSE in world coordinates: points are center + cos t * major + sin t * minor with
// minor = ratio * |major| * (normal x major / |major|).
struct EllipseData {
  Vec3 center;
  Vec3 major{1, 0, 0};
  double ratio = 1;
  double startParam = 0, endParam = 2 * kPi;
};

// TEXT, and ATTRIB (the attribute fields set) in the object coordinate system.
struct TextData {
  Vec3 insert, align;
  bool hasAlign = false;
  double height = 0, rotation = 0, widthFactor = 1, oblique = 0;
  int generation = 0, hAlign = 0, vAlign = 0;
  std::string value, style;
  bool attrib = false;
  std::string tag;
  int attribFlags = 0, fieldLength = 0;
};

struct MTextData {
  Vec3 insert;
  Vec3 xAxis{1, 0, 0};  // world direction of the text's x axis
  double height = 0, referenceWidth = 0, lineSpacing = 1;
  int attachment = 1, direction = 1;
  std::string value, style;
};

enum class FaceKind : std::uint8_t { Solid, Trace, Face3d };

// SOLID and TRACE (object coordinates, drawn in the corner order 1 2 4 3) and 3DFACE
// (world coordinates, corners in order round the face).
struct FaceData {
  FaceKind kind = FaceKind::Solid;
  Vec3 corner[4];
  int edgeFlags = 0;
};

struct Vertex {
  Vec3 p;
  double startWidth = 0, endWidth = 0, bulge = 0;
  int flags = 0;
  std::vector<Group> extra;
};

// LWPOLYLINE (lightweight) and POLYLINE with its VERTEX records.
struct PolyData {
  bool lightweight = false;
  int flags = 0;                        // 1 closed, 8 3D polyline, 16 mesh, 32 closed in N, 64 polyface
  double elevation = 0;                 // z of a 2D polyline in its object coordinate system
  double startWidth = 0, endWidth = 0;  // defaults; the constant width of a lightweight one
  bool hasConstantWidth = false;
  int meshM = 0, meshN = 0, smoothM = 0, smoothN = 0, surfaceType = 0;
  std::vector<Vertex> vertices;
  bool Closed() const { return (flags & 1) != 0; }
  bool Is3d() const { return (flags & (8 | 16 | 64)) != 0; }
};

struct Entity;

struct InsertData {
  std::string block;
  Vec3 position;
  Vec3 scale{1, 1, 1};
  double rotation = 0;
  int columns = 1, rows = 1;
  double columnSpacing = 0, rowSpacing = 0;
  std::vector<Entity> attribs;
};

struct SplineData {
  int flags = 0, degree = 3;
  std::vector<double> knots, weights;
  std::vector<Vec3> control, fit;
  Vec3 startTangent, endTangent;
  bool hasStartTangent = false, hasEndTangent = false;
};

// Any other entity, kept group by group (after its type and layer).
struct OtherData {
  std::string type;
  std::vector<Group> groups;
};

using EntityData = std::variant<LineData, PointData, CircleData, EllipseData, TextData, MTextData, FaceData,
                                PolyData, InsertData, SplineData, OtherData>;

struct Entity {
  int layer = 0;
  int color = 256;              // 256 by layer, 0 by block
  std::int32_t trueColor = -1;  // 24-bit colour as &HBBGGRR, over the colour number; -1 none
  bool paperSpace = false;
  double thickness = 0;
  Vec3 extrusion{0, 0, 1};
  std::string lineType;      // "" by layer
  std::vector<Group> extra;  // groups not interpreted, in file order
  EntityData data;
};

struct Block {
  std::string name;
  int flags = 0;
  Vec3 base;
  std::string xrefPath;
  int layer = 0;
  std::vector<Entity> entities;
};

// A table entry kept by name (line types, text styles, application names).
struct TableEntry {
  std::string name;
  std::vector<Group> groups;  // everything but the name
};

struct HeaderVariable {
  std::string name;  // with its "$"
  std::vector<Group> values;
};

class Document {
 public:
  Document();

  std::vector<std::string> comments;  // the 999 lines at the top of the file
  std::vector<HeaderVariable> header;
  std::vector<std::unique_ptr<Layer>> layers;
  std::vector<TableEntry> lineTypes, styles, appIds;
  std::vector<Block> blocks;
  std::vector<Entity> entities;

  // Entities [lastReadBegin, lastReadEnd) came with the last read.
  std::size_t lastReadBegin = 0, lastReadEnd = 0;
  // Changes when the entity list is replaced (item write-backs check it).
  std::uint64_t generation = 1;
  // Grows with every change of the content.
  std::uint64_t revision = 1;

  int LayerCount() const { return static_cast<int>(layers.size()); }
  Layer& LayerAt(int index) { return *layers.at(static_cast<std::size_t>(index)); }
  const Layer& LayerAt(int index) const { return *layers.at(static_cast<std::size_t>(index)); }
  // Exact (case-sensitive) match, -1 when none.
  int FindLayer(std::string_view name) const;
  int AddLayer(std::string_view name);
  int LayerFor(std::string_view name);  // found or added

  // Block by name (case ignored), -1 when none.
  int FindBlock(std::string_view name) const;
  void BlocksChanged() { blockIndex_.clear(); }

  // $TEXTSIZE of the header, 2.5 without it.
  double DefaultTextSize() const;
  const HeaderVariable* FindHeader(std::string_view name) const;

  static Layer& SetLayerFields(Layer& layer, int aci, std::int32_t bgr, bool on, bool frozen, bool locked,
                               int flags, std::string lineType);
  static int LayerAci(const Layer& layer) { return layer.aci_; }
  static std::int32_t LayerBgr(const Layer& layer) { return layer.bgr_; }
  static bool LayerOn(const Layer& layer) { return layer.on_; }
  static bool LayerFrozen(const Layer& layer) { return layer.frozen_; }
  static bool LayerLocked(const Layer& layer) { return layer.locked_; }
  static int LayerFlags(const Layer& layer) { return layer.flags_; }
  static const std::string& LayerLineType(const Layer& layer) { return layer.lineType_; }
  static std::uint32_t LayerChanges(const Layer& layer) { return layer.changes_; }

  static void BindItem(SegmentItem& item, Drawing* owner, std::uint64_t generation, long entity, int vertex) {
    item.owner_ = owner;
    item.generation_ = generation;
    item.entity_ = static_cast<std::int32_t>(entity);
    item.vertex_ = vertex;
  }
  static bool ItemTarget(const SegmentItem& item, Drawing*& owner, std::uint64_t& generation, long& entity,
                         int& vertex) {
    owner = item.owner_;
    generation = item.generation_;
    entity = item.entity_;
    vertex = item.vertex_;
    return owner != nullptr && entity >= 0;
  }
  // Writes a depth through to entity (see SegmentItem); false when nothing changed.
  bool WriteItemZ(long entity, int vertex, bool first, double z);

 private:
  mutable std::unordered_map<std::string, int> blockIndex_;
  mutable double textSize_ = -1;  // DefaultTextSize, once looked up (the header does not change)
};

std::string UpperAscii(std::string_view text);

}  // namespace tv::drawing
