#include "worklist/input_window.h"

#include <vector>

#include "files/files.h"
#include "grid/grid.h"
#include "settings/settings.h"
#include "support/folder_list.h"
#include "support/ini.h"
#include "support/paths.h"
#include "support/sort_grid.h"
#include "text/number_text.h"
#include "viewer/viewer_procedures.h"
#include "worklist/listed_file_removal.h"
#include "worklist/row_builder.h"
#include "worklist/work_list.h"

namespace tv::worklist {
namespace {

constexpr double kSplashSeconds = 3;

// The operator picked the drawing: one that cannot be shown says why.
void ShowPickedDrawing(core::Program& program, const std::string& path) {
  std::string error;
  if (!viewer::ShowDxf(program, path, &error))
    program.ui().Tell("Drawing not shown:\r\n" + error, "Alert!", core::MsgIcon::Information);
}
constexpr double kSecondsPerDay = 86400;

void WaitForSplash(core::Program& program) {
  core::Ui& ui = program.ui();
  const double left = SplashSecondsLeft(program.SplashStart, ui.TimeOfDay());
  if (left > 0) ui.WaitWithoutEvents(left);
  ui.CloseSplash();
}

// The rows of the operator's first selected block, or the active row when nothing is selected.
void SelectedRows(grid::Grid& g, long& first, long& last) {
  if (g.SelectionCount() > 0) {
    const grid::Block block = g.Selection(0);
    first = block.row < 1 ? 1 : block.row;
    last = block.row2 < 1 ? g.MaxRows() : block.row2;
  } else {
    first = last = g.ActiveRow();
  }
}

void DeleteSelectedWorkListRows(core::Program& program) {
  if (program.ui().Ask("Delete selected entries in Process List?", "Query")) {
    grid::Grid& g = program.PList;
    g.DoAction(grid::ActionCode::EndEdit);
    if (g.IsBlockSelected() || g.SelectionCount() != 0) {
      g.SetBlockSelect(true);
      for (long index = 0; index < g.SelectionCount(); ++index) {
        g.SetSelectionIndex(index);
        g.DoAction(grid::ActionCode::DeleteRows);
      }
      g.SetBlockSelect(false);
    }
    // Ticked rows may be gone.
    UpdateProcButton(program);
  }
  DeselectWorkList(program);
  if (GetWorkListCell(program, 1, kColFileName).empty()) program.BatchUnitState = 0;
}

void CheckUncheckSelectedRows(core::Program& program) {
  grid::Grid& g = program.PList;
  long first = 0;
  long last = 0;
  SelectedRows(g, first, last);
  if (first < 1 || first > g.MaxRows() || g.CellKindAt(first, kColOk) != grid::Kind::CheckBox) return;
  const bool ticked = text::Val(GetWorkListCell(program, first, kColOk)) != 0;
  for (long row = first; row <= last && row <= g.MaxRows(); ++row) {
    SetWorkListCell(program, row, kColOk, ticked ? "0" : "1");
  }
}

}  // namespace

double SplashSecondsLeft(double splashStart, double now) {
  double elapsed = now - splashStart;
  if (elapsed < 0) elapsed += kSecondsPerDay;
  return elapsed < kSplashSeconds ? kSplashSeconds - elapsed : 0;
}

InputWindowLoad InputWindow_Load(core::Program& program) {
  // The settings grid is part of this window: its handlers are there before it is filled.
  settings::InstallSettingsEvents(program);
  program.MetricUnits = true;

  std::string name = support::ReadIni(program, "Config", "CfgFile");
  if (name.empty()) name = "Tavo.CFG";
  // A name is one file, never a pattern that Exist would match against others.
  std::string configFile = program.AppDir + name;
  if (files::HasWildcards(name) || !files::Exist(configFile)) configFile = program.AppDir + "Plat.CFG";
  if (!files::Exist(configFile)) {
    // The message names the default file, whichever one the INI file asked for.
    program.ui().Tell(program.AppDir + "Tavo.CFG\r\rConfiguration file not found", "",
                      core::MsgIcon::Critical);
    return InputWindowLoad::NoConfiguration;
  }
  // Nothing earlier to keep at start-up: the settings read before a fault are used, but the
  // file is not written over at shut-down until the operator saves or loads settings.
  std::string loadError;
  const bool loadedWhole =
      settings::LoadSettingsCSV(program, configFile, &loadError, grid::PartialLoad::KeepRowsRead);
  program.ConfigMayBeWrittenBack = loadedWhole;
  settings::SetSettings(program);
  WaitForSplash(program);
  if (!loadedWhole) {
    program.ui().Tell(settings::ConfigNotLoadedText(configFile, loadError), "Alert", core::MsgIcon::Critical);
  }
  program.FrameSetCaption = support::GetFileName(configFile);
  program.Notify(core::Change::FrameSetCaption);

  program.DimensionTolerance = text::Val(support::ReadIni(program, "Config", "DimensionTolerance"));

  program.Input.SourceList.Pattern = "*.DXF";
  program.Input.NestList.Pattern = "*.DXF";
  SPath_Change(program, support::ReadIni(program, "Config", "SourceDir"));
  program.Input.SourceFolderTip = program.Input.SourceFolderText;
  program.Notify(core::Change::SourceFolder);

  if (program.NestPath.size() < 4) {
    program.NestPath = program.AppDir + "Nests/";
    files::MakeDir(program.NestPath);
    settings::SetSettingValue(program, "NEST PATH", program.NestPath);
  }
  if (program.CsvPath.size() < 2) {
    program.CsvPath = program.AppDir + "CSV/";
    files::MakeDir(program.CsvPath);
    settings::SetSettingValue(program, "CSV Path", program.CsvPath);
  }
  if (files::Exist(program.NestPath + "*.*")) {
    support::SetFileListPath(program.Input.NestList, program.NestPath);
    program.Notify(core::Change::NestList);
  } else {
    program.ui().Tell("Nest Path Not Found\r" + program.NestPath, "Alert!", core::MsgIcon::Information);
  }

  // A batch request left from before the start is never taken. Without a source folder there
  // is no request (the bare name would be the working folder's file).
  const std::string& source = program.Input.SourceFolderText;
  if (!source.empty()) DeleteListedFile(source, "Batch.lst");

  SetUpWorkListGrid(program, 0);
  program.PList.SetMultiSelect(true);
  InstallWorkListEvents(program);
  return InputWindowLoad::Loaded;
}

void InstallWorkListEvents(core::Program& program) {
  grid::GridEvents& events = program.PList.Events();
  events.ButtonClicked = [&program](long col, long row, int state) {
    PList_ButtonClicked(program, col, row, state);
  };
  events.DblClick = [&program](long col, long row) { PList_DblClick(program, col, row); };
  events.GotFocus = [&program] { PList_GotFocus(program); };
  events.TextTipFetch = [&program](long, long, std::string& tip, bool& show) {
    show = PList_TextTipFetch(program, tip);
  };
}

void SPath_Change(core::Program& program, const std::string& text) {
  core::InputWindowState& input = program.Input;
  input.SourceFolderText = text;
  input.SourceList.Visible = support::SetFileListPath(input.SourceList, text);
  if (!input.SourceList.Visible) {
    input.SourceList.Items.clear();
    input.SourceList.Selected.clear();
  }
  program.Notify(core::Change::SourceFolder);
  program.Notify(core::Change::SourceList);
}

void SPath_GotFocus(core::Program& program) {
  auto& selected = program.Input.SourceList.Selected;
  selected.assign(selected.size(), false);
  program.Notify(core::Change::SourceList);
}

void PBrwseS_Click(core::Program& program) {
  core::InputWindowState& input = program.Input;
  input.BatchWatcherOn = false;
  program.BrowseMode = 1;
  const std::string savedSourceFolder = input.SourceFolderText;
  // The source list follows the selection while the dialog is open.
  const auto chosen = program.ui().ChooseFolderFollowing(
      "Path Browser", "Select source path for DXF files.", input.SourceFolderText,
      [&program](const std::string& folder) { ObjBD_SelectionChanged(program, folder); });
  if (chosen) {
    ObjBD_SelectionChanged(program, *chosen);
  } else {
    SPath_Change(program, savedSourceFolder);
  }
  input.SourceFolderTip = input.SourceFolderText;
  program.Notify(core::Change::SourceFolder);
  support::WriteIni(program, "Config", "SourceDir", input.SourceFolderText);
  input.BatchWatcherOn = true;
}

void ObjBD_SelectionChanged(core::Program& program, const std::string& folder) {
  if (program.BrowseMode == 1) SPath_Change(program, support::AddBackslash(folder));
}

// The drawing lists show a drawing in the viewer, whose drawing a run is building its sheets in:
// a click while it yields must not replace that drawing.
void File1_Click(core::Program& program, size_t index) {
  if (program.RunInProgress) return;
  const core::FileListState& list = program.Input.SourceList;
  program.SourceListClicked = true;
  if (index < list.Items.size())
    ShowPickedDrawing(program, program.Input.SourceFolderText + list.Items[index]);
}

void File2_Click(core::Program& program, size_t index) {
  if (program.RunInProgress) return;
  const core::FileListState& list = program.Input.NestList;
  if (index < list.Items.size()) ShowPickedDrawing(program, program.NestPath + list.Items[index]);
}

PopupRequest SourceListPopupClosed(core::Program& program) {
  PopupRequest request = PopupRequest::None;
  if (program.PopupExpandRequested) {
    request = PopupRequest::Expand;
  } else if (program.PopupDeleteRequested) {
    request = PopupRequest::Delete;
    if (!program.RunInProgress && program.ui().Ask("Delete selected DXF files?", "Query")) {
      const core::FileListState& list = program.Input.SourceList;
      for (size_t i = 0; i < list.Items.size(); ++i) {
        if (i < list.Selected.size() && list.Selected[i]) {
          DeleteListedFile(program.Input.SourceFolderText, list.Items[i]);
        }
      }
    }
    support::RefreshFileList(program.Input.SourceList);
    program.Notify(core::Change::SourceList);
  } else if (program.PopupToWorkListRequested) {
    request = PopupRequest::ToWorkList;
    AddFile_Click(program);
  }
  program.PopupExpandRequested = false;
  program.PopupDeleteRequested = false;
  program.PopupToWorkListRequested = false;
  return request;
}

PopupRequest WorkListPopupClosed(core::Program& program) {
  PopupRequest request = PopupRequest::None;
  if (program.PopupExpandRequested) {
    request = PopupRequest::Expand;
  } else if (program.PopupDeleteRequested) {
    request = PopupRequest::Delete;
    if (!program.RunInProgress) DeleteSelectedWorkListRows(program);
  } else if (program.PopupCheckUncheckRequested) {
    request = PopupRequest::CheckUncheck;
    if (!program.RunInProgress) CheckUncheckSelectedRows(program);
  } else if (program.PopupClearWorkListRequested) {
    request = PopupRequest::ClearWorkList;
    if (!program.RunInProgress && program.ui().Ask("Delete all entries in Process List?", "Query")) {
      ClearWorkList(program);
    }
  }
  program.PopupExpandRequested = false;
  program.PopupDeleteRequested = false;
  program.PopupCheckUncheckRequested = false;
  program.PopupClearWorkListRequested = false;
  return request;
}

void PList_ButtonClicked(core::Program& program, long col, long /*row*/, int /*state*/) {
  // "Process" stays disabled until the run in progress has ended.
  if (col == kColOk && !program.ImportingWorkList && !program.RunInProgress) UpdateProcButton(program);
}

void PList_DblClick(core::Program& program, long col, long row) {
  // Showing a row's drawing would replace the sheet a run is building; sorting would move the
  // rows it is reading.
  if (program.RunInProgress) return;
  program.SourceListClicked = false;
  if (row != 0) {
    const std::string path =
        GetWorkListCell(program, row, kColPath) + GetWorkListCell(program, row, kColFileName);
    if (files::Exist(path)) ShowPickedDrawing(program, path);
  } else {
    support::SortGridByColumn(program, program.PList, col);
  }
}

void PList_GotFocus(core::Program& program) {
  program.FocusedGrid = 1;
}

bool PList_TextTipFetch(core::Program& program, std::string& tipText) {
  if (program.Input.WorkListTipCount >= 4) return false;
  ++program.Input.WorkListTipCount;
  tipText = "Work List of Files to Process into Nest *** Right Click for Menu.";
  return true;
}

}  // namespace tv::worklist
