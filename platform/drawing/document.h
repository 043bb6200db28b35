// Internal: the drawing's content (layers, blocks, entities) as the reader builds it and
// the writer, queries and transforms use it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "drawing/layers.h"

namespace tv::drawing {

class Document {
 public:
  Document();
  std::vector<std::unique_ptr<Layer>> layers;
  std::uint64_t generation = 1;
  std::uint64_t revision = 1;

  int LayerCount() const { return static_cast<int>(layers.size()); }
  Layer& LayerAt(int index) { return *layers.at(static_cast<std::size_t>(index)); }
  int FindLayer(std::string_view name) const;
  int AddLayer(std::string_view name);
};

}  // namespace tv::drawing
