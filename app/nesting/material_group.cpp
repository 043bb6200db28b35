// The optimizer keeps one state per loaded library, so every pass ends with ReleaseData before
// the next group's Initialize, whichever way the pass ends.
#include "nesting/material_group.h"

#include <algorithm>
#include <utility>

#include "nesting/group_rows.h"
#include "text/number_text.h"

namespace tv::nesting {
namespace {

constexpr int kUnlimitedSheets = 999;

// Calls ReleaseData when the pass is left, also by an exception from the sheet builder.
class ReleaseOnExit {
 public:
  explicit ReleaseOnExit(sawplan::IVrex* vrex) : vrex_(vrex) {}
  ReleaseOnExit(const ReleaseOnExit&) = delete;
  ReleaseOnExit& operator=(const ReleaseOnExit&) = delete;
  ~ReleaseOnExit() { vrex_->ReleaseData(); }

 private:
  sawplan::IVrex* vrex_;
};

}  // namespace

sawplan::tVREXSettings MakeVrexSettings(const GroupNestingSettings& settings) {
  sawplan::tVREXSettings record{};
  record.max_runtime = 10;
  record.max_num_iters = 700;
  record.minimize_number_of_layouts = 0;
  record.use_one_panel_if_possible = 0;
  // The kerf goes over as at most four decimals, as the operator's settings are typed.
  record.saw_kerf = text::Val(text::Format(settings.CutOutDiameter + settings.CutOutClearance, "##.####"));
  record.max_saw_cuttingwidth = 99999.9;
  record.min_stockutilization = 0.7;
  record.start_corner = settings.NestFromCorner;
  record.small_parts_inside = settings.SmallPartsInside;
  return record;
}

sawplan::tVREXPanelData MakePanelData(const SheetRecord& sheet, double perimeterMargin) {
  sawplan::tVREXPanelData record{};
  record.length = sheet.Length - 2 * perimeterMargin;
  record.width = sheet.Width - 2 * perimeterMargin;
  record.drilling_area_length = record.length;
  record.drilling_area_width = record.width;
  record.instock = sheet.Drop;
  record.sequence = sheet.Drop >= 1 ? 1 : 2;
  record.num = sheet.Qty == 0 ? kUnlimitedSheets : sheet.Qty;
  return record;
}

sawplan::tVREXPartData MakePartData(int pid, const GroupPart& part, bool lastSheetGrain, int sequence) {
  sawplan::tVREXPartData record{};
  record.pid = pid;
  record.length = part.Length;
  record.width = part.Width;
  record.turnable = (lastSheetGrain ? 0 : 1) | part.Rotatable;
  record.drilling_required = 0;
  record.drill_length = part.Length;
  record.drill_width = part.Width;
  record.drill_length_turned = part.Width;
  record.drill_width_turned = part.Length;
  record.sequence = sequence;
  record.maxnumperpanel = part.Qty;
  record.num = part.Qty;
  return record;
}

VrexFactory RegisteredVrexFactory(std::string registryFolder) {
  return [folder = std::move(registryFolder)](std::string& reason) {
    const registry::Registry store(folder.empty() ? registry::StoreFolder() : std::filesystem::path(folder));
    VrexRef vrex;
    const component::Status status =
        component::CreateInstance<sawplan::IVrex>(sawplan::kClsidVrex, sawplan::kIidIVrex, &vrex, store);
    if (!status.Ok() || !vrex) {
      reason = status.message.empty() ? "The layout optimizer could not be created." : status.message;
      return VrexRef();
    }
    return vrex;
  };
}

GroupResult NestMaterialGroup(RunValues& run, const GroupNestingSettings& settings, core::Ui& ui,
                              const VrexFactory& createVrex, const LayoutBuilder& buildLayout) {
  const long n = run.GroupPartCount;
  if (n <= 0) return GroupResult::Continue;
  const long m = static_cast<long>(run.SheetList.size());
  if (m == 0) {
    ui.Tell("Requested material is unavailable for these parts. \r" + run.Parts.front().Material, "Alert",
            core::MsgIcon::Information);
    run.GroupPartCount = 0;
    return GroupResult::Continue;
  }

  std::string reason;
  VrexRef vrex = createVrex(reason);
  if (!vrex) {
    ui.Tell("The layout optimizer is not available:\r\n" + reason + "\r\n\r\n         Nesting aborted",
            "Nesting Error", core::MsgIcon::Critical);
    return GroupResult::AbortRun;
  }

  const std::vector<int> sequence =
      settings.NestByCabinet ? CabinetSequence(run.Parts) : std::vector<int>(run.Parts.size(), 1);

  vrex->Initialize(static_cast<int32_t>(m), static_cast<int32_t>(n), 0);
  const ReleaseOnExit release(vrex.Get());

  const sawplan::tVREXSettings vrexSettings = MakeVrexSettings(settings);
  vrex->PutSettings(&vrexSettings);
  run.SawKerf = static_cast<float>(vrexSettings.saw_kerf);

  for (const SheetRecord& sheet : run.SheetList) {
    const sawplan::tVREXPanelData panel = MakePanelData(sheet, settings.PerimeterMargin);
    vrex->PutPanel(&panel);
  }

  const bool lastSheetGrain = run.SheetList.back().Grain;
  long groupPartTotal = 0;
  for (long i = 1; i <= n; ++i) {
    const auto index = static_cast<std::size_t>(i - 1);
    const sawplan::tVREXPartData part =
        MakePartData(static_cast<int>(i), run.Parts[index], lastSheetGrain, sequence[index]);
    vrex->PutPart(&part);
    groupPartTotal += run.Parts[index].Qty;
  }

  ui.SetStatus(core::StatusPanel::Progress, "*** Standby... Calculating Nesting Co-ordinates for " +
                                                std::to_string(groupPartTotal) + " Parts...*** ");
  ui.ProcessEvents();

  // Optimize may take seconds; the window keeps answering meanwhile. The optimizer object is
  // used only by the work until it returns.
  ui.RunWhileHandlingEvents([&vrex] { vrex->Optimize(0); });
  int32_t count = 0;
  vrex->GetNumLayouts(&count);
  ui.SetStatus(core::StatusPanel::Progress, "*** Merging Parts Into Nested Sheets...*** ");

  long placedInstances = 0;
  for (int32_t k = 0; k < count; ++k) {
    sawplan::tVREXLayoutData layout{};
    vrex->GetLayout(k, &layout);
    std::vector<sawplan::tVREXPlacedPartData> placed(
        static_cast<std::size_t>(std::max(layout.numplacedparts, 0)));
    for (int32_t p = 0; p < layout.numplacedparts; ++p) {
      vrex->GetPlacedPart(k, p, &placed[static_cast<std::size_t>(p)]);
    }
    const LayoutResult result = buildLayout(layout, placed);
    if (result == LayoutResult::AbortRun) return GroupResult::AbortRun;
    if (result == LayoutResult::NotWritten) break;
    if (result == LayoutResult::Skipped) continue;
    placedInstances += static_cast<long>(layout.numplacedparts) * layout.numused;
  }

  if (count == 0) {
    run.FailureKind = RunFailure::NoLayout;
  } else if (groupPartTotal - placedInstances > 0) {
    run.FailedPartCount += groupPartTotal - placedInstances;
    run.FailureKind = RunFailure::PartsNotPlaced;
  }
  return GroupResult::Continue;
}

}  // namespace tv::nesting
