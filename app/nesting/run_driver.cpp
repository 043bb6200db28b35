// The run lives in one procedure with two sub-steps (BuildSheetList, NestMaterialGroup) that
// share one RunValues object. It yields to the window system at its message boxes and the
// explicit event pumps, so Program::RunInProgress keeps other commands and the batch watcher
// out until it has ended.
#include "nesting/run_driver.h"

#include <cmath>
#include <exception>

#include "core/run_lock.h"
#include "files/files.h"
#include "nesting/group_rows.h"
#include "nesting/handover.h"
#include "nesting/nest_name.h"
#include "nesting/pull_list_tally.h"
#include "nesting/sheet_builder.h"
#include "nesting/sheet_list.h"
#include "settings/set_settings.h"
#include "settings/setting_lookup.h"
#include "stock/material_key.h"
#include "stock/stock_cells.h"
#include "support/folder_list.h"
#include "support/paths.h"
#include "support/sort_grid.h"
#include "text/ascii_text.h"
#include "text/number_text.h"
#include "viewer/drawing_inspection.h"
#include "viewer/viewer_procedures.h"
#include "worklist/listed_file_removal.h"
#include "worklist/work_list.h"

namespace tv::nesting {
namespace {

// The window is usable again: normal pointer, "Process" enabled.
void ReleaseWindow(core::Program& program) {
  program.ui().SetPointer(core::Pointer::Normal);
  program.Input.ProcEnabled = true;
  program.Notify(core::Change::ProcEnabled);
}

GroupNestingSettings GroupSettingsOf(const core::Program& program) {
  GroupNestingSettings settings;
  settings.PerimeterMargin = program.PerimeterMargin;
  settings.CutOutDiameter = program.CutOutDiameter;
  settings.CutOutClearance = program.CutOutClearance;
  settings.NestFromCorner = program.NestFromCorner;
  settings.SmallPartsInside = program.SmallPartsInside;
  settings.NestByCabinet = program.NestByCabinet;
  return settings;
}

void ApplyNestFont(core::Program& program) {
  // The font is the item the choice cell shows, not its index.
  const long row = settings::FindSettingRow(program, "Nest Font");
  const std::string font =
      row > 0 ? program.Settings.CellText(row, settings::kColValue) : std::string("DXF Font");
  if (text::UpperAscii(font) == "DXF FONT") {
    program.DXF1.SetUseDxfFont(true);
  } else {
    program.DXF1.SetUseDxfFont(false);
    program.DXF1.SetFontName(font);
    program.DXF1.SetFontName2(font);
  }
}

RowCells ReadRowCells(core::Program& program, long row) {
  const long maxCols = program.PList.MaxCols();
  RowCells cells(static_cast<std::size_t>(maxCols) + 1);
  for (long c = 1; c <= maxCols; ++c)
    cells[static_cast<std::size_t>(c)] = worklist::GetWorkListCell(program, row, c);
  return cells;
}

// Lays the sheet files of the run out side by side and writes "CompNest.DXF"; collects the
// hand-over's sheet lines on the way. Only the sheets this run wrote count: with the name prompt
// the nest folder is not cleared, and an older job's higher-numbered sheets of the same name
// would otherwise be handed over to be cut again.
void BuildComposite(core::Program& program, const RunValues& run, const std::string& nestFolder,
                    std::string& handOverSheets) {
  program.ui().SetStatus(core::StatusPanel::Progress, "*** Building Composite... *** ");
  std::vector<std::string> sheets;
  for (long k = 1; k <= run.SheetFileCount; ++k) {
    const std::string name =
        nestFolder + program.CurrentNestName + text::Format(static_cast<double>(k), "000") + ".DXF";
    if (!files::Exist(name)) break;
    sheets.push_back(name);
    handOverSheets += HandOverSheetLine(files::ResolvePath(name));
  }
  // Nothing was written: an older composite stays as it was rather than showing other sheets.
  if (run.SheetFileCount == 0) return;

  drawing::Drawing& dxf = program.DXF1;
  const std::vector<CompositeCell> cells = CompositeLayout(
      static_cast<long>(sheets.size()), run.SheetFileCount, run.MaxSheetLength, run.MaxSheetWidth);
  for (std::size_t k = 0; k < sheets.size(); ++k) {
    // A sheet that cannot be read leaves its place empty; the other sheets still show.
    if (!dxf.ReadDrawing(sheets[k], k == 0 ? 0 : 1, cells[k].X, cells[k].Y) && k == 0) dxf.Clear();
  }

  if (run.RunNestedArea > 0 && run.RunSheetArea > 0) {
    const std::string yield =
        "Nest Composite,  Yield: " +
        text::Format(static_cast<double>(run.RunNestedArea) / run.RunSheetArea * 100, "##.##") + "%";
    dxf.AddText(static_cast<float>(program.PerimeterMargin * 10), static_cast<float>(-(run.SheetWidth / 15)),
                yield, "Tavolin", 1, run.SheetWidth / run.TextHeightDivisor, 0, 0);
  }
  dxf.ZoomToExtents();
  viewer::ZoomExtents(program, -1);
  std::string titleKey = "Tavolin";
  std::string error;
  program.ViewerCaption = viewer::GetDrawingField(program, titleKey, &error);
  if (!error.empty()) {
    // As with a sheet that cannot be read, the composite is still built; the operator is told.
    program.ui().Tell("Composite drawing title not read:\r\n" + error, "Alert!", core::MsgIcon::Information);
    error.clear();
  }
  program.Notify(core::Change::ViewerCaption);
  const std::string path = nestFolder + "CompNest.DXF";
  if (!viewer::SaveViewerDxfAs(program, path, &error)) {
    program.ui().Tell("Composite drawing not written:\r\n" + path + "\r\n" + error, "Alert!",
                      core::MsgIcon::Information);
  }
}

void EndOfRun(core::Program& program, const RunValues& run) {
  core::Ui& ui = program.ui();
  const std::string nestFolder = support::AddBackslash(program.NestPath);

  if (run.AnyGroupKeptParts) {
    std::string handOverSheets = HandOverHead();
    BuildComposite(program, run, nestFolder, handOverSheets);

    if (!program.RunAlertText.empty() && run.FailureKind == RunFailure::None) {
      ui.Tell(program.RunAlertText, "Tavolin Alert!", core::MsgIcon::Information);
    }
    if (run.DimensionErrorFound)
      ui.Tell("Dimension Error in Worklist   ", "Tavolin Alert!", core::MsgIcon::Information);
    program.Notify(core::Change::ViewerFocus);

    if (program.GenerateBatch) {
      if (files::Exist(nestFolder + "*.*")) {
        WriteHandOver(ui, nestFolder, handOverSheets, HandOverPartsText(program.PList));
      } else {
        ui.Tell("Nest Path Not Found\r" + program.NestPath, "Alert!", core::MsgIcon::Information);
      }
    }
  }

  support::RefreshFileList(program.Input.NestList);
  program.Notify(core::Change::NestList);
  ui.ProcessEvents();
  program.JobName = worklist::GetWorkListCell(program, 1, worklist::kColJob);
  viewer::FillLayerList(program);
  ui.SetPointer(core::Pointer::Normal);

  if (run.FailureKind == RunFailure::NoLayout) {
    ui.Tell("Nesting Problem\r\nCheck Sheet Stock Dimensions or Quantities...", "Alert!",
            core::MsgIcon::Information);
  } else if (run.FailureKind == RunFailure::PartsNotPlaced) {
    ui.Tell("Nesting Problem\r\n" + text::Str(static_cast<double>(run.FailedPartCount)) +
                " Parts Failed to Nest.",
            "Alert!", core::MsgIcon::Information);
  }

  if (program.SheetStockQty && run.FailureKind == RunFailure::None &&
      ui.Message("Update Sheet Stock Quantities?", "Query", core::MsgIcon::None, core::MsgButtons::YesNo) ==
          core::MsgResult::Yes) {
    for (long row = 1; row <= program.SSList.MaxRows(); ++row) {
      const double qty = stock::GetStockQty(program, row);
      const auto index = static_cast<std::size_t>(row);
      const long used = index < program.SheetsUsedByRow.size() ? program.SheetsUsedByRow[index] : 0;
      // Qty 0 offers an unlimited supply: taking sheets from it must not make it negative.
      const double left = qty == 0 ? 0 : qty - static_cast<double>(used);
      stock::SetStockCell(program, row, stock::kColQty, text::CStr(left));
    }
  }

  if (program.MultipleBorderLayers) {
    ui.Tell("Drawings Contain More Than One Border Layer!", "Warning!", core::MsgIcon::Critical);
  }
  program.Input.ProcEnabled = true;
  program.Notify(core::Change::ProcEnabled);
  ui.SetStatus(core::StatusPanel::Progress, "");
}

}  // namespace

float TextHeightDivisorFor(const std::string& fontSizeSetting) {
  float v = static_cast<float>(text::Val(fontSizeSetting) * 10);
  if (v > 90) v = 90;
  if (!(v >= 10)) v = 10;
  return 100 - v;
}

std::vector<CompositeCell> CompositeLayout(long sheetCount, long sheetFiles, double maxSheetLength,
                                           double maxSheetWidth) {
  const long columns = static_cast<long>(text::RoundHalfEven(std::sqrt(static_cast<double>(sheetFiles))));
  std::vector<CompositeCell> cells;
  double x = 0;
  double y = 0;
  long c = 0;
  for (long k = 1; k <= sheetCount; ++k) {
    ++c;
    if (k > 1) {
      x += static_cast<double>(text::RoundHalfEven(maxSheetLength * 1.1));
      if (c > columns) {
        y += static_cast<double>(text::RoundHalfEven(maxSheetWidth * 1.2));
        x = 0;
        c = 1;
      }
    }
    cells.push_back({x, y});
  }
  return cells;
}

void Proc_Click(core::Program& program) {
  Proc_Click(program, RegisteredVrexFactory(program.RegistryFolder));
}

void Proc_Click(core::Program& program, const VrexFactory& createVrex) {
  if (program.RunInProgress) return;
  const core::RunLock running(program);
  core::Ui& ui = program.ui();

  program.NestFiles.clear();
  program.Notify(core::Change::NestFiles);
  RunValues run;
  worklist::ClearWorkListMarks(program);
  // The nest list shows the sheets as they are written.
  program.Input.NestList.BringToFront = true;
  program.Notify(core::Change::NestList);
  if (!worklist::VerifyWorkListFiles(program, true)) return;

  program.MultipleBorderLayers = false;
  ui.SetPointer(core::Pointer::Busy);
  program.Input.ProcEnabled = false;
  program.Notify(core::Change::ProcEnabled);

  try {
    program.SortOrder = 1;
    support::SortGridByColumn(program, program.PList, worklist::kColMaterial);
    settings::SetSettings(program);

    if (program.PromptForNest) {
      if (NestNameDlg(program).empty()) {
        ReleaseWindow(program);
        return;
      }
      program.CurrentNestName = program.EnteredNestName;
    }
    // The name becomes part of the sheet and CSV file names: one with a level in it would write
    // into another folder. Checked before the nest folder is cleared, so nothing changes.
    if (!program.CurrentNestName.empty() && !files::IsPlainFileName(program.CurrentNestName)) {
      ui.Tell(
          "Nest name  " + program.CurrentNestName + "  is not a valid file name\n\n         Nesting aborted",
          "Nesting Error", core::MsgIcon::Critical);
      ReleaseWindow(program);
      return;
    }

    run.TextHeightDivisor = TextHeightDivisorFor(settings::GetSettingValue(program, "Font Size"));
    ApplyNestFont(program);
    if (!program.PromptForNest) worklist::ClearDestDir(program);
    ClearPullList(program.MPL, program.PullListRowCount);
    program.SheetsUsedByRow.assign(static_cast<std::size_t>(program.SSList.MaxRows()) + 1, 0);

    const GroupNestingSettings groupSettings = GroupSettingsOf(program);
    const LayoutBuilder buildLayout = [&program, &run](
                                          const sawplan::tVREXLayoutData& layout,
                                          const std::vector<sawplan::tVREXPlacedPartData>& placed) {
      return BuildLayoutSheets(program, run, layout, placed);
    };
    // False when the run was aborted inside the group.
    auto nestGroup = [&]() {
      if (NestMaterialGroup(run, groupSettings, ui, createVrex, buildLayout) == GroupResult::AbortRun)
        return false;
      if (run.GroupPartCount != 0) run.AnyGroupKeptParts = true;
      return true;
    };

    const long maxRows = program.PList.MaxRows();
    for (long r = 1; r <= maxRows; ++r) {
      const RowCells cells = ReadRowCells(program, r);
      if (!RowIsTaken(cells)) continue;
      // Without a size the optimizer cannot place the part; the row is shown red and reported.
      if (text::Val(cells[worklist::kColLength]) <= 0 || text::Val(cells[worklist::kColWidth]) <= 0) {
        worklist::MarkWorkListRow(program, r);
        run.DimensionErrorFound = true;
        continue;
      }
      const std::string key = stock::CleanName(cells[worklist::kColMaterial]);
      if (key != run.GroupMaterial) {
        if (!run.GroupMaterial.empty() && !nestGroup()) {
          ReleaseWindow(program);
          return;
        }
        run.GroupMaterial = key;
        BuildSheetList(program, run);
        run.GroupPartCount = 0;
        run.Parts.clear();
      }
      run.Parts.push_back(MakeGroupPart(cells, r, run.GroupMaterial));
      run.GroupPartCount = static_cast<long>(run.Parts.size());
    }
    if (run.GroupPartCount > 0 && !nestGroup()) {
      ReleaseWindow(program);
      return;
    }

    EndOfRun(program, run);
  } catch (const std::exception& error) {
    // The drawing engine's failures end the run with what is written so far, as a missing
    // drawing does.
    ui.Tell(std::string("Nesting failed: ") + error.what() + "\n\n         Nesting aborted", "Nesting Error",
            core::MsgIcon::Critical);
    ReleaseWindow(program);
  }
}

}  // namespace tv::nesting
