// The drawing's operations: files, entities, layers, queries and added entities.
#include "drawing/drawing.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "drawing/document.h"
#include "drawing/dxf_reader.h"
#include "drawing/dxf_writer.h"
#include "drawing/merge.h"
#include "drawing/query.h"
#include "drawing/transform.h"
#include "drawing/view_state.h"
#include "files/atomic_write.h"
#include "files/path_resolve.h"

namespace tv::drawing {
namespace {

bool ReadBytes(const std::string& path, std::string& bytes, std::string& reason) {
  const std::optional<std::string> found = tv::files::FindExisting(path);
  if (!found) {
    reason = "the file does not exist";
    return false;
  }
  std::FILE* f = std::fopen(found->c_str(), "rb");
  if (!f) {
    reason = std::strerror(errno);
    return false;
  }
  bytes.clear();
  char buffer[1 << 16];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) {
    reason = "the file cannot be read";
    return false;
  }
  return true;
}

Entity NewEntity(Document& doc, std::string_view layer) {
  Entity e;
  e.layer = doc.LayerFor(layer.empty() ? std::string_view("0") : layer);
  return e;
}

// The depth as the decimal the caller meant: a Single 19.8 widened as it stands would be
// written 19.799999237060547.
double ShortestDouble(float z) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, z);
  double wide = z;
  if (ec == std::errc()) std::from_chars(buffer, end, wide);
  return wide;
}

}  // namespace

void SegmentItem::SetZ1(float z) {
  WriteBack(true, z);
}
void SegmentItem::SetZ2(float z) {
  WriteBack(false, z);
}

void SegmentItem::WriteBack(bool first, float z) {
  (first ? Z1 : Z2) = z;
  Drawing* owner = nullptr;
  std::uint64_t generation = 0;
  long entity = -1;
  int vertex = -1;
  if (!Document::ItemTarget(*this, owner, generation, entity, vertex)) return;
  if (owner->doc_->generation != generation) return;  // the drawing was replaced since
  owner->doc_->WriteItemZ(entity, vertex, first, ShortestDouble(z));
}

Drawing::Drawing() : doc_(std::make_unique<Document>()), view_(std::make_unique<ViewState>()) {}
Drawing::~Drawing() = default;

void Drawing::SetDrawingFile(std::string path) {
  drawingFile_ = std::move(path);
}
const std::string& Drawing::DrawingFile() const {
  return drawingFile_;
}

bool Drawing::ReadDrawing(int mode, double dx, double dy, std::string* error) {
  std::string bytes, reason;
  if (drawingFile_.empty()) {
    if (error) *error = "no drawing file given";
    return false;
  }
  if (!ReadBytes(drawingFile_, bytes, reason)) {
    if (error) *error = drawingFile_ + ": " + reason;
    return false;
  }
  return ReadDrawingFromBytes(bytes, drawingFile_, mode, dx, dy, error);
}

bool Drawing::ReadDrawing(const std::string& path, int mode, double dx, double dy, std::string* error) {
  SetDrawingFile(path);
  return ReadDrawing(mode, dx, dy, error);
}

bool Drawing::ReadDrawingFromBytes(std::string_view bytes, std::string_view name, int mode, double dx,
                                   double dy, std::string* error) {
  if (mode != 0 && mode != 1) {
    if (error) *error = std::string(name) + ": unknown read mode " + std::to_string(mode);
    return false;
  }
  if (!std::isfinite(dx) || !std::isfinite(dy)) {
    if (error) *error = std::string(name) + ": the offset is not a number";
    return false;
  }
  auto incoming = std::make_unique<Document>();
  if (!ParseDxf(bytes, name, *incoming, error)) return false;
  if (dx != 0 || dy != 0) {
    const EntityMap shift = EntityMap::Translation(dx, dy);
    for (Entity& e : incoming->entities) TransformEntity(e, shift);
  }
  if (mode == 0) {
    incoming->generation = doc_->generation + 1;
    incoming->revision = doc_->revision + 1;
    incoming->lastReadBegin = 0;
    incoming->lastReadEnd = incoming->entities.size();
    doc_ = std::move(incoming);
  } else {
    MergeInto(*doc_, std::move(*incoming));
  }
  if (error) error->clear();
  return true;
}

void Drawing::SetOutputFile(std::string path) {
  outputFile_ = std::move(path);
}
const std::string& Drawing::OutputFile() const {
  return outputFile_;
}

bool Drawing::WriteDrawing(std::string* error) {
  if (outputFile_.empty()) {
    if (error) *error = "no output file given";
    return false;
  }
  std::string reason;
  if (!tv::files::WriteFileAtomic(outputFile_, WriteR12(*doc_), &reason)) {
    if (error) *error = outputFile_ + ": " + reason;
    return false;
  }
  if (error) error->clear();
  return true;
}

std::string Drawing::WriteDrawingToString() const {
  return WriteR12(*doc_);
}

void Drawing::Clear() {
  auto fresh = std::make_unique<Document>();
  fresh->generation = doc_->generation + 1;
  fresh->revision = doc_->revision + 1;
  doc_ = std::move(fresh);
}

int Drawing::EntityCount() const {
  return static_cast<int>(doc_->entities.size());
}

void Drawing::TransformEntities(int count, double baseX, double baseY, double shiftX, double shiftY,
                                double angle, double scaleX, double scaleY) {
  const std::size_t begin = doc_->lastReadBegin;
  const std::size_t end = std::min(doc_->lastReadEnd, static_cast<std::size_t>(std::max(count, 0)));
  if (begin >= end) return;
  for (double v : {baseX, baseY, shiftX, shiftY, angle, scaleX, scaleY})
    if (!std::isfinite(v)) return;
  const EntityMap map = EntityMap::ScaleTurnShift(baseX, baseY, scaleX, scaleY, angle, shiftX, shiftY);
  for (std::size_t i = begin; i < end; ++i) TransformEntity(doc_->entities[i], map);
  ++doc_->revision;
}

LayerCollection Drawing::Layers() {
  return LayerCollection(*doc_);
}

std::vector<SegmentItem> Drawing::GetEntities1() {
  std::vector<SegmentItem> out;
  CollectSegments(*doc_, true, this, out);
  return out;
}

std::vector<SegmentItem> Drawing::GetEntities2() {
  std::vector<SegmentItem> out;
  CollectSegments(*doc_, false, this, out);
  return out;
}

std::vector<PointItem> Drawing::GetEntities3() const {
  return CollectPoints(*doc_);
}
std::vector<TextItem> Drawing::GetTexts() const {
  return CollectTexts(*doc_);
}

bool Drawing::GetEntityExtents(float& minX, float& minY, float& width, float& height) const {
  Vec3 lo, hi;
  if (!ComputeExtents(*doc_, doc_->lastReadBegin, doc_->lastReadEnd, lo, hi)) {
    minX = minY = width = height = 0;
    return false;
  }
  minX = static_cast<float>(lo.x);
  minY = static_cast<float>(lo.y);
  width = static_cast<float>(hi.x - lo.x);
  height = static_cast<float>(hi.y - lo.y);
  return true;
}

bool Drawing::GetExtents(float& left, float& top, float& right, float& bottom) const {
  Vec3 lo, hi;
  if (!ComputeExtents(*doc_, 0, doc_->entities.size(), lo, hi)) {
    left = top = right = bottom = 0;
    return false;
  }
  left = static_cast<float>(lo.x);
  top = static_cast<float>(hi.y);
  right = static_cast<float>(hi.x);
  bottom = static_cast<float>(lo.y);
  return true;
}

void Drawing::AddLine(double x1, double y1, double zAtEnd, double x2, double y2, double zAtStart,
                      std::string_view layer) {
  Entity e = NewEntity(*doc_, layer);
  e.data = LineData{{x1, y1, zAtStart}, {x2, y2, zAtEnd}};
  doc_->entities.push_back(std::move(e));
  ++doc_->revision;
}

void Drawing::AddSolid(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4,
                       std::string_view layer) {
  Entity e = NewEntity(*doc_, layer);
  FaceData f;
  f.kind = FaceKind::Solid;
  // The file format fills corners 1 2 4 3; the caller's corners go round the area.
  f.corner[0] = {x1, y1, 0};
  f.corner[1] = {x2, y2, 0};
  f.corner[2] = {x4, y4, 0};
  f.corner[3] = {x3, y3, 0};
  e.data = f;
  doc_->entities.push_back(std::move(e));
  ++doc_->revision;
}

void Drawing::AddText(double x, double y, std::string_view text, std::string_view layer, int /*kind*/,
                      double height, int hAlign, double angle) {
  Entity e = NewEntity(*doc_, layer);
  TextData t;
  t.insert = {x, y, 0};
  t.height = height > 0 && std::isfinite(height) ? height : doc_->DefaultTextSize();
  t.rotation = std::isfinite(angle) ? angle : 0;
  t.value = std::string(text);
  // A text value is one line in the file format.
  std::replace(t.value.begin(), t.value.end(), '\r', ' ');
  std::replace(t.value.begin(), t.value.end(), '\n', ' ');
  t.hAlign = hAlign == 1 || hAlign == 2 ? hAlign : 0;
  t.hasAlign = t.hAlign != 0;
  t.align = t.insert;
  t.style = TextStyleForAdding();
  e.data = std::move(t);
  doc_->entities.push_back(std::move(e));
  ++doc_->revision;
}

std::string Drawing::TextStyleForAdding() {
  if (useDxfFont_ || fontName_.empty()) return "STANDARD";
  const std::string upper = UpperAscii(fontName_);
  for (const TableEntry& s : doc_->styles)
    if (UpperAscii(s.name) == upper) return s.name;
  std::string file = fontName_;
  if (file.find('.') == std::string::npos) {
    for (char& c : file)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    file += ".ttf";
  }
  TableEntry style;
  style.name = fontName_;
  style.groups = {{70, "0"}, {40, "0.0"}, {41, "1.0"}, {50, "0.0"},
                  {71, "0"}, {42, "2.5"}, {3, file},   {4, ""}};
  doc_->styles.push_back(std::move(style));
  return fontName_;
}

void Drawing::SetUseDxfFont(bool use) {
  useDxfFont_ = use;
}
bool Drawing::UseDxfFont() const {
  return useDxfFont_;
}
void Drawing::SetFontName(std::string name) {
  fontName_ = std::move(name);
}
const std::string& Drawing::FontName() const {
  return fontName_;
}
void Drawing::SetFontName2(std::string name) {
  fontName2_ = std::move(name);
}
const std::string& Drawing::FontName2() const {
  return fontName2_;
}

DisplayList Drawing::BuildDisplayList(double tolerance) const {
  return CollectDisplay(*doc_, tolerance);
}

std::uint64_t Drawing::Revision() const {
  std::uint64_t layerChanges = 0;
  for (const auto& layer : doc_->layers) layerChanges += Document::LayerChanges(*layer);
  return (doc_->revision << 32) + (layerChanges & 0xFFFFFFFFu);
}

}  // namespace tv::drawing
