// The main window's menu bar, toolbar, status bar and popup menu. Every item carries its name as
// its object name, so the program and its tests find it by name.
#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "commands/main_commands.h"
#include "gui/dialogs/frm_about.h"
#include "gui/dialogs/frm_options.h"
#include "gui/dialogs/frm_search.h"
#include "gui/printing/printing_commands.h"
#include "gui/windows/mdi_main.h"
#include "gui/windows/toolbar_icons.h"
#include "viewer/viewer_procedures.h"
#include "worklist/worklist_files.h"

namespace tv::gui {

QAction* MdiMain::AddCommand(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut,
                             std::function<void()> run) {
  auto* action = new QAction(QString::fromUtf8(caption), this);
  action->setObjectName(QString::fromUtf8(name));
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  connect(action, &QAction::triggered, this, [this, run = std::move(run)] { RunCommand(run); });
  if (menu != nullptr) menu->addAction(action);
  return action;
}

void MdiMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  auto* mFile = bar->addMenu(QStringLiteral("&File"));
  mFile->setObjectName(QStringLiteral("mFile"));
  AddCommand(mFile, "mFOpen", "&Open", QKeySequence(Qt::CTRL | Qt::Key_O),
             [this] { commands::OpenDrawing(program_); });
  mFile->addSeparator();
  AddCommand(mFile, "mfLoadProc", "&Load Work List", QKeySequence(Qt::CTRL | Qt::Key_L),
             [this] { worklist::LoadWorkList(program_); });
  AddCommand(mFile, "mfSaveProc", "&Save Work List", QKeySequence(Qt::CTRL | Qt::Key_S),
             [this] { worklist::SaveWorkList(program_); });
  mFile->addSeparator();
  AddCommand(mFile, "mfImpProcList", "Import &Work List ", QKeySequence(Qt::CTRL | Qt::Key_W),
             [this] { worklist::ImportWorkList(program_); });
  AddCommand(mFile, "mfMatDscr", "Import Material Descr. From &Nest", QKeySequence(Qt::CTRL | Qt::Key_N),
             [this] { worklist::ImportMaterialDescrFromNest(program_); });
  AddCommand(mFile, "mFSaveAsNewDXF", "Save &DXF as...", QKeySequence(Qt::CTRL | Qt::Key_D),
             [this] { commands::SaveDrawingAs(program_, lastSavedDrawing_); });
  mFile->addSeparator();
  AddCommand(mFile, "mFPrtMPL", "Print &Material Pull List", QKeySequence(Qt::CTRL | Qt::Key_M),
             [this] { printing_->mFPrtMPL_Click(); });
  mFile->addSeparator();
  AddCommand(mFile, "mFPrintExtents", "Print &Extents", QKeySequence(Qt::CTRL | Qt::Key_E),
             [this] { printing_->mFPrintExtents_Click(); });
  AddCommand(mFile, "mFPrintCurrentView", "Print &Current View", {},
             [this] { printing_->mFPrintCurrentView_Click(); });
  AddCommand(mFile, "mfPAN", "Print &All Nests", QKeySequence(Qt::CTRL | Qt::Key_A),
             [this] { printing_->mfPAN_Click(); });
  mFile->addSeparator();
  AddCommand(mFile, "mFClose", "Exit", {}, [this] { close(); });

  auto* mEdit = bar->addMenu(QStringLiteral("Edit"));
  mEdit->setObjectName(QStringLiteral("mEdit"));
  AddCommand(mEdit, "mELayers", "Layers...", {}, [this] { mELayers_Click(); });
  AddCommand(mEdit, "mEOptions", "Options...", {}, [this] {
    // Made anew for each use, as it opens with the view's current options.
    FrmOptions dialog(program_, this);
    dialog.exec();
  });
  AddCommand(mEdit, "mESSClear", "Sheet Stock Clear", {}, [this] { commands::SheetStockClear(program_); });
  AddCommand(mEdit, "SrchWL", "Search Worklist", {}, [this] { FrmSearch::ShowModal(program_, this); });

  auto* mView = bar->addMenu(QStringLiteral("&View"));
  mView->setObjectName(QStringLiteral("mView"));
  AddCommand(mView, "mVZoomExtents", "Zoom Extents", {}, [this] { viewer::ZoomExtents(program_, -1); });
  AddCommand(mView, "mVZoomPrevious", "Zoom Previous", {}, [this] {
    program_.DXF1.ZoomPrevious();
    program_.Notify(core::Change::Drawing);
  });
  mView->addSeparator();
  auto* zoomFunction = mView->addMenu(QStringLiteral("Zoom Function"));
  zoomFunction->setObjectName(QStringLiteral("mVZoomFunctionMenu"));
  zoomFunction->menuAction()->setObjectName(QStringLiteral("mVZoomFunction"));
  mouseModeItems_ = new QActionGroup(this);
  mouseModeItems_->setExclusive(true);
  const char* modes[] = {"Window", "On The Spot Zoom", "Pan"};
  for (int index = 0; index < 3; ++index) {
    const std::string name = "mVZFunction(" + std::to_string(index) + ")";
    QAction* item =
        AddCommand(zoomFunction, name.c_str(), modes[index], {}, [this, index] { mVZFunction_Click(index); });
    item->setCheckable(true);
    mouseModeItems_->addAction(item);
  }

  auto* mTools = bar->addMenu(QStringLiteral("Tools"));
  mTools->setObjectName(QStringLiteral("MTools"));
  AddCommand(mTools, "VfyDXF", "Verify DXFs in Worklist", {},
             [this] { worklist::VerifyDxfsInWorklist(program_); });

  auto* mHelp = bar->addMenu(QStringLiteral("Help"));
  mHelp->setObjectName(QStringLiteral("mHelp"));
  AddCommand(mHelp, "mHAbout", "About", {}, [this] { ShowAboutBox(program_, this); });
  AddCommand(mHelp, "mHOLHelp", "Online Help", {},
             [this] { program_.ui().OpenUrl(commands::OnlineManualUrl()); });
}

void MdiMain::LoadToolBarButtons() {
  toolbar1_->clear();
  mouseModeButtons_ = new QActionGroup(this);
  mouseModeButtons_->setExclusive(true);
  int separators = 0;
  const auto separator = [&] {
    QAction* sep = toolbar1_->addSeparator();
    sep->setObjectName(QStringLiteral("btnSep%1").arg(++separators));
  };
  const auto button = [&](const char* key, const char* tip, bool grouped) {
    const QString name = QString::fromUtf8(key);
    auto* action = new QAction(ToolbarIcon(name), QString(), this);
    action->setObjectName(name);
    action->setToolTip(QString::fromUtf8(tip));
    if (grouped) {
      action->setCheckable(true);
      mouseModeButtons_->addAction(action);
    }
    connect(action, &QAction::triggered, this, [this, name] { Toolbar1_ButtonClick(name); });
    toolbar1_->addAction(action);
  };
  separator();
  button("btnPrint", "Print the current view, fit to page", false);
  button("btnOpen", "Open Worklist", false);
  separator();
  button("btnZoomPrevious", "Go back to the previous view", false);
  button("btnZoomExtents", "Zoom to the full drawing extents", false);
  separator();
  button("btnKeyZoom", "Zoom in on a window", true);
  button("btnKeyStatzoom", "Stationary zoom. Click the left and right buttons to zoom in and out", true);
  button("btnPan", "Pan", true);
  separator();
  separator();
  button("btnLayers", "View and edit layer settings", false);
  separator();
  button("btnHelp", "Help", false);
  UpdateCommandStates();
}

// The view menu items and the view buttons are never disabled by the program itself; these only
// switch them on (a run in progress and windows still missing aside, see UpdateCommandStates).
void MdiMain::EnableViewMenus() {
  for (const char* name : {"mELayers", "mEOptions", "mFPrintCurrentView", "mFPrintExtents", "mFSaveAsNewDXF",
                           "mVZoomExtents", "mVZoomPrevious", "mVZoomFunction"}) {
    if (QAction* action = Command(QString::fromUtf8(name))) action->setVisible(true);
  }
  UpdateCommandStates();
}

void MdiMain::SetToolbarState() {
  UpdateCommandStates();
}

void MdiMain::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("SB"));
  bar->setSizeGripEnabled(true);
  struct Panel {
    const char* key;
    const char* text;
    int stretch;
    const char* widest;  // the longest text the panel shows whole
  };
  const Panel panels[] = {
      {"Panel1", "Tavolin", 0, "Tavolin"},  {"Progress", "", 1, "*** Loading Parts...*** "},
      {"ZoomState", "", 0, "Zoom Window "}, {"X", "X:", 0, "X: -99999.999"},
      {"Y", "Y:", 0, "Y: -99999.999"},      {"ZoomPct", "", 0, "Spot Zoom (L/R): 200% / 200%"},
  };
  for (const Panel& panel : panels) {
    auto* label = new QLabel(QString::fromUtf8(panel.text), bar);
    label->setObjectName(QString::fromUtf8(panel.key));
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString::fromUtf8(panel.widest)) + 12);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    bar->addPermanentWidget(label, panel.stretch);
  }
}

void MdiMain::BuildPopup() {
  popMnu_ = new QMenu(QStringLiteral("Pop"), this);
  popMnu_->setObjectName(QStringLiteral("PopMnu"));
  const auto flag = [this](const char* name, const char* caption, bool core::Program::*request) {
    AddCommand(popMnu_, name, caption, {}, [this, request] { program_.*request = true; });
  };
  flag("MnuExp", "Expand", &core::Program::PopupExpandRequested);
  flag("MnuDel", "Delete ", &core::Program::PopupDeleteRequested);
  flag("MnuToProc", "Move Selected Files To Work List", &core::Program::PopupToWorkListRequested);
  flag("MnuCUC", "Check/Uncheck Selected Rows", &core::Program::PopupCheckUncheckRequested);
  flag("MnuClrProc", "Clear Work List", &core::Program::PopupClearWorkListRequested);
  QAction* sep = popMnu_->addSeparator();
  sep->setObjectName(QStringLiteral("PopSep"));
  AddCommand(popMnu_, "MnuCopy", "Copy", {}, [this] { CopyToClipboard(); });
  AddCommand(popMnu_, "MnuPaste", "Paste", {}, [this] { PasteFromClipboard(); });
}

}  // namespace tv::gui
