// The material window "Material": the sheet stock and the pull list of the last run on the tabs
// "Sheet Stock" and "Pull List". It docks with the viewer below it; its grids' events are the
// stock logic's, its right click pops the shared menu up with the items the stock offers.
#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>

#include "core/program.h"

class QMenu;
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

  // As in the input window: shows the shared popup menu and returns once it has closed.
  using PopupRunner = std::function<void(QMenu* menu, QPoint globalPos)>;
  void SetPopupRunner(PopupRunner runner) { popupRunner_ = std::move(runner); }

  void MatTab_Click(int tab);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QMenu* PopupMenu() const;
  void SSList_RightClick(QPoint globalPos);
  void MPL_ButtonClicked();
  void Dock();
  double Dpi() const;

  core::Program& program_;
  QTabBar* matTab_ = nullptr;
  GridView* ssList_ = nullptr;
  GridView* mpl_ = nullptr;
  PopupRunner popupRunner_;
};

}  // namespace tv::gui
