#include "worklist/row_builder.h"

#include "stock/stock.h"
#include "support/folder_list.h"
#include "support/paths.h"
#include "text/number_text.h"
#include "viewer/drawing_inspection.h"
#include "viewer/viewer_procedures.h"
#include "worklist/listed_file_removal.h"
#include "worklist/work_list.h"

namespace tv::worklist {
namespace {

void StartBatch(core::Program& program) {
  const long rows = program.PList.MaxRows();
  program.LastFilledRow = 0;
  program.RowMaterialMissing.assign(static_cast<size_t>(rows) + 1, false);
  for (long row = 1; row <= rows; ++row) {
    if (GetWorkListCell(program, row, kColFileName).empty()) break;
    program.LastFilledRow = row;
  }
}

// The row the next drawing goes into: the first row after the last one filled whose file name
// is empty, so a row that stands below a gap is never written over.
long NextFreeRow(core::Program& program) {
  grid::Grid& g = program.PList;
  long row = program.LastFilledRow + 1;
  while (row <= g.MaxRows() && !GetWorkListCell(program, row, kColFileName).empty()) ++row;
  if (row > g.MaxRows()) g.SetMaxRows(row);
  if (program.RowMaterialMissing.size() <= static_cast<size_t>(row)) {
    program.RowMaterialMissing.resize(static_cast<size_t>(row) + 1, false);
  }
  return row;
}

void AddDrawing(core::Program& program, const std::string& name) {
  // A folder typed without its separator still names the drawings in it.
  const std::string folder = support::AddBackslash(program.Input.SourceFolderText);
  if (!viewer::ShowDxf(program, folder + name)) return;

  const long r = NextFreeRow(program);
  program.LastFilledRow = r;
  // Text left in a row without a file name belongs to no drawing; the new row starts clean.
  for (long col = 1; col <= kWorkListCols; ++col) {
    if (!GetWorkListCell(program, r, col).empty()) SetWorkListCell(program, r, col, "");
  }
  // Only the title key reads the file; these keys take the block ShowDxf has just read.
  auto field = [&](const char* key) {
    std::string k = key;
    return viewer::GetDrawingField(program, k);
  };

  SetWorkListCell(program, r, kColFileName, name);
  SetWorkListCell(program, r, kColPath, folder);
  const std::string quantity = field("Quantity");
  SetWorkListCell(program, r, kColQty, text::Val(quantity) > 0 ? quantity : "1");
  SetWorkListCell(program, r, kColJob, field("Job"));
  SetWorkListCell(program, r, kColRoom, field("Room"));
  SetWorkListCell(program, r, kColCabinet, field("Cabinet"));
  SetWorkListCell(program, r, kColDescription, field("Description"));

  std::string material = field("Material");
  if (material.empty()) material = "No Material";
  if (!stock::IsStockMaterial(program, material)) program.RowMaterialMissing[static_cast<size_t>(r)] = true;
  SetWorkListCell(program, r, kColMaterial, material);

  double length = 0;
  double width = 0;
  double thickness = 0;
  viewer::MeasureBorder(program, length, width, thickness);
  SetWorkListCell(program, r, kColLength, text::Str(length));
  SetWorkListCell(program, r, kColWidth, text::Str(width));
  SetWorkListCell(program, r, kColThick, text::Str(thickness));

  SetWorkListCell(program, r, kColEMat1, field("EB L1"));
  SetWorkListCell(program, r, kColEMat2, field("EB L2"));
  SetWorkListCell(program, r, kColEMat3, field("EB W1"));
  SetWorkListCell(program, r, kColEMat4, field("EB W2"));
  SetWorkListCell(program, r, kColRotatable, field("Rotatable") == "Rotatable" ? "1" : "0");
  SetWorkListCell(program, r, kColXOfs, text::Str(program.BorderMinX));
  SetWorkListCell(program, r, kColYOfs, text::Str(program.BorderMinY));
  SetWorkListCell(program, r, kColSubName, field("FileName"));

  // Metric parts are thicker than 2, inch parts are not: a list holds one kind only.
  const bool thick = thickness > 2;
  bool bad = false;
  if (program.BatchUnitState != 0 &&
      ((thick && program.BatchUnitState == 2) || (!thick && program.BatchUnitState == 1))) {
    bad = true;
    program.BadBatch = true;
    program.RowMaterialMissing[static_cast<size_t>(r)] = false;
    program.NotNestReason = "Inch/Metric conflict";
  }
  if (length == 0 || width == 0 || thickness == 0) {
    bad = true;
    program.BadBatch = true;
    program.RowMaterialMissing[static_cast<size_t>(r)] = false;
    program.NotNestReason = "Dimension missing";
  }
  const bool ok = !program.RowMaterialMissing[static_cast<size_t>(r)] && !bad;
  SetWorkListCell(program, r, kColOk, ok ? "1" : "0");
  if (program.BatchUnitState == 0) program.BatchUnitState = thick ? 1 : 2;
}

void FinishBatch(core::Program& program) {
  core::Ui& ui = program.ui();
  const long rows = program.PList.MaxRows();
  auto missing = [&](long row) {
    return static_cast<size_t>(row) < program.RowMaterialMissing.size() &&
           program.RowMaterialMissing[static_cast<size_t>(row)];
  };
  bool anyMissing = false;
  for (long row = 1; row <= rows && !anyMissing; ++row) anyMissing = missing(row);
  if (anyMissing) {
    const bool add = ui.Message(
                         "Material requested by panel was not found in Sheet Stock library.\r"
                         "Do you wish to add material descriptions to library?",
                         "Query", core::MsgIcon::None, core::MsgButtons::YesNo) == core::MsgResult::Yes;
    if (add) {
      stock::AddWorkListMaterialsToStock(program);
      for (long row = 1; row <= rows; ++row) {
        if (missing(row)) SetWorkListCell(program, row, kColOk, "1");
      }
    } else {
      program.BadBatch = true;
      program.NotNestReason = "Material not in Stock Sheet Library";
    }
  }
  if (program.BadBatch) {
    ui.Tell("There are panels in this batch that will not nest.\rReason: " + program.NotNestReason, "Alert",
            core::MsgIcon::Information);
  }
  program.NotNestReason.clear();
  if (program.BatchUnitState == 1) program.MetricUnits = true;
  program.RowMaterialMissing.clear();
  // The batch watcher reads "Process" right after this step.
  UpdateProcButton(program);
}

}  // namespace

void AddToProc(core::Program& program, const std::string& name) {
  if (name == kStartMarker) {
    StartBatch(program);
  } else if (name == kFinishMarker) {
    FinishBatch(program);
  } else {
    AddDrawing(program, name);
  }
}

void AddFile_Click(core::Program& program) {
  if (program.RunInProgress) return;
  DeselectWorkList(program);
  ClearWorkListMarks(program);
  program.MultipleBorderLayers = false;
  program.BadBatch = false;
  program.MetricUnits = false;

  const core::FileListState& list = program.Input.SourceList;
  grid::Grid& g = program.PList;
  const long items = static_cast<long>(list.Items.size());
  if (g.MaxRows() < items) g.SetMaxRows(items);

  // The list may change while drawings load (events are handled), so take the names first.
  std::vector<std::string> names;
  for (size_t i = 0; i < list.Items.size(); ++i) {
    if (i < list.Selected.size() && list.Selected[i]) names.push_back(list.Items[i]);
  }
  AddToProc(program, kStartMarker);
  for (const std::string& name : names) AddToProc(program, name);
  AddToProc(program, kFinishMarker);

  if (program.MultipleBorderLayers) {
    program.ui().Tell("Drawings Contain More Than One Border Layer!", "Warning!", core::MsgIcon::Critical);
  }
}

void DeleteAllSourceFiles(core::Program& program) {
  if (!program.SourceListClicked || program.RunInProgress) return;
  if (program.ui().Ask("Delete all DXF files in Source Directory?", "Query")) {
    for (const std::string& item : program.Input.SourceList.Items) {
      DeleteListedFile(program.Input.SourceFolderText, item);
    }
  }
  support::RefreshFileList(program.Input.SourceList);
  program.Notify(core::Change::SourceList);
}

}  // namespace tv::worklist
