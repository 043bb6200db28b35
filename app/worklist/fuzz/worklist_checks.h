// What every work-list file must survive, imported or loaded as a saved list: shared by the
// work list's fuzz targets and the regression test that replays the inputs they found.
#pragma once

#include <string>
#include <string_view>

#include "core/fuzz/bench.h"
#include "files/atomic_write.h"
#include "stock/stock_window.h"
#include "worklist/input_window.h"
#include "worklist/work_list.h"
#include "worklist/worklist_files.h"

namespace tv::worklist::checks {

// A program with a two-row work list sorted by material and one stock material.
inline void PrepareWorkList(core::Program& program) {
  stock::SetUpStockGrids(program);
  program.SSList.SetCellText(1, 2, "OAK");
  SetUpWorkListGrid(program, 10);
  InstallWorkListEvents(program);
  const char* rows[2][8] = {{"1", "2", "Door.dxf", "2417", "Kitchen", "B1", "Door", "ASH"},
                            {"0", "1", "Side.dxf", "2417",
                             "K\xC3\xBC"
                             "che",
                             "B2", "Side", "OAK"}};
  for (long r = 0; r < 2; ++r) {
    for (long c = 0; c < 8; ++c) SetWorkListCell(program, r + 1, c + 1, rows[r][c]);
  }
}

// Saves the work list through the command, loads it back the same way, and compares. The
// units are not in the file: a load takes them from the first row as sorted, an import from
// the first row as read, so they are compared only when both sides were loads.
inline bool CheckSavedAgain(core::FuzzBench& bench, const std::string& folder, bool sameUnits,
                            std::string& why) {
  core::Program& program = bench.program;
  const std::string saved = program.PList.SaveGridText(false);
  const bool metric = program.MetricUnits;
  bench.ui.FileToSave = folder + "again.PRC";
  SaveWorkList(program);
  if (bench.ui.MessageCount > 0) {
    why = "the list loaded does not save: " + bench.ui.LastMessage;
    return false;
  }
  ClearWorkList(program);
  bench.ui.FileToOpen = folder + "again.PRC";
  LoadWorkList(program);
  if (bench.ui.MessageCount > 0) {
    why = "the list saved does not load: " + bench.ui.LastMessage;
    return false;
  }
  if (program.PList.SaveGridText(false) != saved || (sameUnits && program.MetricUnits != metric)) {
    why = "the list saved loads back otherwise";
    return false;
  }
  return true;
}

// Load Work List of the bytes over a list on show. False (why says what) when a load that was
// reported failed changed the list or did not name the file, or when a list that loaded does
// not save and load back the same.
inline bool CheckSavedList(std::string_view bytes, const std::string& folder, std::string& why) {
  core::FuzzBench bench(folder);
  core::Program& program = bench.program;
  PrepareWorkList(program);
  const std::string before = program.PList.SaveGridText(false);
  const bool metric = program.MetricUnits;
  const std::string file = folder + "input.PRC";
  if (!files::WriteFileAtomic(file, std::string(bytes))) {
    why = "cannot write the input";
    return false;
  }
  bench.ui.FileToOpen = file;
  LoadWorkList(program);
  if (bench.ui.MessageCount > 0) {
    if (program.PList.SaveGridText(false) != before || program.MetricUnits != metric) {
      why = "a failed load changed the work list: " + bench.ui.LastMessage;
    } else if (bench.ui.LastMessage.find(file) == std::string::npos) {
      why = "the message does not name the file: " + bench.ui.LastMessage;
    }
    return why.empty();
  }
  return CheckSavedAgain(bench, folder, true, why);
}

// Import Work List of the bytes. False (why says what) when the list it made does not save
// and load back the same.
inline bool CheckImport(std::string_view bytes, const std::string& folder, std::string& why) {
  core::FuzzBench bench(folder);
  core::Program& program = bench.program;
  PrepareWorkList(program);
  const std::string file = folder + "input.csv";
  if (!files::WriteFileAtomic(file, std::string(bytes))) {
    why = "cannot write the input";
    return false;
  }
  bench.ui.FileToOpen = file;
  ImportWorkList(program);
  // Messages about the rows (too many fields, drawings not found) are the import's answer.
  bench.ui.MessageCount = 0;
  return CheckSavedAgain(bench, folder, false, why);
}

}  // namespace tv::worklist::checks
