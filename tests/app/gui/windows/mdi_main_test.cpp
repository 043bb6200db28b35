// The main window on a started program: its title, the child windows placed from twips, the
// status panels, every menu item and toolbar button by name with its effect or its disabled
// state, the shortcuts (not from a text box using the same keys), the popup menu with Copy and
// Paste, the shut-down on every way of closing, and the layer-list toggle.
#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QtTest>

#include "commands/main_layout.h"
#include "gui/windows/file_mgr.h"
#include "support/ini.h"
#include "testing/modal_answerer.h"
#include "testing/qt_offscreen.h"
#include "window_fixture.h"

namespace tv::gui {

class MdiMainTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { test_support::UseOffscreenQtWhenUnset(); }

 private slots:
  void startUpPlacesTheChildWindowsByTwips();
  void resizeRefitsHeightsOnly();
  void statusPanelsByKey();
  void menuItemsAndToolbarButtonsByName();
  void mouseModeFromMenuAndToolbar();
  void sheetStockClearAsksFirst();
  void popupItemsSetRequestsAndCopyPasteUseTheFocusedGrid();
  void shortcutsFireButNotFromATextBoxUsingTheKeys();
  void childWindowsCannotBeClosed();
  void everyWayOfClosingSavesTheSame_data();
  void everyWayOfClosingSavesTheSame();
};

void MdiMainTest::startUpPlacesTheChildWindowsByTwips() {
  StartedWindow w;
  QVERIFY(w.started);
  QCOMPARE(w.window->windowTitle(), QStringLiteral("Tavolin  -  Automatic Panel Nesting"));
  QCOMPARE(w.window->InputWindowPlace()->windowTitle(), QStringLiteral("Input Selection"));
  QCOMPARE(w.window->StockWindowPlace()->windowTitle(), QStringLiteral("Material"));

  const double dpi = w.window->Dpi();
  const QSize client = w.window->ClientArea()->viewport()->size();
  const long clientHeight = commands::PixelsToTwips(client.height(), dpi);
  const long clientWidth = commands::PixelsToTwips(client.width(), dpi);
  const auto px = [dpi](long twips) { return commands::TwipsToPixels(twips, dpi); };
  QCOMPARE(w.window->InputWindowPlace()->geometry(), QRect(0, 0, px(4000), px(clientHeight)));
  QCOMPARE(w.window->StockWindowPlace()->geometry(), QRect(px(4000), 0, px(clientWidth - 4000), px(3600)));
  QCOMPARE(w.window->ViewerPlace()->geometry(),
           QRect(px(4000), px(3600), px(clientWidth - 4000), px(clientHeight - 3600)));
  if (dpi == 96) {
    QCOMPARE(w.window->InputWindowPlace()->width(), 267);
    QCOMPARE(w.window->ViewerPlace()->y(), 240);
  }
  QCOMPARE(w.program.RightPaneWidth, clientWidth - 4000);

  // What the start-up did to the program folder and the program.
  QVERIFY(fs::is_directory(w.Path("TMP")));
  QVERIFY(fs::is_directory(w.Path("NestTmp")));
  QCOMPARE(QString::fromStdString(w.program.AppDir), QString::fromStdString(w.folder.Path()));
  QCOMPARE(QString::fromStdString(w.program.FrameSetCaption), QStringLiteral("Tavo.CFG"));
  QVERIFY(w.window->BatchTimer()->isActive());
  QCOMPARE(w.window->BatchTimer()->interval(), 1000);
  if (qEnvironmentVariableIsSet("TAVOLIN_SCREENSHOTS")) {
    QTest::qWait(100);  // the toolbar's layout follows its new buttons on the next events
    w.window->grab().save(qEnvironmentVariable("TAVOLIN_SCREENSHOTS") + QStringLiteral("/startup.png"));
  }
}

void MdiMainTest::resizeRefitsHeightsOnly() {
  StartedWindow w;
  QVERIFY(w.started);
  const QRect stock = w.window->StockWindowPlace()->geometry();
  const QRect viewer = w.window->ViewerPlace()->geometry();
  w.window->resize(w.window->width() + 100, w.window->height() + 120);
  QTRY_COMPARE(w.window->InputWindowPlace()->height(), w.window->ClientArea()->viewport()->height());
  QCOMPARE(w.window->StockWindowPlace()->geometry(), stock);
  QCOMPARE(w.window->ViewerPlace()->width(), viewer.width());
  QCOMPARE(w.window->ViewerPlace()->y(), viewer.y());
  QVERIFY(w.window->ViewerPlace()->height() > viewer.height());
}

void MdiMainTest::statusPanelsByKey() {
  StartedWindow w;
  QVERIFY(w.started);
  auto* bar = w.window->statusBar();
  QCOMPARE(bar->objectName(), QStringLiteral("SB"));
  const struct {
    const char* key;
    const char* text;
  } panels[] = {
      {"Panel1", "Tavolin"}, {"Progress", ""}, {"ZoomState", "Zoom Window "}, {"X", "X:"}, {"Y", "Y:"}};
  for (const auto& panel : panels) {
    auto* label = bar->findChild<QLabel*>(QString::fromUtf8(panel.key));
    QVERIFY2(label != nullptr, panel.key);
    QCOMPARE(label->text(), QString::fromUtf8(panel.text));
  }
  QVERIFY(bar->findChild<QLabel*>(QStringLiteral("ZoomPct"))->text().startsWith(QStringLiteral("Spot Zoom")));
  w.ui.SetStatus(core::StatusPanel::Progress, "*** Loading Parts...*** ");
  QCOMPARE(bar->findChild<QLabel*>(QStringLiteral("Progress"))->text(),
           QStringLiteral("*** Loading Parts...*** "));
}

void MdiMainTest::menuItemsAndToolbarButtonsByName() {
  StartedWindow w;
  QVERIFY(w.started);
  const struct {
    const char* name;
    const char* caption;
    QKeySequence shortcut;
    bool enabled;  // windows that are built elsewhere and not here yet stay disabled
  } items[] = {
      {"mFOpen", "&Open", QKeySequence(Qt::CTRL | Qt::Key_O), true},
      {"mfLoadProc", "&Load Work List", QKeySequence(Qt::CTRL | Qt::Key_L), true},
      {"mfSaveProc", "&Save Work List", QKeySequence(Qt::CTRL | Qt::Key_S), true},
      {"mfImpProcList", "Import &Work List ", QKeySequence(Qt::CTRL | Qt::Key_W), true},
      {"mfMatDscr", "Import Material Descr. From &Nest", QKeySequence(Qt::CTRL | Qt::Key_N), true},
      {"mFSaveAsNewDXF", "Save &DXF as...", QKeySequence(Qt::CTRL | Qt::Key_D), true},
      {"mFPrtMPL", "Print &Material Pull List", QKeySequence(Qt::CTRL | Qt::Key_M), true},
      {"mFPrintExtents", "Print &Extents", QKeySequence(Qt::CTRL | Qt::Key_E), true},
      {"mFPrintCurrentView", "Print &Current View", QKeySequence(), true},
      {"mfPAN", "Print &All Nests", QKeySequence(Qt::CTRL | Qt::Key_A), true},
      {"mFClose", "Exit", QKeySequence(), true},
      {"mELayers", "Layers...", QKeySequence(), true},
      {"mEOptions", "Options...", QKeySequence(), true},
      {"mESSClear", "Sheet Stock Clear", QKeySequence(), true},
      {"SrchWL", "Search Worklist", QKeySequence(), true},
      {"mVZoomExtents", "Zoom Extents", QKeySequence(), true},
      {"mVZoomPrevious", "Zoom Previous", QKeySequence(), true},
      {"mVZoomFunction", "Zoom Function", QKeySequence(), true},
      {"mVZFunction(0)", "Window", QKeySequence(), true},
      {"mVZFunction(1)", "On The Spot Zoom", QKeySequence(), true},
      {"mVZFunction(2)", "Pan", QKeySequence(), true},
      {"VfyDXF", "Verify DXFs in Worklist", QKeySequence(), true},
      {"mHAbout", "About", QKeySequence(), true},
      {"mHOLHelp", "Online Help", QKeySequence(), true},
  };
  for (const auto& item : items) {
    QAction* action = w.window->Command(QString::fromUtf8(item.name));
    QVERIFY2(action != nullptr, item.name);
    QCOMPARE(action->text(), QString::fromUtf8(item.caption));
    QCOMPARE(action->shortcut(), item.shortcut);
    QVERIFY2(action->isEnabled() == item.enabled, item.name);
  }
  const QStringList menus = {QStringLiteral("&File"), QStringLiteral("Edit"), QStringLiteral("&View"),
                             QStringLiteral("Tools"), QStringLiteral("Help")};
  QStringList shown;
  for (QAction* menu : w.window->menuBar()->actions()) shown << menu->text();
  QCOMPARE(shown, menus);

  // The toolbar: 15 buttons in order, separators included, with their tips.
  auto* toolbar = w.window->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
  QVERIFY(toolbar != nullptr);
  QStringList keys;
  for (QAction* action : toolbar->actions()) keys << action->objectName();
  QCOMPARE(keys, (QStringList{"btnSep1", "btnPrint", "btnOpen", "btnSep2", "btnZoomPrevious",
                              "btnZoomExtents", "btnSep3", "btnKeyZoom", "btnKeyStatzoom", "btnPan",
                              "btnSep4", "btnSep5", "btnLayers", "btnSep6", "btnHelp"}));
  QCOMPARE(w.window->Command(QStringLiteral("btnPrint"))->toolTip(),
           QStringLiteral("Print the current view, fit to page"));
  QCOMPARE(w.window->Command(QStringLiteral("btnKeyStatzoom"))->toolTip(),
           QStringLiteral("Stationary zoom. Click the left and right buttons to zoom in and out"));
  for (const char* key : {"btnPrint", "btnOpen", "btnZoomPrevious", "btnZoomExtents", "btnKeyZoom",
                          "btnKeyStatzoom", "btnPan", "btnLayers", "btnHelp"}) {
    QAction* button = w.window->Command(QString::fromUtf8(key));
    QVERIFY2(button->isEnabled() && !button->icon().isNull(), key);
  }

  // A command made unavailable is disabled until it is made available again.
  w.window->SetCommandAvailable(QStringLiteral("mEOptions"), false);
  QVERIFY(!w.window->Command(QStringLiteral("mEOptions"))->isEnabled());
  w.window->SetCommandAvailable(QStringLiteral("mEOptions"), true);
  QVERIFY(w.window->Command(QStringLiteral("mEOptions"))->isEnabled());

  // Items that only call the logic: the layer list, the zoom commands, the work-list dialogs.
  QVERIFY(!w.program.LayerListShown);
  w.window->Command(QStringLiteral("mELayers"))->trigger();
  QVERIFY(w.program.LayerListShown);
  w.window->Command(QStringLiteral("btnLayers"))->trigger();
  QVERIFY(!w.program.LayerListShown);
  w.window->Command(QStringLiteral("mVZoomExtents"))->trigger();
  w.window->Command(QStringLiteral("btnZoomPrevious"))->trigger();

  ModalAnswerer answerer;
  const struct {
    const char* name;
    const char* title;
  } dialogs[] = {{"mfLoadProc", "Load Process List"}, {"btnOpen", "Load Process List"},
                 {"mfSaveProc", "Save Process List"}, {"mfImpProcList", "Import Worklist to Process"},
                 {"mFOpen", "Open DXF File"},         {"mFSaveAsNewDXF", "Save DXF File As..."}};
  // Help > About: the About box, modal, with its OK button; the splash is gone by now.
  QVERIFY(w.window->findChildren<QDialog*>(QStringLiteral("frmAbout")).isEmpty() ||
          !w.window->findChild<QDialog*>(QStringLiteral("frmAbout"))->isVisible());
  bool okShown = false;
  answerer.ExpectDialog(QStringLiteral("frmAbout"), [&okShown](QDialog* d) {
    okShown = d->findChild<QWidget*>(QStringLiteral("cmdOK"))->isVisible();
    d->reject();
    return true;
  });
  w.window->Command(QStringLiteral("mHAbout"))->trigger();
  QVERIFY(okShown);
  for (const auto& dialog : dialogs) {
    QString title;
    answerer.ExpectDialog(QStringLiteral("FileDialog"), [&title](QDialog* d) {
      title = d->windowTitle();
      d->reject();
      return true;
    });
    w.window->Command(QString::fromUtf8(dialog.name))->trigger();
    QCOMPARE(title, QString::fromUtf8(dialog.title));
  }
  QVERIFY2(answerer.Unexpected().isEmpty(), qPrintable(answerer.Unexpected().join('\n')));
  QCOMPARE(answerer.Pending(), 0);
}

void MdiMainTest::mouseModeFromMenuAndToolbar() {
  StartedWindow w;
  QVERIFY(w.started);
  auto* zoomState = w.window->statusBar()->findChild<QLabel*>(QStringLiteral("ZoomState"));
  w.window->Command(QStringLiteral("mVZFunction(2)"))->trigger();
  QCOMPARE(zoomState->text(), QStringLiteral("Pan "));
  QVERIFY(w.window->Command(QStringLiteral("btnPan"))->isChecked());
  QCOMPARE(w.program.DXF1.ZoomFunction(), 2);
  w.window->Command(QStringLiteral("btnKeyStatzoom"))->trigger();
  QCOMPARE(zoomState->text(), QStringLiteral("Zoom Spot "));
  QVERIFY(w.window->Command(QStringLiteral("mVZFunction(1)"))->isChecked());
  QVERIFY(!w.window->Command(QStringLiteral("mVZFunction(2)"))->isChecked());
  // Without an active child window nothing changes.
  w.window->ClientArea()->setActiveSubWindow(nullptr);
  if (w.window->ClientArea()->activeSubWindow() == nullptr) {
    w.window->mVZFunction_Click(0);
    QCOMPARE(zoomState->text(), QStringLiteral("Zoom Spot "));
    QCOMPARE(w.program.DXF1.ZoomFunction(), 1);
  }
}

void MdiMainTest::sheetStockClearAsksFirst() {
  StartedWindow w;
  QVERIFY(w.started);
  const std::string material = w.program.SSList.CellText(1, 2);
  QVERIFY(!material.empty());
  ModalAnswerer answerer;
  answerer.ExpectBox(QStringLiteral("This will clear all entries"), QMessageBox::No);
  w.window->Command(QStringLiteral("mESSClear"))->trigger();
  QCOMPARE(w.program.SSList.CellText(1, 2), material);
  answerer.ExpectBox(QStringLiteral("Do you want to continue?"), QMessageBox::Yes);
  w.window->Command(QStringLiteral("mESSClear"))->trigger();
  QCOMPARE(w.program.SSList.CellText(1, 2), std::string());
  QCOMPARE(
      answerer.Answered().front(),
      QStringLiteral("Deleting Sheet Stock Material|This will clear all entries in the Sheet Stock Materials "
                     "list.\nDo you want to continue?"));
  QVERIFY(answerer.Unexpected().isEmpty());
}

void MdiMainTest::popupItemsSetRequestsAndCopyPasteUseTheFocusedGrid() {
  StartedWindow w;
  QVERIFY(w.started);
  QMenu* popup = w.window->PopupMenu();
  QCOMPARE(popup->objectName(), QStringLiteral("PopMnu"));
  QStringList names;
  for (QAction* action : popup->actions()) names << action->objectName();
  QCOMPARE(names, (QStringList{"MnuExp", "MnuDel", "MnuToProc", "MnuCUC", "MnuClrProc", "PopSep", "MnuCopy",
                               "MnuPaste"}));
  const struct {
    const char* name;
    bool core::Program::*flag;
  } flags[] = {{"MnuExp", &core::Program::PopupExpandRequested},
               {"MnuDel", &core::Program::PopupDeleteRequested},
               {"MnuToProc", &core::Program::PopupToWorkListRequested},
               {"MnuCUC", &core::Program::PopupCheckUncheckRequested},
               {"MnuClrProc", &core::Program::PopupClearWorkListRequested}};
  for (const auto& f : flags) {
    QVERIFY(!(w.program.*f.flag));
    w.window->Command(QString::fromUtf8(f.name))->trigger();
    QVERIFY2(w.program.*f.flag, f.name);
  }

  w.program.FocusedGrid = 2;
  w.program.SSList.ClearSelection();
  w.program.SSList.SetActiveCell(1, 2);
  const std::string material = w.program.SSList.CellText(1, 2);
  w.window->Command(QStringLiteral("MnuCopy"))->trigger();
  QCOMPARE(QApplication::clipboard()->text().trimmed(), QString::fromStdString(material));
  const long rows = w.program.SSList.MaxRows();
  w.program.SSList.SetActiveCell(rows - 1, 2);
  QApplication::clipboard()->setText(QStringLiteral("  BIRCH 18  "));
  w.window->Command(QStringLiteral("MnuPaste"))->trigger();
  QCOMPARE(w.program.SSList.CellText(rows - 1, 2), std::string("BIRCH 18"));
  QCOMPARE(w.program.SSList.CellText(rows, 2), std::string("BIRCH 18"));
}

void MdiMainTest::shortcutsFireButNotFromATextBoxUsingTheKeys() {
  StartedWindow w;
  QVERIFY(w.started);
  w.window->activateWindow();
  int printAll = 0;
  QAction* pan = w.window->Command(QStringLiteral("mfPAN"));
  w.window->SetCommandAvailable(QStringLiteral("mfPAN"), true);
  connect(pan, &QAction::triggered, [&printAll] { ++printAll; });

  auto* box = new QLineEdit(QStringLiteral("some text"), w.window->InputWindow());
  box->show();
  box->setFocus();
  QTRY_VERIFY(box->hasFocus());
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QCOMPARE(printAll, 0);
  QCOMPARE(box->selectedText(), QStringLiteral("some text"));

  // A grid selects all with the same keys.
  auto* grid = new QTableWidget(3, 3, w.window->InputWindow());
  grid->show();
  grid->setFocus();
  QTRY_VERIFY(grid->hasFocus());
  QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
  QCOMPARE(printAll, 0);
  QCOMPARE(grid->selectedItems().size() + grid->selectionModel()->selectedIndexes().size() > 0, true);

  w.window->ClientArea()->setFocus();
  QTest::keyClick(w.window->ClientArea(), Qt::Key_A, Qt::ControlModifier);
  QCOMPARE(printAll, 1);

  ModalAnswerer answerer;
  QString title;
  answerer.ExpectDialog(QStringLiteral("FileDialog"), [&title](QDialog* d) {
    title = d->windowTitle();
    d->reject();
    return true;
  });
  QTest::keyClick(w.window->ClientArea(), Qt::Key_L, Qt::ControlModifier);
  QCOMPARE(title, QStringLiteral("Load Process List"));
}

void MdiMainTest::childWindowsCannotBeClosed() {
  StartedWindow w;
  QVERIFY(w.started);
  for (QMdiSubWindow* place :
       {w.window->InputWindowPlace(), w.window->StockWindowPlace(), w.window->ViewerPlace()}) {
    QVERIFY(!(place->windowFlags() & Qt::WindowCloseButtonHint));
    for (QAction* action : place->systemMenu()->actions())
      QVERIFY(!action->text().contains(QStringLiteral("Close")));
    place->close();
    QVERIFY(place->isVisible());
  }
}

void MdiMainTest::everyWayOfClosingSavesTheSame_data() {
  QTest::addColumn<QString>("how");
  QTest::newRow("File > Exit") << QStringLiteral("exit");
  QTest::newRow("close box") << QStringLiteral("close");
  QTest::newRow("session ends") << QStringLiteral("session");
}

void MdiMainTest::everyWayOfClosingSavesTheSame() {
  QFETCH(QString, how);
  StartedWindow w;
  QVERIFY(w.started);
  w.program.SSList.SetCellText(3, 2, "BIRCH PLY 18");
  w.program.FrameSetCaption = "Shop.CFG";
  ModalAnswerer answerer;
  if (how == QLatin1String("exit")) {
    w.window->Command(QStringLiteral("mFClose"))->trigger();
  } else if (how == QLatin1String("close")) {
    w.window->close();
  } else {
    w.window->EndSession();
  }
  QVERIFY(w.window->ShutDown());
  QVERIFY(!w.window->isVisible());
  QVERIFY(!w.window->BatchTimer()->isActive());
  QVERIFY(test_support::ReadText(w.Path("Mat.dat")).find("BIRCH PLY 18") != std::string::npos);
  QVERIFY(test_support::ReadText(w.Path("Shop.CFG")).find("Nest Name,NEST") != std::string::npos);
  QCOMPARE(QString::fromStdString(support::ReadIni(w.program, "Config", "CfgFile")),
           QStringLiteral("Shop.CFG"));
  // Never asks.
  QVERIFY(answerer.Unexpected().isEmpty());
}

}  // namespace tv::gui

QTEST_MAIN(tv::gui::MdiMainTest)
#include "mdi_main_test.moc"
