// A program with a scripted Ui and an empty working drawing, plus helpers that draw part
// outlines and read back the lines of a layer, for the tests of the sheet generators.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/program.h"
#include "drawing/drawing.h"
#include "testing/scripted_ui.h"

namespace tv::nesting::testing {

class SheetTest : public ::testing::Test {
 protected:
  SheetTest() : program(ui) { program.DXF1.Clear(); }

  // A rectangle outline of four lines at depth 0.
  void AddBox(const std::string& layer, double minX, double minY, double maxX, double maxY) {
    program.DXF1.AddLine(minX, minY, 0, minX, maxY, 0, layer);
    program.DXF1.AddLine(minX, maxY, 0, maxX, maxY, 0, layer);
    program.DXF1.AddLine(maxX, maxY, 0, maxX, minY, 0, layer);
    program.DXF1.AddLine(maxX, minY, 0, minX, minY, 0, layer);
  }

  // The lines on a layer (exact name), in drawing order.
  std::vector<drawing::SegmentItem> LinesOn(const std::string& layer) {
    std::vector<drawing::SegmentItem> lines;
    for (drawing::SegmentItem& item : program.DXF1.GetEntities1()) {
      if (item.LayerName == layer) lines.push_back(item);
    }
    return lines;
  }

  std::vector<std::string> LayerNames() {
    std::vector<std::string> names;
    drawing::LayerCollection layers = program.DXF1.Layers();
    for (int i = 1; i <= layers.Count(); ++i) names.push_back(layers.Item(i).Name());
    return names;
  }

  bool HasLayer(const std::string& name) {
    for (const std::string& layer : LayerNames()) {
      if (layer == name) return true;
    }
    return false;
  }

  test_support::ScriptedUi ui;
  core::Program program;
};

}  // namespace tv::nesting::testing
