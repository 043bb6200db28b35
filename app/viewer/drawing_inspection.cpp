#include "viewer/drawing_inspection.h"

#include <cmath>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "files/path_resolve.h"
#include "text/ascii_text.h"
#include "text/number_pattern.h"
#include "text/number_text.h"
#include "viewer/border_code.h"
#include "viewer/comment_block.h"

namespace tv::viewer {
namespace {

bool IsBorderLayer(const std::string& name) {
  return name.size() >= 6 && text::UpperAscii(std::string_view(name).substr(0, 6)) == "BORDER";
}

// Extremes of the segment items; a value replaces an extreme only when it lies strictly
// beyond it at single precision. Both ends of every segment count, so an outline is measured
// whatever direction its pieces were drawn in.
struct Extremes {
  double minX, maxX, maxY, minY;

  void Take(const drawing::SegmentItem& item) {
    for (const float x : {item.X1, item.X2}) {
      if (x < static_cast<float>(minX)) minX = x;
      if (x > static_cast<float>(maxX)) maxX = x;
    }
    for (const float y : {item.Y1, item.Y2}) {
      if (y > static_cast<float>(maxY)) maxY = y;
      if (y < static_cast<float>(minY)) minY = y;
    }
  }
};

// Both item lists in the order the inspection visits them: other outline entities first,
// then lines.
std::vector<drawing::SegmentItem> AllSegments(drawing::Drawing& drawing) {
  std::vector<drawing::SegmentItem> items = drawing.GetEntities2();
  std::vector<drawing::SegmentItem> lines = drawing.GetEntities1();
  items.insert(items.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
  return items;
}

// At most three decimals, as the work list shows measured sizes.
double RoundMeasure(double value) {
  return text::Val(text::Format(value, "##.0##"));
}

// The path of an existing regular file as the file system names it; nothing otherwise.
std::optional<std::string> FindExistingFile(const std::string& path) {
  if (path.empty()) return std::nullopt;
  std::optional<std::string> found = files::FindExisting(path);
  std::error_code ec;
  if (!found || !std::filesystem::is_regular_file(*found, ec)) return std::nullopt;
  return found;
}

}  // namespace

void MeasureBorder(core::Program& program, double& length, double& width, double& thickness) {
  Extremes ext{999999999.0, -999999999.0, -999999999.0, 999999999.0};
  double measuredThickness = 0;
  std::string previousLayer;
  for (const drawing::SegmentItem& item : AllSegments(program.DXF1)) {
    if (!IsBorderLayer(item.LayerName)) continue;
    // The first BORDER layer whose name yields a code fixes the thickness.
    if (measuredThickness == 0) measuredThickness = ParseBorderThickness(item.LayerName);
    ext.Take(item);
    if (!previousLayer.empty() && previousLayer != item.LayerName) program.MultipleBorderLayers = true;
    previousLayer = item.LayerName;
  }

  program.BorderMinX = ext.minX;
  program.BorderMinY = ext.minY;
  if (program.DimensionTolerance == 0) program.DimensionTolerance = 2;

  const double dx = ext.maxX - ext.minX;
  const double dy = ext.maxY - ext.minY;
  program.BorderSizeMismatch = std::fabs(length - dx) > program.DimensionTolerance ||
                               std::fabs(width - dy) > program.DimensionTolerance;

  length = dx < 0 ? 0 : RoundMeasure(dx);
  width = dy < 0 ? 0 : RoundMeasure(dy);
  thickness = RoundMeasure(measuredThickness);
}

std::string GetLayerExtents(core::Program& program, const std::string& layerKey, float& minX, float& maxX,
                            float& maxY, float& minY) {
  Extremes ext{1e9, -1e9, -1e9, 1e9};
  const std::string key = text::UpperAscii(layerKey);
  std::string lastLayer;
  for (const drawing::SegmentItem& item : AllSegments(program.DXF1)) {
    std::string layer = text::UpperAscii(item.LayerName);
    if (layer.find(key) == std::string::npos) continue;
    ext.Take(item);
    lastLayer = std::move(layer);
  }
  minX = static_cast<float>(ext.minX);
  maxX = static_cast<float>(ext.maxX);
  maxY = static_cast<float>(ext.maxY);
  minY = static_cast<float>(ext.minY);
  return lastLayer;
}

std::string GetDrawingField(core::Program& program, std::string& key, std::string* error) {
  key = text::UpperAscii(key);
  if (key == "TAVOLIN") {
    const std::optional<std::string> file = FindExistingFile(program.DXF1.DrawingFile());
    // A block that cannot be read is no block: the fields of the drawing read before it would
    // be taken for this one's.
    if (file && !ReadCommentBlockFile(*file, program.DrawingCommentText, error)) return {};
  }

  std::string value;
  const std::string& block = program.DrawingCommentText;
  const std::size_t keyPos = text::UpperAscii(block).find(key);
  if (keyPos != std::string::npos) {
    // The value runs from the colon after the key to the next comma; without a colon it is
    // the text before the block's first comma.
    const std::size_t colon = block.find(':', keyPos);
    const std::size_t from = colon == std::string::npos ? 0 : colon + 1;
    const std::size_t comma = block.find(',', from);
    value = block.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
  }

  if (value.empty()) {
    for (const drawing::TextItem& text : program.DXF1.GetTexts()) {
      if (!text.Txt.empty() && text::UpperAscii(text.LayerName).find(key) != std::string::npos) {
        value = text.Txt;
        break;
      }
    }
  }
  return text::TrimBlanks(value);
}

}  // namespace tv::viewer
