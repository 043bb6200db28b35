#include "instance_fixture.h"

#include <cstdio>

#include "testing/draw.h"

namespace sawplan::fixture {

namespace {

using tv::test_support::Uniform;

void AppendHex(std::string* text, double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, " %a", value);
  *text += buffer;
}

}  // namespace

tVREXSettings NestingSettings() {
  tVREXSettings settings{};
  settings.max_runtime = 10;
  settings.max_num_iters = 700;
  settings.saw_kerf = 0;
  settings.max_saw_cuttingwidth = 99999.9;
  settings.min_stockutilization = 0.7;
  return settings;
}

tVREXPanelData Panel(double length, double width, int32_t num, int32_t sequence, int32_t instock) {
  tVREXPanelData panel{};
  panel.length = length;
  panel.width = width;
  panel.drilling_area_length = length;
  panel.drilling_area_width = width;
  panel.instock = instock;
  panel.sequence = sequence;
  panel.num = num;
  return panel;
}

tVREXPartData Part(int32_t pid, double length, double width, int32_t num, int32_t turnable,
                   int32_t sequence) {
  tVREXPartData part{};
  part.pid = pid;
  part.length = length;
  part.width = width;
  part.turnable = turnable;
  part.drill_length = length;
  part.drill_width = width;
  part.drill_length_turned = width;
  part.drill_width_turned = length;
  part.sequence = sequence;
  part.maxnumperpanel = num;
  part.num = num;
  return part;
}

RunResult RunJob(Optimizer& optimizer, const Instance& instance) {
  optimizer.Initialize(static_cast<int32_t>(instance.panels.size()),
                       static_cast<int32_t>(instance.parts.size()), 0);
  optimizer.PutSettings(instance.settings);
  for (const tVREXPanelData& panel : instance.panels) optimizer.PutPanel(panel);
  for (const tVREXPartData& part : instance.parts) optimizer.PutPart(part);
  optimizer.Optimize(0);
  RunResult result;
  result.progress = optimizer.GetProgress();
  for (int32_t k = 0; k < optimizer.GetNumLayouts(); ++k) {
    ReadLayout read;
    optimizer.GetLayout(k, &read.layout);
    read.parts.resize(read.layout.numplacedparts);
    for (int32_t p = 0; p < read.layout.numplacedparts; ++p) optimizer.GetPlacedPart(k, p, &read.parts[p]);
    result.layouts.push_back(std::move(read));
  }
  optimizer.ReleaseData();
  return result;
}

Instance RandomInstance(std::mt19937& random, bool varySettings, int32_t maxPartTypes) {
  Instance instance;
  instance.settings = NestingSettings();
  instance.settings.max_num_iters = 60;
  if (varySettings) {
    instance.settings.saw_kerf = Uniform(random, 0, 4) * 0.5;
    instance.settings.start_corner = Uniform(random, 0, 3);
    instance.settings.small_parts_inside = Uniform(random, 0, 1);
    instance.settings.minimize_number_of_layouts = Uniform(random, 0, 1);
    instance.settings.use_one_panel_if_possible = Uniform(random, 0, 1);
    if (Uniform(random, 0, 3) == 0) instance.settings.max_saw_cuttingwidth = Uniform(random, 600, 1000);
  }
  static const double kSheets[][2] = {{2440, 1220}, {2800, 2070}, {3050, 1530}, {1830, 915}};
  const int32_t sheetTypes = Uniform(random, 1, 3);
  for (int32_t s = 0; s < sheetTypes; ++s) {
    const auto& sheet = kSheets[Uniform(random, 0, 3)];
    const int32_t instock = varySettings && Uniform(random, 0, 4) == 0 ? 1 : 0;
    instance.panels.push_back(
        Panel(sheet[0], sheet[1], Uniform(random, 1, 30), instock != 0 ? 1 : 2, instock));
    if (varySettings && Uniform(random, 0, 2) == 0) {
      instance.panels.back().drilling_area_length = sheet[0] * 0.8;
      instance.panels.back().drilling_area_width = sheet[1] * 0.9;
    }
  }
  const int32_t partTypes = Uniform(random, 1, maxPartTypes);
  for (int32_t p = 0; p < partTypes; ++p) {
    // Cabinet sides, shelves, doors, drawer fronts and fillers, in whole and half millimetres.
    const double length = Uniform(random, 60, 2400) + 0.5 * Uniform(random, 0, 1);
    const double width = Uniform(random, 40, 900);
    tVREXPartData part = Part(p + 1, length, width, Uniform(random, 1, 12), Uniform(random, 0, 1),
                              varySettings ? Uniform(random, 1, 2) : 1);
    if (varySettings && Uniform(random, 0, 5) == 0) part.maxnumperpanel = Uniform(random, 1, part.num);
    if (varySettings && Uniform(random, 0, 4) == 0) {
      part.drilling_required = 1;
      part.drill_length = length * 0.5;
      part.drill_width = width * 0.5;
      part.drill_length_turned = width * 0.5;
      part.drill_width_turned = length * 0.5;
    }
    instance.parts.push_back(part);
  }
  return instance;
}

std::string Fingerprint(const RunResult& result) {
  std::string text;
  for (const ReadLayout& read : result.layouts) {
    text += "L " + std::to_string(read.layout.panelindex) + " " + std::to_string(read.layout.numused) + " " +
            std::to_string(read.layout.numplacedparts) + "\n";
    for (const tVREXPlacedPartData& part : read.parts) {
      text += "  " + std::to_string(part.pid);
      AppendHex(&text, part.length);
      AppendHex(&text, part.width);
      AppendHex(&text, part.lengthcoord);
      AppendHex(&text, part.widthcoord);
      text += "\n";
    }
  }
  return text;
}

}  // namespace sawplan::fixture
