#include "worklist/work_list.h"

#include <utility>

#include "core/program.h"
#include "files/files.h"
#include "text/ascii_text.h"
#include "text/number_text.h"

namespace tv::worklist {
namespace {

// Makes every cell one block, with no selection left over from the user; the caller acts on
// the block and ends it with SetBlockSelect(false).
void BlockWholeGrid(grid::Grid& g) {
  g.SetRow(1);
  g.SetRow2(-1);
  g.SetCol(1);
  g.SetCol2(-1);
  g.SetBlockSelect(true);
  g.DoAction(grid::ActionCode::ClearSelection);
}

}  // namespace

const std::vector<std::string>& WorkListHeaders() {
  static const std::vector<std::string> headers = {
      "OK",       "Qty",       "File Name", "Job",   "Room",    "Cabinet", "Part Description",
      "Material", "Length",    "Width",     "Thick", "Path",    "EMat1",   "ECo1",
      "EMat2",    "ECo2",      "EMat3",     "ECo3",  "EMat4",   "ECo4",    "Length",
      "Width",    "Rotatable", "X Ofs",     "Y Ofs", "Sub Name"};
  return headers;
}

void SetUpWorkListGrid(core::Program& program, long minRows) {
  grid::Grid& g = program.PList;
  if (g.MaxCols() < kWorkListCols) g.SetMaxCols(kWorkListCols);
  if (g.MaxRows() < minRows) g.SetMaxRows(minRows);
  g.SetHeaders(WorkListHeaders());
  g.SetRow(-1);
  g.SetCol(kColOk);
  g.SetCellKind(grid::Kind::CheckBox);
  g.SetCellBackColor(kOkColumnColor);
  g.SetCol(kColMaterial);
  g.SetCellKind(grid::Kind::Choice);
}

std::string GetWorkListCell(core::Program& program, long row, long col) {
  grid::Grid& g = program.PList;
  g.SetCol(col);
  g.SetRow(row);
  return g.Text();
}

void SetWorkListCell(core::Program& program, long row, long col, std::string_view text) {
  // A choice cell of this grid takes any text, so nothing has to be switched first.
  grid::Grid& g = program.PList;
  g.SetCol(col);
  g.SetRow(row);
  g.SetText(text);
}

void MarkWorkListRow(core::Program& program, long row) {
  grid::Grid& g = program.PList;
  g.SetCol(-1);
  g.SetRow(row);
  g.SetCellBackColor(kMarkedRowColor);
  g.SetCol(kColOk);
  g.SetCellBackColor(kOkColumnColor);
}

void ClearWorkListMarks(core::Program& program) {
  grid::Grid& g = program.PList;
  g.SetCol(-1);
  g.SetRow(-1);
  g.SetCellBackColor(grid::kWhite);
  g.SetCol(kColOk);
  g.SetCellBackColor(kOkColumnColor);
}

void ClearWorkList(core::Program& program) {
  grid::Grid& g = program.PList;
  BlockWholeGrid(g);
  {
    // Every cleared tick is reported, and each report would scan the whole list again;
    // "Process" is switched off once below instead.
    auto ticks = std::exchange(g.Events().ButtonClicked, nullptr);
    g.DoAction(grid::ActionCode::ClearText);
    g.Events().ButtonClicked = std::move(ticks);
  }
  g.SetBlockSelect(false);
  program.BatchUnitState = 0;
  program.Input.ProcEnabled = false;
  program.Notify(core::Change::ProcEnabled);
  ClearWorkListMarks(program);
}

void UpdateProcButton(core::Program& program) {
  bool ticked = false;
  const long rows = program.PList.MaxRows();
  for (long row = 1; row <= rows && !ticked; ++row) {
    ticked = text::Val(GetWorkListCell(program, row, kColOk)) != 0;
  }
  program.Input.ProcEnabled = ticked;
  program.Notify(core::Change::ProcEnabled);
}

void DeselectWorkList(core::Program& program) {
  grid::Grid& g = program.PList;
  BlockWholeGrid(g);
  g.SetBlockSelect(false);
}

bool VerifyWorkListFiles(core::Program& program, bool quiet) {
  core::Ui& ui = program.ui();
  ui.SetPointer(core::Pointer::Busy);
  ClearWorkListMarks(program);
  grid::Grid& g = program.PList;
  long counted = 0;
  long missing = 0;
  for (long row = 1; row <= g.MaxRows(); ++row) {
    const std::string path = text::TrimBlanks(GetWorkListCell(program, row, kColPath) +
                                              GetWorkListCell(program, row, kColFileName));
    if (text::Val(GetWorkListCell(program, row, kColOk)) <= 0 || path.empty()) continue;
    ++counted;
    if (!files::Exist(path)) {
      g.SetBackColorAt(row, kColFileName, kMissingFileColor);
      ++missing;
    }
  }
  bool result = false;
  if (missing > 0) {
    ui.Tell(text::Str(static_cast<double>(missing)) + " DXF Files Not Found  ", "DXF Verification",
            core::MsgIcon::Critical);
  } else if (counted > 0) {
    if (!quiet) ui.Tell("All DXF Files Found  ", "DXF Verification", core::MsgIcon::Information);
    result = true;
  } else {
    ui.Tell("No Entries Found in Worklist  ", "DXF Verification", core::MsgIcon::Information);
  }
  ui.SetPointer(core::Pointer::Normal);
  return result;
}

}  // namespace tv::worklist
