// Nesting runs in the real window: the commands that would change what a run builds are disabled
// and refused while it yields, a close waits for the run and then shuts down, the batch watcher's
// timer picks a request up (and rests while the source-folder dialog is open), and Optimize on
// the worker thread writes exactly the files the synchronous call writes.
#include <QAction>
#include <QClipboard>
#include <QTimer>
#include <QtTest>
#include <map>
#include <regex>
#include <sstream>

#include "nesting/run_driver.h"
#include "settings/setting_lookup.h"
#include "stock/stock_window.h"
#include "testing/generated_job.h"
#include "testing/modal_answerer.h"
#include "testing/qt_offscreen.h"
#include "testing/scripted_ui.h"
#include "window_fixture.h"
#include "worklist/input_window.h"
#include "worklist/row_builder.h"

namespace tv::gui {
namespace {

// The drawings of a folder, all selected, added to the work list.
void AddJob(core::Program& program, const std::string& folder) {
  worklist::SPath_Change(program, folder);
  program.Input.SourceList.Selected.assign(program.Input.SourceList.Items.size(), true);
  worklist::AddFile_Click(program);
}

// Sets a YES/NO setting as a click on its check box leaves it.
void Flag(core::Program& program, const std::string& name, bool on) {
  const long row = settings::FindSettingRow(program, name);
  program.Settings.SetCellKindAt(row, 2, grid::Kind::CheckBox);
  program.Settings.SetCheckValueAt(row, 2, on ? 1 : 0);
  program.Settings.SetCheckCaptionAt(row, 2, on ? " Yes" : " No");
}

// Every file of the nest and CSV folders, the clock time and the program folder taken out.
std::map<std::string, std::string> WrittenFiles(const std::string& root) {
  static const std::regex kTime("  -  [0-9]{2}:[0-9]{2}:[0-9]{2}  -  [0-9]{4}-[0-9]{2}-[0-9]{2}  -  ");
  std::map<std::string, std::string> files;
  for (const char* folder : {"Nests", "CSV"}) {
    if (!fs::exists(root + folder)) continue;
    for (const auto& entry : fs::directory_iterator(root + folder)) {
      std::string text = std::regex_replace(test_support::ReadText(entry.path()), kTime, "  -  <time>  -  ");
      for (size_t at = text.find(root); at != std::string::npos; at = text.find(root, at)) {
        text.replace(at, root.size(), "<root>/");
      }
      files[fs::relative(entry.path(), root).string()] = text;
    }
  }
  return files;
}

// The same job run headless, Optimize called on the caller's thread.
std::map<std::string, std::string> SynchronousRun(int generatedParts) {
  test_support::TempFolder folder;
  SeedProgramFolder(folder.Path());
  test_support::ScriptedUi ui;
  core::Program program(ui);
  program.AppDir = folder.Path();
  program.IniPath = folder.Path() + "TAVO.INI";
  program.RegistryFolder = folder.Path() + "registry";
  program.PrinterFonts = [] { return std::vector<std::string>{"Sans"}; };
  if (worklist::InputWindow_Load(program) != worklist::InputWindowLoad::Loaded) return {};
  stock::ShtStk_Load(program);
  if (generatedParts > 0) test_support::GenerateCabinetJob(folder.Path() + "Generated", generatedParts);
  AddJob(program, folder.Path() + (generatedParts > 0 ? "Generated/" : "Parts/"));
  nesting::Proc_Click(program);
  if (ui.BackgroundWorkCalls() == 0) return {};
  return WrittenFiles(folder.Path());
}

}  // namespace

class RunWindowTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { test_support::UseOffscreenQtWhenUnset(); }

 private slots:
  void commandsWaitWhileARunYields();
  void closeDuringARunWaitsForItsEnd();
  void batchTimerPicksUpARequestButNotWhileTheFolderDialogIsOpen();
  void optimizeOnTheWorkerWritesWhatTheSynchronousCallWrites_data();
  void optimizeOnTheWorkerWritesWhatTheSynchronousCallWrites();
};

void RunWindowTest::commandsWaitWhileARunYields() {
  StartedWindow w;
  QVERIFY(w.started);
  AddJob(w.program, w.Path("Parts/"));
  QVERIFY(w.program.Input.ProcEnabled);

  // Delivered through the window's event loop while the run yields.
  bool seen = false, loadEnabled = true, clearEnabled = true, busy = false;
  QTimer during;
  during.setInterval(0);
  connect(&during, &QTimer::timeout, [&] {
    if (!w.program.RunInProgress || seen) return;
    seen = true;
    loadEnabled = w.window->Command(QStringLiteral("mfLoadProc"))->isEnabled();
    clearEnabled = w.window->Command(QStringLiteral("mESSClear"))->isEnabled();
    busy = QApplication::overrideCursor() != nullptr;
    // A shortcut and a paste: neither may reach the work list or the stock.
    QTest::keyClick(w.window.get(), Qt::Key_L, Qt::ControlModifier);
    w.program.FocusedGrid = 2;
    w.program.SSList.SetActiveCell(1, 2);
    QApplication::clipboard()->setText(QStringLiteral("PASTED"));
    w.window->Command(QStringLiteral("MnuPaste"))->trigger();
    w.program.SSList.UserEditText(2, 2, "TYPED");
  });
  during.start();
  ModalAnswerer answerer;  // no dialog may open
  nesting::Proc_Click(w.program);
  during.stop();
  QVERIFY(seen);
  QVERIFY(!loadEnabled);
  QVERIFY(!clearEnabled);
  QVERIFY(busy);
  QVERIFY(w.program.SSList.CellText(1, 2) != "PASTED");
  QVERIFY(w.program.SSList.CellText(2, 2) != "TYPED");
  QVERIFY(!w.program.NestFiles.empty());
  QVERIFY2(answerer.Unexpected().isEmpty(), qPrintable(answerer.Unexpected().join('\n')));
  // After the run all is back.
  QVERIFY(w.window->Command(QStringLiteral("mfLoadProc"))->isEnabled());
  QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void RunWindowTest::closeDuringARunWaitsForItsEnd() {
  StartedWindow w;
  QVERIFY(w.started);
  AddJob(w.program, w.Path("Parts/"));
  w.program.FrameSetCaption = "Shop.CFG";
  bool shutDownDuringRun = false;
  QTimer::singleShot(0, w.window.get(), [&] {
    w.window->close();
    shutDownDuringRun = w.window->ShutDown();
  });
  nesting::Proc_Click(w.program);
  QVERIFY(!shutDownDuringRun);
  QVERIFY(!w.program.NestFiles.empty());
  QVERIFY(!fs::exists(w.Path("Shop.CFG")));
  QTRY_VERIFY(w.window->ShutDown());
  QVERIFY(!w.window->isVisible());
  QVERIFY(fs::exists(w.Path("Shop.CFG")));
}

void RunWindowTest::batchTimerPicksUpARequestButNotWhileTheFolderDialogIsOpen() {
  StartedWindow w;
  QVERIFY(w.started);
  Flag(w.program, "Respond to Batch", true);
  const std::string request = w.Path("Parts/Batch.lst");
  test_support::WriteText(request, "B1_LeftSide.dxf\r\nB1_Bottom.dxf\r\nB1_Back.dxf\r\n");

  // The source-folder dialog stays open for three ticks: the request waits.
  ModalAnswerer answerer;
  QElapsedTimer open;
  bool waited = false;
  answerer.ExpectDialog(QStringLiteral("FolderDialog"), [&](QDialog* dialog) {
    if (!open.isValid()) open.start();
    if (open.elapsed() < 3200) return false;
    waited = fs::exists(request);
    dialog->reject();
    return true;
  });
  worklist::PBrwseS_Click(w.program);
  QVERIFY(waited);
  QVERIFY(w.program.NestFiles.empty());

  QTRY_VERIFY_WITH_TIMEOUT(!fs::exists(request), 10000);
  QTRY_VERIFY_WITH_TIMEOUT(!w.program.RunInProgress && !w.program.NestFiles.empty(), 10000);
  QVERIFY2(answerer.Unexpected().isEmpty(), qPrintable(answerer.Unexpected().join('\n')));
}

void RunWindowTest::optimizeOnTheWorkerWritesWhatTheSynchronousCallWrites_data() {
  QTest::addColumn<int>("generatedParts");
  QTest::newRow("sample job") << 0;
  QTest::newRow("500 generated parts") << 500;
}

void RunWindowTest::optimizeOnTheWorkerWritesWhatTheSynchronousCallWrites() {
  QFETCH(int, generatedParts);
  const auto expected = SynchronousRun(generatedParts);
  QVERIFY(!expected.empty());

  StartedWindow w;
  QVERIFY(w.started);
  if (generatedParts > 0) test_support::GenerateCabinetJob(w.Path("Generated"), generatedParts);
  AddJob(w.program, w.Path(generatedParts > 0 ? "Generated/" : "Parts/"));
  // The window keeps handling events while the run is in Optimize.
  int ticks = 0;
  QTimer ticker;
  ticker.setInterval(20);
  connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
  ticker.start();
  ModalAnswerer answerer;
  nesting::Proc_Click(w.program);
  ticker.stop();
  QVERIFY(ticks > 0);
  QVERIFY2(answerer.Unexpected().isEmpty(), qPrintable(answerer.Unexpected().join('\n')));

  if (generatedParts == 0 && qEnvironmentVariableIsSet("TAVOLIN_SCREENSHOTS")) {
    w.window->grab().save(qEnvironmentVariable("TAVOLIN_SCREENSHOTS") + QStringLiteral("/after-run.png"));
  }
  const auto written = WrittenFiles(w.folder.Path());
  QCOMPARE(written.size(), expected.size());
  for (const auto& [name, text] : expected) {
    const auto found = written.find(name);
    QVERIFY2(found != written.end(), name.c_str());
    QVERIFY2(found->second == text, name.c_str());
  }
}

}  // namespace tv::gui

QTEST_MAIN(tv::gui::RunWindowTest)
#include "run_window_test.moc"
