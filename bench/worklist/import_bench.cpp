// Work-list import benchmark: a list of N lines (default 2,000) whose material is missing from a
// full sheet stock of 100 rows, imported headless. "before" reproduces the former material step
// of every such line (a scan of every work-list row against the whole stock, letting events
// through at every stock cell); "after" is Import Work List as it is. Prints the medians of the
// time and of the event pumps of each, side by side; the two alternate so both see the same load.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/program.h"
#include "core/ui_port.h"
#include "stock/material_key.h"
#include "stock/stock.h"
#include "testing/silent_ui.h"
#include "testing/temp_folder.h"
#include "text/unicode_text.h"
#include "worklist/work_list.h"
#include "worklist/worklist_files.h"

namespace {

using Clock = std::chrono::steady_clock;

// No person at the keyboard: the import's file dialog picks the list, events are counted.
class CountingUi : public tv::test_support::SilentUi {
 public:
  std::string file;
  long pumps = 0;
  std::optional<std::string> ChooseFileToOpen(const FileChoice&) override { return file; }
  double TimeOfDay() override { return 36000; }
  void ProcessEvents() override { ++pumps; }
};

struct Result {
  double seconds = 0;
  long pumps = 0;
};

void SetUpProgram(tv::core::Program& program, const std::string& folder) {
  program.AppDir = folder;
  program.IniPath = folder + "TAVO.INI";
  program.RegistryFolder = folder + "registry";
  tv::stock::SetUpStockGrids(program);
  for (long row = 1; row <= program.SSList.MaxRows(); ++row) {
    program.SSList.SetCellText(row, tv::stock::kColMaterial, "STOCK " + std::to_string(row));
  }
  tv::worklist::SetUpWorkListGrid(program, 10);
}

// The material step as it was: every work-list row against the whole stock, a pump per cell.
void FormerAddWorkListMaterialsToStock(tv::core::Program& program) {
  for (long wlRow = 1; wlRow <= program.PList.MaxRows(); ++wlRow) {
    const std::string key = tv::stock::MaterialKey(program.PList.CellText(wlRow, tv::core::kColMaterial));
    if (key.empty()) continue;
    bool present = false;
    long emptyRow = 0;
    for (long row = 1; row <= program.SSList.MaxRows(); ++row) {
      const std::string text = program.SSList.CellText(row, tv::stock::kColMaterial);
      if (text.find_first_not_of(' ') == std::string::npos) {
        emptyRow = row;
        break;
      }
      if (tv::text::FoldCase(tv::stock::MaterialKey(text)) == tv::text::FoldCase(key)) {
        present = true;
        break;
      }
      program.ui().ProcessEvents();
    }
    if (!present && emptyRow != 0) program.SSList.SetCellText(emptyRow, tv::stock::kColMaterial, key);
  }
}

// The former import's rows and material steps for the same lines (no file, no drawings).
Result Before(long lines, const std::string& folder) {
  CountingUi ui;
  tv::core::Program program(ui);
  SetUpProgram(program, folder);
  const auto start = Clock::now();
  tv::worklist::ClearWorkList(program);
  for (long r = 1; r <= lines; ++r) {
    ui.ProcessEvents();
    if (program.PList.MaxRows() < r) program.PList.SetMaxRows(r);
    tv::worklist::SetWorkListCell(program, r, tv::core::kColQty, "1");
    tv::worklist::SetWorkListCell(program, r, tv::core::kColFileName, "Part" + std::to_string(r) + ".dxf");
    tv::worklist::SetWorkListCell(program, r, tv::core::kColMaterial, "BIRCH PLY 18");
    if (!tv::stock::IsStockMaterial(program, "BIRCH PLY 18")) FormerAddWorkListMaterialsToStock(program);
  }
  return {std::chrono::duration<double>(Clock::now() - start).count(), ui.pumps};
}

Result After(const std::string& folder) {
  CountingUi ui;
  tv::core::Program program(ui);
  SetUpProgram(program, folder);
  ui.file = folder + "list.csv";
  const auto start = Clock::now();
  tv::worklist::ImportWorkList(program);
  return {std::chrono::duration<double>(Clock::now() - start).count(), ui.pumps};
}

template <class T>
T Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  long lines = 2000;
  int repeat = 5;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--lines") == 0) lines = std::atol(argv[i + 1]);
    if (std::strcmp(argv[i], "--repeat") == 0) repeat = std::atoi(argv[i + 1]);
  }
  tv::test_support::TempFolder temp;
  const std::string folder = temp.Path();
  {
    std::string list;
    for (long r = 1; r <= lines; ++r)
      list += "1,Part" + std::to_string(r) + ".dxf,J,R,C,D,BIRCH PLY 18,600\r\n";
    tv::test_support::WriteText(folder + "list.csv", list);
  }
  std::vector<double> beforeTimes, afterTimes;
  std::vector<long> beforePumps, afterPumps;
  for (int i = 0; i < repeat; ++i) {
    const Result before = Before(lines, folder);
    const Result after = After(folder);
    beforeTimes.push_back(before.seconds);
    beforePumps.push_back(before.pumps);
    afterTimes.push_back(after.seconds);
    afterPumps.push_back(after.pumps);
  }
  std::printf("import of %ld lines, one material missing from a full 100-row stock, median of %d runs\n",
              lines, repeat);
  std::printf("%-8s %12s %16s\n", "", "seconds", "event pumps");
  std::printf("%-8s %12.3f %16ld\n", "before", Median(beforeTimes), Median(beforePumps));
  std::printf("%-8s %12.3f %16ld\n", "after", Median(afterTimes), Median(afterPumps));
  return 0;
}
