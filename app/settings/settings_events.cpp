#include "settings/settings_events.h"

#include "core/program.h"
#include "settings/setting_lookup.h"
#include "support/folder_list.h"
#include "support/paths.h"
#include "text/ascii_text.h"

namespace tv::settings {

void Settings_ButtonClicked(core::Program& program, long col, long row, int) {
  if (col != 2 || program.SettingsPathEditing) return;
  grid::Grid& g = program.Settings;
  if (g.CellKindAt(row, kColValue) != grid::Kind::CheckBox) return;
  g.SetCheckCaptionAt(row, kColValue, g.CheckValueAt(row, kColValue) == 1 ? " Yes" : " No");
}

void Settings_DblClick(core::Program& program, long col, long row) {
  grid::Grid& g = program.Settings;
  const std::string name = text::UpperAscii(g.CellText(row, kColName));
  if (col != 1 || row < 1 || name.find("PATH") == std::string::npos || program.RunInProgress) {
    program.SettingsPathEditing = false;
    return;
  }
  const bool nestRow = name.find("NEST PATH") != std::string::npos;
  program.BrowseMode = 2;
  const std::string prompt =
      nestRow ? "Select Destination path for Nested DXF files." : "Select Source path for CSV files.";
  program.SettingsPathEditing = true;
  const std::optional<std::string> folder =
      program.ui().ChooseFolder("Path Browser", prompt, g.CellText(row, kColValue));
  if (folder) {
    g.SetCellText(row, kColValue, *folder);
    // The nest list follows the new folder as it would after a path change in the input window.
    if (support::EnsurePath(program, *folder, "") && nestRow) {
      support::SetFileListPath(program.Input.NestList, support::AddBackslash(*folder));
      program.Notify(core::Change::NestList);
    }
    program.NestPath = support::AddBackslash(GetSettingText(program, "NEST PATH"));
  }
  program.SettingsPathEditing = false;
}

void Settings_TextTipFetch(core::Program& program, std::string& tipText, bool& showTip) {
  ++program.SettingsTipCount;
  showTip = program.SettingsTipCount <= 4;
  if (showTip) tipText = "Tavolin Configuration Settings *** Right Click to Expand\\Restore.";
}

void InstallSettingsEvents(core::Program& program) {
  grid::GridEvents& events = program.Settings.Events();
  events.ButtonClicked = [&program](long col, long row, int state) {
    Settings_ButtonClicked(program, col, row, state);
  };
  events.DblClick = [&program](long col, long row) { Settings_DblClick(program, col, row); };
  events.TextTipFetch = [&program](long, long, std::string& tip, bool& show) {
    Settings_TextTipFetch(program, tip, show);
  };
}

}  // namespace tv::settings
