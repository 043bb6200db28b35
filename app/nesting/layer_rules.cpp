// Layer renaming and flagging of a nested sheet.
#include "nesting/layer_rules.h"

#include <string>
#include <string_view>

#include "drawing/drawing.h"
#include "text/ascii_text.h"
#include "text/number_pattern.h"
#include "text/number_text.h"
#include "viewer/drawing_inspection.h"

namespace tv::nesting {
namespace {

void ReplaceAll(std::string& text, char from, char to) {
  for (char& c : text) {
    if (c == from) c = to;
  }
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// Whether the depth after the first "Z" of a ROUTE or VBORE layer name lies beyond the limit;
// newName is then the name with that depth replaced by the limit.
bool LimitDepthCode(const std::string& name, float limit, std::string& newName) {
  // "P" stands for the decimal point in layer names.
  std::string copy = name;
  ReplaceAll(copy, 'P', '.');
  const size_t z = text::UpperAscii(copy).find('Z');
  if (z == std::string::npos) return false;
  const size_t pos = z + 1;
  // Compared at the precision the limit has: a code equal to the limit is not an excess.
  const float depth = static_cast<float>(text::Val(std::string_view(copy).substr(pos)));
  if (!(depth > limit)) return false;
  size_t end = pos;
  while (end < copy.size() && (std::isdigit(static_cast<unsigned char>(copy[end])) || copy[end] == '.'))
    ++end;
  newName = copy.substr(0, pos) + text::CStrSingle(limit) + copy.substr(end);
  ReplaceAll(newName, '.', 'P');
  return true;
}

}  // namespace

void TagBorderLayers(core::Program& program, long partNumber, double smallArea) {
  // Measured against sizes of 0: only the size matters here, the mismatch flag does not.
  double length = 0, width = 0, thickness = 0;
  viewer::MeasureBorder(program, length, width, thickness);
  char partClass = length * width >= smallArea ? 'L' : 'S';

  drawing::LayerCollection layers = program.DXF1.Layers();
  for (int i = 1; i <= layers.Count(); ++i) {
    drawing::Layer& layer = layers.Item(i);
    const std::string& name = layer.Name();
    if (name.size() < 6 || text::UpperAscii(name.substr(0, 6)) != "BORDER") continue;
    if (Contains(name, "OS")) partClass = 'S';
    if (Contains(text::UpperAscii(name), "NB")) {
      layer.SetName(std::string(1, partClass) + "_Nested_Part_000");
    } else {
      layer.SetName(std::string(1, partClass) + "_Nested_Part_" +
                    text::Format(static_cast<double>(partNumber), "000"));
    }
    break;
  }
}

void ZLimit(core::Program& program, float thickness) {
  const float limit = static_cast<float>(thickness + program.CutOutDepthPlus);
  program.RunAlertText.clear();

  drawing::LayerCollection layers = program.DXF1.Layers();
  for (int i = 1; i <= layers.Count(); ++i) {
    drawing::Layer& layer = layers.Item(i);
    const std::string upper = text::UpperAscii(layer.Name());
    if (!Contains(upper, "ROUTE") && !Contains(upper, "VBORE")) continue;
    std::string newName;
    if (!LimitDepthCode(layer.Name(), limit, newName)) continue;
    if (program.ZLimitOn) {
      layer.SetName(newName);
      program.RunAlertText = "Cut exceeded depth limit. Depth Adjusted.";
    } else {
      program.RunAlertText = "Cut exceeded depth limit. Depth NOT Adjusted.";
    }
  }

  // Bores keep their depths: only lines on route layers are held to the limit.
  auto limitItems = [&](std::vector<drawing::SegmentItem> items) {
    for (drawing::SegmentItem& item : items) {
      if (!Contains(text::UpperAscii(item.LayerName), "ROUTE")) continue;
      for (const bool first : {true, false}) {
        const float z = first ? item.Z1 : item.Z2;
        if (!(z > limit)) continue;
        if (program.ZLimitOn) {
          if (first) {
            item.SetZ1(limit);
          } else {
            item.SetZ2(limit);
          }
          program.RunAlertText = "Route exceeded depth limit. Depth Adjusted.";
        } else {
          program.RunAlertText = "Route exceeded depth limit. Depth NOT Adjusted.";
        }
      }
    }
  };
  limitItems(program.DXF1.GetEntities1());
  limitItems(program.DXF1.GetEntities2());
}

void SetRoute1(core::Program& program) {
  drawing::LayerCollection layers = program.DXF1.Layers();
  for (int i = 1; i <= layers.Count(); ++i) {
    drawing::Layer& layer = layers.Item(i);
    const std::string& name = layer.Name();
    if (name.size() < 5 || text::UpperAscii(name.substr(0, 5)) != "ROUTE") continue;
    const bool hasOrder = name.size() > 5 && name[5] >= '1' && name[5] <= '9';
    if (!hasOrder) layer.SetName("Route299" + name.substr(5));
  }
}

void StripLayers(core::Program& program) {
  drawing::LayerCollection layers = program.DXF1.Layers();
  for (int i = 1; i <= layers.Count(); ++i) {
    drawing::Layer& layer = layers.Item(i);
    const std::string start = text::UpperAscii(std::string_view(layer.Name()).substr(0, 4));
    if (start == "DESC" || start == "NAME" || start == "BARC" || Contains(start, "L_") ||
        Contains(start, "S_")) {
      layer.SetStripped(true);
    }
  }
}

}  // namespace tv::nesting
