#include "worklist/worklist_files.h"

#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fields/fields.h"
#include "files/files.h"
#include "settings/settings.h"
#include "stock/stock.h"
#include "support/paths.h"
#include "support/sort_grid.h"
#include "support/user_settings.h"
#include "text/ascii_text.h"
#include "text/file_text.h"
#include "text/lines.h"
#include "text/number_text.h"
#include "worklist/work_list.h"

namespace tv::worklist {
namespace {

const core::FileFilter kPrcFilter{"PRC (*.PRC)", {"*.prc"}};
const core::FileFilter kListFilter{"List Files", {"*.*"}};

core::Ui::FileChoice WorkListFileChoice(core::Program& program, const char* title,
                                        const core::FileFilter& filter, const char* defaultExt) {
  core::Ui::FileChoice choice;
  choice.title = title;
  choice.filters = {filter};
  choice.defaultExt = defaultExt;
  choice.startFolder = support::GetUserSetting(program, "Paths", "PList", support::DefaultStartFolder());
  return choice;
}

void RememberFolder(core::Program& program, const std::string& file) {
  support::SaveUserSetting(program, "Paths", "PList", support::GetFolderName(file));
}

// A list whose first part is longer than 150 is in millimetres.
void UnitsFromFirstRow(core::Program& program) {
  program.MetricUnits = text::Val(GetWorkListCell(program, 1, kColLength)) > 150;
}

void SortByMaterial(core::Program& program) {
  ClearWorkListMarks(program);
  program.SortOrder = 1;
  support::SortGridByColumn(program, program.PList, kColMaterial);
}

// The drawing a row names: "File Name" with ".DXF" added when it lacks it, in its "Path".
bool RowDrawingExists(core::Program& program, long row) {
  std::string name = GetWorkListCell(program, row, kColFileName);
  if (name.size() < 4 || text::UpperAscii(name.substr(name.size() - 4)) != ".DXF") name += ".DXF";
  return files::Exist(GetWorkListCell(program, row, kColPath) + name);
}

// A field of an exported list: the blanks a spreadsheet puts around it are no part of it.
std::string TrimField(std::string_view field) {
  const size_t first = field.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(field.substr(first, field.find_last_not_of(" \t") - first + 1));
}

void ImportLines(core::Program& program, std::string_view text) {
  core::Ui& ui = program.ui();
  grid::Grid& g = program.PList;
  const long columns = g.MaxCols();
  long rowsSoFar = 0;
  long rejectedCount = 0;
  long rowsKept = -1;  // set when the list outgrew the grid
  bool drawingMissing = false;
  stock::MaterialScanMemo materialScan;
  for (std::string_view line : text::SplitLines(text)) {
    // What the operator changes meanwhile is not known to the material scan's memo.
    const unsigned long listBefore = g.Revision();
    const unsigned long stockBefore = program.SSList.Revision();
    ui.ProcessEvents();
    const bool isRow = settings::HandleConfigLine(program, std::string(line), rowsSoFar);
    if (g.Revision() != listBefore || program.SSList.Revision() != stockBefore) materialScan.Forget();
    if (!isRow) continue;
    const long r = ++rowsSoFar;
    if (g.MaxRows() < r) g.SetMaxRows(r);
    if (g.MaxRows() < r) {
      // The grid holds no more rows: keep what fits and say so.
      rowsKept = r - 1;
      break;
    }
    const std::vector<std::string> fields = fields::SplitFields(line);
    const long n = static_cast<long>(fields.size());
    const long shift = n < columns ? 1 : 0;
    if (n > columns - shift) {
      // The row stays empty, so the rows after it keep their line numbers.
      rejectedCount = n;
      continue;
    }
    for (long j = 1; j <= columns - shift; ++j) {
      SetWorkListCell(program, r, j + shift,
                      j <= n ? TrimField(fields[static_cast<size_t>(j - 1)]) : std::string());
    }
    if (RowDrawingExists(program, r)) {
      SetWorkListCell(program, r, kColOk, "1");
    } else {
      drawingMissing = true;
    }
    if (!stock::IsStockMaterial(program, GetWorkListCell(program, r, kColMaterial))) {
      stock::AddWorkListMaterialsToStock(program, materialScan, r);
    }
  }
  if (rejectedCount > 0) {
    ui.Tell("Too Many Fields in Worklist File.\r\nFound " + text::CStr(static_cast<double>(rejectedCount)) +
                " Need No More Than" + text::Str(static_cast<double>(columns)) + "\r\nImport Failed.",
            "Alert!", core::MsgIcon::Information);
  }
  if (rowsKept >= 0) {
    ui.Tell("Worklist Full.\r\nThe first " + text::CStr(static_cast<double>(rowsKept)) +
                " rows were kept; the rest of the list was not imported.",
            "Alert!", core::MsgIcon::Information);
  }
  if (drawingMissing) {
    ui.Tell("One or more DXF files in list not found.", "Alert!", core::MsgIcon::Information);
  }
  UnitsFromFirstRow(program);
}

}  // namespace

void LoadWorkList(core::Program& program) {
  if (program.RunInProgress) return;
  const auto file =
      program.ui().ChooseFileToOpen(WorkListFileChoice(program, "Load Process List", kPrcFilter, ".PRC"));
  if (file) {
    RememberFolder(program, *file);
    std::string error;
    // All or nothing, and only a list of the work list's own shape: a list that cannot be
    // taken whole leaves rows, ticks, units and sort as they were.
    if (!program.PList.LoadGridFile(*file, &error, {grid::PartialLoad::Refuse, kWorkListCols})) {
      program.ui().Tell("Work List Not Loaded:\r" + *file + (error.empty() ? "" : "\r" + error), "Alert!",
                        core::MsgIcon::Critical);
      return;
    }
    SetUpWorkListGrid(program, 0);
    UnitsFromFirstRow(program);
  }
  SortByMaterial(program);
}

void SaveWorkList(core::Program& program) {
  const auto file =
      program.ui().ChooseFileToSave(WorkListFileChoice(program, "Save Process List", kPrcFilter, ".PRC"));
  if (!file) return;
  RememberFolder(program, *file);
  std::string error;
  if (!program.PList.SaveGridFile(*file, true, &error)) {
    program.ui().Tell("Work List Not Saved:\r" + *file + (error.empty() ? "" : "\r" + error), "Alert!",
                      core::MsgIcon::Critical);
  }
}

void ImportWorkList(core::Program& program) {
  if (program.RunInProgress) return;
  core::Ui& ui = program.ui();
  const auto file =
      ui.ChooseFileToOpen(WorkListFileChoice(program, "Import Worklist to Process", kListFilter, ""));
  ui.SetPointer(core::Pointer::Busy);
  program.ImportingWorkList = true;
  if (file) {
    RememberFolder(program, *file);
    // Read before the work list is emptied: a file that cannot be read must not cost the list.
    const std::optional<std::string> bytes = files::ReadFile(*file);
    if (!bytes) {
      program.ImportingWorkList = false;
      ui.SetPointer(core::Pointer::Normal);
      ui.Tell("Worklist File Could Not Be Read:\r" + *file, "Alert!", core::MsgIcon::Critical);
      return;
    }
    // Lists written by older programs are in the Windows code page; spreadsheets often mark UTF-8.
    const std::string text = text::DecodeFileText(*bytes).text;
    ClearWorkList(program);
    try {
      ImportLines(program, text);
    } catch (const std::exception& error) {
      // The rows read so far stay; nothing else of the closing steps runs.
      program.ImportingWorkList = false;
      ui.SetPointer(core::Pointer::Normal);
      ui.Tell("Worklist import stopped:\r\n" + *file + "\r\n" + error.what(), "Alert!",
              core::MsgIcon::Critical);
      return;
    }
  }
  program.ImportingWorkList = false;
  ui.SetPointer(core::Pointer::Normal);
  UpdateProcButton(program);
  SortByMaterial(program);
}

void ImportMaterialDescrFromNest(core::Program& program) {
  if (program.RunInProgress) return;
  stock::AddWorkListMaterialsToStock(program);
}

void VerifyDxfsInWorklist(core::Program& program) {
  VerifyWorkListFiles(program, false);
}

}  // namespace tv::worklist
