// The input window's right clicks: the shared popup menu over the source list and the work
// list, and the expand and restore of the lists, the work list and the settings frame.
#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>

#include "gui/gridview/grid_view.h"
#include "gui/windows/file_mgr.h"
#include "gui/windows/mdi_main.h"
#include "worklist/input_window.h"

namespace tv::gui {
namespace {

// Shows or hides a popup item and sets its caption (an empty caption keeps the one it has).
void Item(QMenu* menu, const char* name, bool visible, const char* caption = "") {
  for (QAction* action : menu->actions()) {
    if (action->objectName() != QLatin1String(name)) continue;
    action->setVisible(visible);
    if (*caption != '\0') action->setText(QString::fromUtf8(caption));
  }
}

}  // namespace

QMenu* FileMgr::PopupMenu() const {
  const auto* main = qobject_cast<const MdiMain*>(window());
  return main != nullptr ? main->PopupMenu() : nullptr;
}

void FileMgr::RunPopup(QMenu* menu, QPoint globalPos) {
  if (popupRunner_) {
    popupRunner_(menu, globalPos);
  } else {
    menu->exec(globalPos);
  }
}

void FileMgr::File1_MouseUp(QPoint globalPos) {
  QMenu* menu = PopupMenu();
  if (menu == nullptr) return;
  const long h = InnerHeightTwips();
  Item(menu, "MnuExp", true, commands::SourceListExpanded(layout_, h) ? "Restore" : "Expand");
  Item(menu, "MnuDel", true, "Delete Selected Files");
  Item(menu, "MnuToProc", true);
  for (const char* hidden : {"MnuClrProc", "MnuCUC", "PopSep", "MnuCopy", "MnuPaste"})
    Item(menu, hidden, false);
  RunPopup(menu, globalPos);
  if (worklist::SourceListPopupClosed(program_) == worklist::PopupRequest::Expand) {
    commands::ToggleSourceList(layout_, h);
    ApplyLayout();
  }
}

void FileMgr::File2_MouseUp() {
  commands::ToggleNestList(layout_, InnerHeightTwips());
  ApplyLayout();
}

void FileMgr::PList_RightClick(QPoint globalPos) {
  QMenu* menu = PopupMenu();
  if (menu == nullptr) return;
  const bool expanded = commands::WorkListExpanded(layout_, InnerHeightTwips());
  Item(menu, "MnuExp", true, expanded ? "Restore" : "Expand");
  Item(menu, "MnuDel", true, "Delete Selected Rows");
  Item(menu, "MnuToProc", false);
  for (const char* shown : {"MnuClrProc", "MnuCUC", "PopSep", "MnuCopy", "MnuPaste"}) Item(menu, shown, true);
  RunPopup(menu, globalPos);
  if (worklist::WorkListPopupClosed(program_) == worklist::PopupRequest::Expand) ExpandOrRestoreWorkList();
}

void FileMgr::ExpandOrRestoreWorkList() {
  if (!commands::WorkListExpanded(layout_, InnerHeightTwips())) {
    // The window takes the main window's whole width and comes to the front with the grid.
    if (auto* place = qobject_cast<QMdiSubWindow*>(parentWidget())) {
      if (QWidget* area = place->parentWidget()) {
        SetWindowWidth(commands::PixelsToTwips(area->width(), Dpi()));
      }
      place->raise();
    }
    commands::ExpandWorkList(layout_, InnerHeightTwips());
    ApplyLayout();
    return;
  }
  commands::RestoreWorkList(layout_, InnerHeightTwips());
  ApplyLayout();
  SetWindowWidth(commands::kRestoredWidth);
}

void FileMgr::Settings_MouseUp() {
  const long h = InnerHeightTwips();
  if (commands::SettingsFrameExpanded(layout_, h)) {
    commands::RestoreSettingsFrame(layout_, h);
    ApplyLayout();
    SetWindowWidth(commands::kRestoredWidth);
    return;
  }
  SetWindowWidth(commands::kSettingsExpandedWidth);
  settings_->setFocus(Qt::OtherFocusReason);
  commands::ExpandSettingsFrame(layout_, InnerHeightTwips());
  ApplyLayout();
}

void FileMgr::SetWindowWidth(long twips) {
  QWidget* target = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (target == nullptr) target = this;
  const int pixels = commands::TwipsToPixels(twips, Dpi());
  if (target->width() == pixels) return;
  target->resize(pixels, target->height());
}

}  // namespace tv::gui
