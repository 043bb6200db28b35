// What the main window's commands do beyond calling the logic: the toolbar dispatch, the mouse
// mode, Copy and Paste through the clipboard, the batch watcher's tick, and which commands are
// enabled (none that would change what a run is building while it is in progress).
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include "about/about.h"
#include "commands/main_commands.h"
#include "gui/gridview/grid_view.h"
#include "gui/windows/mdi_main.h"
#include "nesting/batch_watcher.h"
#include "viewer/viewer_procedures.h"
#include "worklist/worklist_files.h"

namespace tv::gui {
namespace {

// Commands that change the work list, the settings, the sheet stock or the viewer's drawing,
// which a run builds its sheets in: disabled while a run is in progress.
const char* const kRunLockedCommands[] = {"mFOpen",        "mfLoadProc",     "mfSaveProc",
                                          "mfImpProcList", "mfMatDscr",      "mFSaveAsNewDXF",
                                          "mFPrtMPL",      "mFPrintExtents", "mFPrintCurrentView",
                                          "mfPAN",         "mEOptions",      "mESSClear",
                                          "SrchWL",        "VfyDXF",         "btnOpen",
                                          "btnPrint",      "MnuDel",         "MnuToProc",
                                          "MnuCUC",        "MnuClrProc",     "MnuPaste"};

}  // namespace

QAction* MdiMain::Command(const QString& name) const {
  return findChild<QAction*>(name);
}

void MdiMain::SetCommandAvailable(const QString& name, bool available) {
  if (available) {
    unavailable_.remove(name);
  } else {
    unavailable_.insert(name);
  }
  UpdateCommandStates();
}

void MdiMain::UpdateCommandStates() {
  QSet<QString> locked;
  if (program_.RunInProgress) {
    for (const char* name : kRunLockedCommands) locked.insert(QString::fromUtf8(name));
  }
  for (QAction* action : findChildren<QAction*>()) {
    const QString name = action->objectName();
    if (name.isEmpty() || action->isSeparator()) continue;
    action->setEnabled(!unavailable_.contains(name) && !locked.contains(name));
  }
}

void MdiMain::RunCommand(const std::function<void()>& command) {
  // A command reads the grids as the operator sees them: a cell being typed in is finished first.
  GridView::EndEditsBelow(this);
  if (command) command();
}

void MdiMain::Toolbar1_ButtonClick(const QString& key) {
  if (key == QLatin1String("btnOpen")) {
    RunCommand([this] { worklist::LoadWorkList(program_); });
  } else if (key == QLatin1String("btnPrint")) {
    if (QAction* extents = Command(QStringLiteral("mFPrintExtents")); extents && extents->isEnabled())
      extents->trigger();
  } else if (key == QLatin1String("btnZoomExtents")) {
    Command(QStringLiteral("mVZoomExtents"))->trigger();
  } else if (key == QLatin1String("btnZoomPrevious")) {
    Command(QStringLiteral("mVZoomPrevious"))->trigger();
  } else if (key == QLatin1String("btnKeyZoom")) {
    mVZFunction_Click(0);
  } else if (key == QLatin1String("btnKeyStatzoom")) {
    mVZFunction_Click(1);
  } else if (key == QLatin1String("btnPan")) {
    mVZFunction_Click(2);
  } else if (key == QLatin1String("btnLayers")) {
    mELayers_Click();
  } else if (key == QLatin1String("btnHelp")) {
    about::ShowHelpIndex(program_);
  }
  SetToolbarState();
}

void MdiMain::mVZFunction_Click(int index) {
  if (index < 0 || index > 2 || mdi_->activeSubWindow() == nullptr) return;
  const QString item = QStringLiteral("mVZFunction(%1)").arg(index);
  if (QAction* action = Command(item)) action->setChecked(true);
  static const char* const kButtons[] = {"btnKeyZoom", "btnKeyStatzoom", "btnPan"};
  if (QAction* button = Command(QString::fromUtf8(kButtons[index]))) button->setChecked(true);
  commands::SetMouseMode(program_, index);
}

void MdiMain::mELayers_Click() {
  commands::ToggleLayerList(program_);
}

void MdiMain::ShowExtentsAndZoom() {
  program_.ui().Tell(commands::ExtentsAndZoomText(program_), "", core::MsgIcon::Information);
}

void MdiMain::ShowZoomCoordinates() {
  program_.ui().Tell(commands::ZoomCoordinatesText(program_), "", core::MsgIcon::Information);
}

void MdiMain::CopyToClipboard() {
  QClipboard* clipboard = QApplication::clipboard();
  clipboard->clear();
  const std::string text = commands::CopyFocusedGrid(program_);
  if (!text.empty()) clipboard->setText(QString::fromStdString(text));
}

void MdiMain::PasteFromClipboard() {
  commands::PasteFocusedGrid(program_, QApplication::clipboard()->text().toStdString());
}

void MdiMain::BatchTick() {
  // The watcher rests while the source-folder dialog is open.
  if (!program_.Input.BatchWatcherOn || shutDown_) return;
  nesting::BLT_Timer(program_);
}

}  // namespace tv::gui
