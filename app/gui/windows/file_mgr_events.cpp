// The input window's right clicks: the shared popup menu over the source list and the work
// list, and the expand and restore of the lists, the work list and the settings frame.
#include <QMdiSubWindow>

#include "gui/gridview/grid_view.h"
#include "gui/windows/file_mgr.h"
#include "gui/windows/twip_geometry.h"
#include "worklist/input_window.h"

namespace tv::gui {

void FileMgr::File1_MouseUp(QPoint globalPos) {
  QMenu* menu = SharedPopupMenu(*this);
  if (menu == nullptr) return;
  const long h = InnerHeightTwips();
  ShowPopupItem(menu, "MnuExp", true, commands::SourceListExpanded(layout_, h) ? "Restore" : "Expand");
  ShowPopupItem(menu, "MnuDel", true, "Delete Selected Files");
  ShowPopupItem(menu, "MnuToProc", true);
  for (const char* hidden : {"MnuClrProc", "MnuCUC", "PopSep", "MnuCopy", "MnuPaste"})
    ShowPopupItem(menu, hidden, false);
  RunPopup(menu, globalPos, popupRunner_);
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
  QMenu* menu = SharedPopupMenu(*this);
  if (menu == nullptr) return;
  const bool expanded = commands::WorkListExpanded(layout_, InnerHeightTwips());
  ShowPopupItem(menu, "MnuExp", true, expanded ? "Restore" : "Expand");
  ShowPopupItem(menu, "MnuDel", true, "Delete Selected Rows");
  ShowPopupItem(menu, "MnuToProc", false);
  for (const char* shown : {"MnuClrProc", "MnuCUC", "PopSep", "MnuCopy", "MnuPaste"})
    ShowPopupItem(menu, shown, true);
  RunPopup(menu, globalPos, popupRunner_);
  if (worklist::WorkListPopupClosed(program_) == worklist::PopupRequest::Expand) ExpandOrRestoreWorkList();
}

void FileMgr::ExpandOrRestoreWorkList() {
  if (!commands::WorkListExpanded(layout_, InnerHeightTwips())) {
    // The window takes the main window's whole width and comes to the front with the grid.
    if (auto* place = qobject_cast<QMdiSubWindow*>(parentWidget())) {
      if (QWidget* area = place->parentWidget()) {
        SetWindowWidth(commands::PixelsToTwips(area->width(), ScreenDpi(*this)));
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
  const int pixels = commands::TwipsToPixels(twips, ScreenDpi(*this));
  if (target->width() == pixels) return;
  target->resize(pixels, target->height());
}

}  // namespace tv::gui
