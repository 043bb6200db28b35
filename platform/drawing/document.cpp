// The drawing's content: layers, blocks by name, header values.
#include "drawing/document.h"

#include <cmath>
#include <stdexcept>

#include "drawing/colors.h"

namespace tv::drawing {

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

Document::Document() {
  AddLayer("0");
}

int Document::FindLayer(std::string_view name) const {
  for (std::size_t i = 0; i < layers.size(); ++i)
    if (layers[i]->Name() == name) return static_cast<int>(i);
  return -1;
}

int Document::AddLayer(std::string_view name) {
  auto layer = std::make_unique<Layer>();
  layer->SetName(name);
  layers.push_back(std::move(layer));
  return LayerCount() - 1;
}

int Document::LayerFor(std::string_view name) {
  const int found = FindLayer(name);
  return found >= 0 ? found : AddLayer(name);
}

int Document::FindBlock(std::string_view name) const {
  if (blockIndex_.empty() && !blocks.empty()) {
    for (std::size_t i = 0; i < blocks.size(); ++i)
      blockIndex_.emplace(UpperAscii(blocks[i].name), static_cast<int>(i));  // the first of a name wins
  }
  auto it = blockIndex_.find(UpperAscii(name));
  return it == blockIndex_.end() ? -1 : it->second;
}

const HeaderVariable* Document::FindHeader(std::string_view name) const {
  for (const HeaderVariable& v : header)
    if (UpperAscii(v.name) == UpperAscii(name)) return &v;
  return nullptr;
}

double Document::DefaultTextSize() const {
  if (textSize_ > 0) return textSize_;
  textSize_ = 2.5;
  if (const HeaderVariable* v = FindHeader("$TEXTSIZE")) {
    for (const Group& g : v->values) {
      if (g.code != 40) continue;
      try {
        const double size = std::stod(g.value);
        if (size > 0 && std::isfinite(size)) return textSize_ = size;
      } catch (const std::exception&) {
      }
    }
  }
  return textSize_;
}

Layer& Document::SetLayerFields(Layer& layer, int aci, std::int32_t bgr, bool on, bool frozen, bool locked,
                                int flags, std::string lineType) {
  layer.aci_ = aci;
  layer.bgr_ = bgr;
  layer.on_ = on;
  layer.frozen_ = frozen;
  layer.locked_ = locked;
  layer.flags_ = flags;
  layer.lineType_ = std::move(lineType);
  return layer;
}

std::int32_t Layer::Color() const {
  return bgr_ >= 0 ? bgr_ : AciToBgr(aci_);
}

void Layer::SetColor(std::int32_t bgr) {
  bgr_ = bgr & 0xFFFFFF;
  aci_ = NearestAci(bgr_);
  ++changes_;
}

int LayerCollection::Count() const {
  return doc_->LayerCount();
}

Layer& LayerCollection::Item(int index) const {
  if (index < 1 || index > doc_->LayerCount())
    throw std::out_of_range("layer index " + std::to_string(index));
  return doc_->LayerAt(index - 1);
}

Layer& LayerCollection::Add(bool on, std::int32_t color, std::string_view name, bool thawed, bool unlocked,
                            int /*lineWeight*/, std::string_view lineType) {
  const int index = doc_->LayerFor(name);
  Layer& layer = doc_->LayerAt(index);
  Document::SetLayerFields(layer, 7, -1, on, !thawed, !unlocked, Document::LayerFlags(layer),
                           lineType.empty() ? std::string("CONTINUOUS") : std::string(lineType));
  layer.SetColor(color);
  ++doc_->revision;
  return layer;
}

}  // namespace tv::drawing

namespace tv::drawing {

bool Document::WriteItemZ(long entity, int vertex, bool first, double z) {
  if (entity < 0 || static_cast<std::size_t>(entity) >= entities.size() || !std::isfinite(z)) return false;
  Entity& e = entities[static_cast<std::size_t>(entity)];
  const double sign = e.extrusion.z < 0 ? -1.0 : 1.0;  // only (0, 0, +-1) planes get here
  bool changed = true;
  if (auto* d = std::get_if<LineData>(&e.data)) {
    (first ? d->a : d->b).z = z;
  } else if (auto* f = std::get_if<FaceData>(&e.data)) {
    if (f->kind == FaceKind::Face3d && vertex >= 0) {
      const bool triangle = f->corner[3].x == f->corner[2].x && f->corner[3].y == f->corner[2].y &&
                            f->corner[3].z == f->corner[2].z;
      const int count = triangle ? 3 : 4;
      const int k = first ? vertex % count : (vertex + 1) % count;
      f->corner[k].z = z;
      if (triangle && k == 2) f->corner[3].z = z;
    } else {
      for (Vec3& c : f->corner) c.z = sign * z;
    }
  } else if (auto* p = std::get_if<PolyData>(&e.data)) {
    if (p->Is3d() && vertex >= 0 && static_cast<std::size_t>(vertex) < p->vertices.size()) {
      std::size_t k = static_cast<std::size_t>(vertex);
      if (!first) {  // the next vertex of the outline (frame vertices are no part of it)
        const std::size_t n = p->vertices.size();
        do k = (k + 1) % n;
        while ((p->vertices[k].flags & 16) && k != static_cast<std::size_t>(vertex));
      }
      p->vertices[k].p.z = z;
    } else {
      p->elevation = sign * z;
      if (p->lightweight)
        for (Vertex& v : p->vertices) v.p.z = p->elevation;
    }
  } else if (auto* c = std::get_if<CircleData>(&e.data)) {
    c->center.z = sign * z;
  } else if (auto* el = std::get_if<EllipseData>(&e.data)) {
    el->center.z = z;
  } else if (auto* s = std::get_if<SplineData>(&e.data)) {
    for (Vec3& v : s->control) v.z = z;
    for (Vec3& v : s->fit) v.z = z;
  } else {
    changed = false;
  }
  if (changed) ++revision;
  return changed;
}

}  // namespace tv::drawing
