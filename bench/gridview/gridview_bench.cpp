// The grid view over a large work list: how long a header sort takes until the view has painted
// the sorted rows, a full repaint of the visible cells, and a scroll to the last row. Prints the
// median of several runs in milliseconds.
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/program.h"
#include "gui/gridview/grid_view.h"
#include "support/sort_grid.h"
#include "testing/silent_ui.h"
#include "worklist/work_list.h"

namespace {

using namespace tv::worklist;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double TimeMs(const std::function<void()>& work) {
  QElapsedTimer timer;
  timer.start();
  work();
  return double(timer.nsecsElapsed()) / 1e6;
}

// A prefix and a number (appended, which keeps GCC 12's overlap warning quiet).
std::string Named(const char* prefix, std::uint64_t value) {
  std::string text = prefix;
  text += std::to_string(value);
  return text;
}

// Numbers as the row builder writes them: a blank before a value that is not negative.
std::string Spaced(std::uint32_t value) {
  return Named(" ", value);
}

void FillWorkList(tv::core::Program& program, long rows) {
  SetUpWorkListGrid(program, rows);
  const char* materials[] = {"MDF 3/4", "OAK 19", "PINE 18", "BIRCH 12", "MELAMINE 16"};
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (long row = 1; row <= rows; ++row) {
    program.PList.SetCellText(row, kColOk, "1");
    program.PList.SetCellText(row, kColQty, std::to_string(1 + next() % 4));
    program.PList.SetCellText(row, kColFileName, Named("PART", next() % 100000) + ".DXF");
    program.PList.SetCellText(row, kColJob, Named("JOB", std::uint64_t(row / 500)));
    program.PList.SetCellText(row, kColRoom, "Kitchen");
    program.PList.SetCellText(row, kColCabinet, Named("C", std::uint64_t(row % 40)));
    program.PList.SetCellText(row, kColDescription, "Side panel");
    program.PList.SetCellText(row, kColMaterial, materials[next() % 5]);
    program.PList.SetCellText(row, kColLength, Spaced(200 + next() % 2000));
    program.PList.SetCellText(row, kColWidth, Spaced(100 + next() % 1000));
    program.PList.SetCellText(row, kColThick, " 19");
    program.PList.SetCellText(row, kColPath, "/home/shop/jobs/");
  }
}

}  // namespace

int main(int argc, char** argv) {
  long rows = 10000;
  int runs = 7;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--rows") == 0) rows = std::atol(argv[i + 1]);
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::atoi(argv[i + 1]);
  }
  if (getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);

  // No person at the keyboard: nothing is asked while the grid is sorted and painted.
  tv::test_support::SilentUi ui;
  tv::core::Program program(ui);
  QElapsedTimer fillTimer;
  fillTimer.start();
  tv::gui::GridView view(program.PList);
  view.resize(1280, 800);
  view.show();
  FillWorkList(program, rows);
  QApplication::processEvents();
  const double fillMs = double(fillTimer.nsecsElapsed()) / 1e6;

  std::vector<double> sort;
  std::vector<double> gridSort;
  std::vector<double> repaint;
  std::vector<double> scroll;
  for (int run = 0; run < runs; ++run) {
    // Alternating columns, as an operator double-clicks one header after another.
    const long col = run % 2 == 0 ? kColFileName : kColLength;
    double sortOnly = 0;
    sort.push_back(TimeMs([&] {
      sortOnly = TimeMs([&] { tv::support::SortGridByColumn(program, program.PList, col); });
      QApplication::processEvents();
      view.viewport()->repaint();
    }));
    gridSort.push_back(sortOnly);
    repaint.push_back(TimeMs([&] { view.viewport()->repaint(); }));
    scroll.push_back(TimeMs([&] {
      QScrollBar* bar = view.verticalScrollBar();
      bar->setValue(bar->value() == bar->maximum() ? 0 : bar->maximum());
      view.viewport()->repaint();
    }));
  }
  std::printf("work list of %ld rows, view 1280 x 800 (%d rows visible), median of %d runs\n", rows,
              view.VisibleRowCount(), runs);
  std::printf("  filling the grid with the view open: %8.1f ms (once)\n", fillMs);
  std::printf("  header sort until painted:           %8.2f ms\n", Median(sort));
  std::printf("    of which the grid's own sort:      %8.2f ms\n", Median(gridSort));
  std::printf("  full repaint:                        %8.2f ms\n", Median(repaint));
  std::printf("  scroll to the other end and paint:   %8.2f ms\n", Median(scroll));
  return 0;
}
