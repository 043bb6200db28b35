// How long the main window goes without handling an event while a run is in Optimize: the
// window's event loop is probed by a 10 ms timer during a whole "Process" on the 500-part
// generated job (or the sample job), once with Optimize on the window's thread and once on the
// worker thread, alternating. Prints the medians of the longest gap and of the run's time.
// Run by hand: event_gap_bench [--runs N] [--job sample|generated]
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/program.h"
#include "gui/qt_ui.h"
#include "gui/windows/mdi_main.h"
#include "nesting/run_driver.h"
#include "testing/generated_job.h"
#include "testing/qt_offscreen.h"
#include "testing/temp_folder.h"
#include "worklist/input_window.h"
#include "worklist/row_builder.h"

namespace fs = std::filesystem;

namespace {

// The Qt Ui as it was before the worker thread: Optimize on the window's own thread.
class SameThreadUi : public tv::gui::QtUi {
 public:
  void RunWhileHandlingEvents(const std::function<void()>& work) override { work(); }
};

struct Sample {
  double longestGapMs = 0;
  double runSeconds = 0;
};

Sample RunOnce(bool worker, bool generated) {
  tv::test_support::TempFolder folder;
  fs::copy(fs::path(TAVOLIN_SOURCE_DIR) / "samples", folder.Path(), fs::copy_options::recursive);
  tv::test_support::WriteText(folder.Path() + "Nests/OLD001.DXF", "0\nEOF\n");
  fs::copy(fs::path(TAVOLIN_BUILD_REGISTRY), folder.Path() + "registry", fs::copy_options::recursive);
  if (generated) tv::test_support::GenerateCabinetJob(folder.Path() + "Generated", 500);

  SameThreadUi sameThread;
  tv::gui::QtUi workerThread;
  tv::gui::QtUi& ui = worker ? workerThread : sameThread;
  tv::core::Program program(ui);
  program.RegistryFolder = folder.Path() + "registry";
  tv::gui::MdiMain window(program);
  ui.SetMainWindow(&window);
  if (!window.Start(folder.Path() + "tavolin")) return {};
  tv::worklist::SPath_Change(program, folder.Path() + (generated ? "Generated/" : "Parts/"));
  program.Input.SourceList.Selected.assign(program.Input.SourceList.Items.size(), true);
  tv::worklist::AddFile_Click(program);

  QElapsedTimer clock;
  qint64 last = 0;
  qint64 longest = 0;
  QTimer probe;
  probe.setInterval(10);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const qint64 now = clock.elapsed();
    longest = std::max(longest, now - last);
    last = now;
  });
  clock.start();
  probe.start();
  tv::nesting::Proc_Click(program);
  probe.stop();
  longest = std::max(longest, clock.elapsed() - last);
  Sample sample;
  sample.longestGapMs = static_cast<double>(longest);
  sample.runSeconds = clock.elapsed() / 1000.0;
  window.close();
  return sample;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  tv::test_support::UseOffscreenQtWhenUnset();
  QApplication application(argc, argv);
  int runs = 3;
  bool generated = true;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--runs") == 0)
      runs = std::max(1, std::atoi(argv[++i]));
    else if (std::strcmp(argv[i], "--job") == 0)
      generated = std::strcmp(argv[++i], "sample") != 0;
  }
  std::vector<double> gaps[2], times[2];
  for (int run = 0; run < runs; ++run) {
    for (const bool worker : {false, true}) {
      const Sample sample = RunOnce(worker, generated);
      gaps[worker].push_back(sample.longestGapMs);
      times[worker].push_back(sample.runSeconds);
    }
  }
  std::printf("job: %s, %d runs each (medians)\n", generated ? "500 generated parts" : "sample", runs);
  std::printf("%-28s %18s %12s\n", "Optimize on", "longest gap (ms)", "run (s)");
  std::printf("%-28s %18.0f %12.2f\n", "the window's thread", Median(gaps[0]), Median(times[0]));
  std::printf("%-28s %18.0f %12.2f\n", "a worker thread", Median(gaps[1]), Median(times[1]));
  return 0;
}
