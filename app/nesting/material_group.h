// One optimizer pass per material group: the group's sheets and parts go to a new optimizer
// object, the layouts come back one by one to the sheet builder, and the parts that found no
// place are counted for the end-of-run report.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "component/component.h"
#include "core/ui_port.h"
#include "nesting/run_values.h"
#include "sawplan/vrex.h"

namespace tv::nesting {

// The settings an optimizer pass needs, copied from the program's setting values.
struct GroupNestingSettings {
  double PerimeterMargin = 0;
  double CutOutDiameter = 0;
  double CutOutClearance = 0;
  int NestFromCorner = 0;
  int SmallPartsInside = 0;
  bool NestByCabinet = false;
};

// The records handed to the optimizer.
sawplan::tVREXSettings MakeVrexSettings(const GroupNestingSettings& settings);
// The sheet less its margin on every side; a Qty of 0 offers 999 sheets, and offcuts (Drop 1 or
// more) are offered first.
sawplan::tVREXPanelData MakePanelData(const SheetRecord& sheet, double perimeterMargin);
// Part pid (from 1). Grain on the group's last sheet keeps parts from turning unless the part
// itself may turn.
sawplan::tVREXPartData MakePartData(int pid, const GroupPart& part, bool lastSheetGrain, int sequence);

using VrexRef = component::Ref<sawplan::IVrex>;
// Makes the optimizer object of one group; on failure an empty Ref and reason says why.
using VrexFactory = std::function<VrexRef(std::string& reason)>;
// The factory of the program: the registered optimizer class, looked up in the given store.
VrexFactory RegisteredVrexFactory(std::string registryFolder);

// What the sheet builder makes of one layout.
enum class LayoutResult {
  Written,     // the layout's sheets are written; the next layout follows
  Skipped,     // nothing to write (no placed part); the next layout follows
  NotWritten,  // no sheet written (no CSV folder): the group's remaining layouts are dropped
  AbortRun,    // the whole run ends at once
};
using LayoutBuilder = std::function<LayoutResult(const sawplan::tVREXLayoutData& layout,
                                                 const std::vector<sawplan::tVREXPlacedPartData>& placed)>;

enum class GroupResult { Continue, AbortRun };

// Nests the group in run (its parts, run.GroupPartCount of them, and run.SheetList). A group
// without sheets is reported ("Alert") and dropped (GroupPartCount = 0). The optimizer's data is
// released on every way out. Afterwards FailureKind is NoLayout when no layout came back, or PartsNotPlaced
// with FailedPartCount raised by the part instances (quantities) that no written sheet holds.
GroupResult NestMaterialGroup(RunValues& run, const GroupNestingSettings& settings, core::Ui& ui,
                              const VrexFactory& createVrex, const LayoutBuilder& buildLayout);

}  // namespace tv::nesting
