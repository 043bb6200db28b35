#include "commands/main_commands.h"

#include "grid/grid.h"
#include "grid/paste_fill.h"
#include "stock/stock_cells.h"
#include "support/paths.h"
#include "support/user_settings.h"
#include "text/number_text.h"
#include "viewer/viewer_procedures.h"
#include "worklist/work_list.h"

namespace tv::commands {
namespace {

const core::FileFilter kDxfFilter{"DXF (*.dxf)", {"*.dxf"}};

core::Ui::FileChoice DrawingChoice(core::Program& program, const char* title) {
  core::Ui::FileChoice choice;
  choice.title = title;
  choice.filters = {kDxfFilter};
  choice.defaultExt = ".DXF";
  choice.startFolder = support::GetUserSetting(program, "Paths", "Open", support::DefaultStartFolder());
  return choice;
}

std::string Number(float value) {
  return text::CStrSingle(value);
}

// "Left = ..." lines of four values in the drawing engine's argument order.
std::string SideLines(float left, float top, float right, float bottom) {
  return "Left = " + Number(left) + "\r\nRight = " + Number(right) + "\r\nTop = " + Number(top) +
         "\r\nBottom = " + Number(bottom);
}

}  // namespace

std::string OnlineManualUrl() {
  return std::string(kOnlineManualHost) + kOnlineManualPath;
}

bool OpenDrawing(core::Program& program) {
  if (program.RunInProgress) return false;
  const auto file = program.ui().ChooseFileToOpen(DrawingChoice(program, "Open DXF File"));
  if (!file) return false;
  support::SaveUserSetting(program, "Paths", "Open", support::GetFolderName(*file));
  return viewer::ShowDxf(program, *file);
}

bool SaveDrawingAs(core::Program& program, std::string& lastName) {
  if (program.RunInProgress) return false;
  core::Ui::FileChoice choice = DrawingChoice(program, "Save DXF File As...");
  choice.fileName = lastName;
  const auto file = program.ui().ChooseFileToSave(choice);
  if (!file) return false;
  lastName = *file;
  std::string error;
  if (!viewer::SaveViewerDxfAs(program, *file, &error)) {
    program.ui().Tell("The drawing could not be written:\r" + *file + "\r" + error, "",
                      core::MsgIcon::Warning);
    return false;
  }
  return true;
}

bool SheetStockClear(core::Program& program) {
  if (program.RunInProgress) return false;
  if (program.ui().Message(
          "This will clear all entries in the Sheet Stock Materials list.\rDo you want to continue?",
          "Deleting Sheet Stock Material", core::MsgIcon::None,
          core::MsgButtons::YesNo) != core::MsgResult::Yes) {
    return false;
  }
  grid::Grid& g = program.SSList;
  g.SetRow(1);
  g.SetCol(1);
  g.SetRow2(g.MaxRows());
  g.SetCol2(g.MaxCols());
  g.SetBlockSelect(true);
  g.DoAction(grid::ActionCode::ClearText);
  g.SetBlockSelect(false);
  return true;
}

std::string CopyFocusedGrid(core::Program& program) {
  switch (program.FocusedGrid) {
    case 1:
      return program.PList.CopyText();
    case 2:
      return program.SSList.CopyText();
    default:
      return {};
  }
}

void PasteFocusedGrid(core::Program& program, const std::string& clipboardText) {
  if (program.RunInProgress) return;
  if (program.FocusedGrid == 1) {
    grid::PasteFillDown(program.PList, clipboardText,
                        [&program](long row, long col, const std::string& text) {
                          worklist::SetWorkListCell(program, row, col, text);
                        });
  } else if (program.FocusedGrid == 2) {
    grid::PasteFillDown(program.SSList, clipboardText,
                        [&program](long row, long col, const std::string& text) {
                          stock::SetStockCell(program, row, col, text);
                        });
  }
}

void SetMouseMode(core::Program& program, int index) {
  static constexpr const char* kTexts[] = {"Zoom Window", "Zoom Spot", "Pan"};
  if (index < 0 || index > 2) return;
  program.DXF1.SetZoomFunction(index);
  program.ui().SetStatus(core::StatusPanel::ZoomState, std::string(kTexts[index]) + " ");
}

void ToggleLayerList(core::Program& program) {
  program.LayerListShown = !program.LayerListShown;
  program.Notify(core::Change::LayerList);
}

std::string ExtentsAndZoomText(core::Program& program) {
  float e1 = 0, e2 = 0, e3 = 0, e4 = 0, z1 = 0, z2 = 0, z3 = 0, z4 = 0;
  program.DXF1.GetExtents(e1, e2, e3, e4);
  program.DXF1.GetCurrentZoom(z1, z2, z3, z4);
  return "The drawing extents are: \r\n(" + Number(e1) + "," + Number(e2) + ") - (" + Number(e3) + "," +
         Number(e4) + ")\r\nThe current zoom is: \r\n(" + Number(z1) + "," + Number(z2) + ") - (" +
         Number(z3) + "," + Number(z4) + ")";
}

std::string ZoomCoordinatesText(core::Program& program) {
  std::string text;
  float a1 = 0, a2 = 0, a3 = 0, a4 = 0;
  if (program.DXF1.GetCurrentZoom(a1, a2, a3, a4)) {
    text = "The current zoom coordinates are: \r\n" + SideLines(a1, a2, a3, a4);
  } else {
    text = "An error occured retreiving the current zoom coordinates.";
  }
  text += "\r\n\r\n";
  if (program.DXF1.GetExtents(a1, a2, a3, a4)) {
    text += "The drawing extents are: \r\n" + SideLines(a1, a2, a3, a4);
  } else {
    text += "An error occured retreiving the drawing extents.";
  }
  return text;
}

}  // namespace tv::commands
