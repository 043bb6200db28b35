// The material window "Material": the sheet stock and the pull list of the last run on the tabs
// "Sheet Stock" and "Pull List". It docks with the viewer below it; its grids' events are the
// stock logic's, its right click pops the shared menu up with the items the stock offers.
#pragma once

#include <QPoint>
#include <QWidget>

#include "core/program.h"
#include "gui/windows/popup_menu.h"

class QTabBar;

namespace tv::gui {

class GridView;

class ShtStk : public QWidget {
  Q_OBJECT

 public:
  explicit ShtStk(core::Program& program, QWidget* parent = nullptr);

  QTabBar* MatTab() const { return matTab_; }
  GridView* SheetStock() const { return ssList_; }
  GridView* PullList() const { return mpl_; }

  // How the shared popup menu is shown (see PopupRunner).
  void SetPopupRunner(PopupRunner runner) { popupRunner_ = std::move(runner); }

  void MatTab_Click(int tab);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void SSList_RightClick(QPoint globalPos);
  void MPL_ButtonClicked();
  void Dock();

  core::Program& program_;
  QTabBar* matTab_ = nullptr;
  GridView* ssList_ = nullptr;
  GridView* mpl_ = nullptr;
  PopupRunner popupRunner_;
};

}  // namespace tv::gui
