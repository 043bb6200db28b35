// The operations behind IVrex: filling the tables, reading the results, the trace log lines
// of each call, and the one optimizer the loaded library keeps for the whole process.
#include <algorithm>

#include "optimizer.h"

namespace sawplan {

Optimizer& ModuleOptimizer() {
  static Optimizer optimizer;
  return optimizer;
}

void Optimizer::Initialize(int32_t numpanels, int32_t numparts, int32_t useLogfile) {
  logRequested = (useLogfile == 1);
  if (logRequested) {
    log.OpenLogFile();
    LogText("Log file opened");
    LogInt("# Panels", numpanels);
    LogInt("# Parts ", numparts);
  } else {
    log.CloseLogFile();
  }
  progress = {};
  panels.assign(std::max(0, numpanels), tVREXPanelData{});
  parts.assign(std::max(0, numparts), tVREXPartData{});
  numPanels = 0;
  numParts = 0;
  stop = false;
}

void Optimizer::PutSettings(const tVREXSettings& newSettings) {
  settings = newSettings;
  if (settings.min_stockutilization < 1.0) settings.min_stockutilization = 1.0;
  LogInt("max_runtime", newSettings.max_runtime);
  LogInt("max_num_iters", newSettings.max_num_iters);
  LogInt("minimize_number_of_layouts", newSettings.minimize_number_of_layouts);
  LogInt("use_one_panel_if_possible", newSettings.use_one_panel_if_possible);
  LogReal("saw_kerf", newSettings.saw_kerf);
  LogReal("max_saw_cuttingwidth", newSettings.max_saw_cuttingwidth);
  LogReal("min_stockutilization", newSettings.min_stockutilization);
  LogInt("start_corner", newSettings.start_corner);
  LogInt("small_parts_inside", newSettings.small_parts_inside);
}

void Optimizer::PutPanel(const tVREXPanelData& panel) {
  // The table holds exactly the capacity given to Initialize; a call beyond it is dropped
  // rather than written past the end.
  if (numPanels < static_cast<int32_t>(panels.size())) panels[numPanels++] = panel;
  LogReal("=== Panel - length", panel.length);
  LogReal("width", panel.width);
  LogInt("num", panel.num);
  LogReal("drilling_area_length", panel.drilling_area_length);
  LogReal("drilling_area_width", panel.drilling_area_width);
  LogInt("instock", panel.instock);
  LogInt("sequence", panel.sequence);
}

void Optimizer::PutPart(const tVREXPartData& part) {
  if (numParts < static_cast<int32_t>(parts.size())) parts[numParts++] = part;
  LogInt("=== Part - pid", part.pid);
  LogInt("num", part.num);
  LogReal("length", part.length);
  LogReal("width", part.width);
  LogInt("turnable", part.turnable);
  LogInt("drilling_required", part.drilling_required);
  LogReal("drill_length", part.drill_length);
  LogReal("drill_width", part.drill_width);
  LogReal("drill_length_turned", part.drill_length_turned);
  LogReal("drill_width_turned", part.drill_width_turned);
  LogInt("sequence", part.sequence);
  LogInt("maxnumperpanel", part.maxnumperpanel);
}

void Optimizer::GetLayout(int32_t layoutIndex, tVREXLayoutData* layout) {
  // Indexes outside the stored layouts read as an empty layout instead of stray memory.
  tVREXLayoutData data{};
  if (layoutIndex >= 0 && layoutIndex < static_cast<int32_t>(results.size())) {
    const StoredLayout& stored = results[layoutIndex];
    data = {stored.panelIndex, stored.repeatCount, stored.placedCount};
  }
  LogInt("=== Get Layout", layoutIndex);
  LogInt("panelindex", data.panelindex);
  LogInt("numused", data.numused);
  LogInt("numplacedparts", data.numplacedparts);
  if (layout != nullptr) *layout = data;
}

void Optimizer::GetPlacedPart(int32_t layoutIndex, int32_t partIndex, tVREXPlacedPartData* placedPart) {
  tVREXPlacedPartData data{};
  if (layoutIndex >= 0 && layoutIndex < static_cast<int32_t>(results.size()) && partIndex >= 0 &&
      partIndex < static_cast<int32_t>(results[layoutIndex].parts.size())) {
    data = results[layoutIndex].parts[partIndex];
  }
  LogInt("== Get Part", partIndex);
  LogInt("pid", data.pid);
  LogReal("length", data.length);
  LogReal("width", data.width);
  LogReal("lengthcoord", data.lengthcoord);
  LogReal("widthcoord", data.widthcoord);
  if (placedPart != nullptr) *placedPart = data;
}

void Optimizer::ReleaseData() {
  LogText("=== Releasing data");
  LogText("Closing log file");
  log.CloseLogFile();
  logRequested = false;
  FreeDemandArrays();
  // Forget every table, so nothing of this run can be read or freed again by the next one.
  std::vector<StoredLayout>().swap(results);
  numLayouts = 0;
  std::vector<tVREXPanelData>().swap(panels);
  std::vector<tVREXPartData>().swap(parts);
  numPanels = 0;
  numParts = 0;
  DiscardBlocks();
}

}  // namespace sawplan
