#include "gui/windows/sht_stk.h"

#include <QMdiSubWindow>
#include <QTabBar>

#include "gui/gridview/grid_view.h"
#include "gui/windows/mdi_main.h"
#include "gui/windows/twip_geometry.h"
#include "stock/stock_cells.h"
#include "stock/stock_window.h"

namespace tv::gui {
namespace {

// The grids sit below the tab strip's 300 twips.
constexpr long kGridTop = 300;

}  // namespace

ShtStk::ShtStk(core::Program& program, QWidget* parent) : QWidget(parent), program_(program) {
  setObjectName(QStringLiteral("ShtStk"));
  setWindowTitle(QStringLiteral("Material"));

  matTab_ = new QTabBar(this);
  matTab_->setObjectName(QStringLiteral("MatTab"));
  matTab_->addTab(QStringLiteral("Sheet Stock"));
  matTab_->addTab(QStringLiteral("Pull List"));
  matTab_->setExpanding(false);
  connect(matTab_, &QTabBar::tabBarClicked, this, [this](int index) { MatTab_Click(index + 1); });

  ssList_ = new GridView(program_.SSList, this);
  ssList_->setObjectName(QStringLiteral("SSList"));
  connect(ssList_, &GridView::RightClicked, this, [this](int clickKind, long, long, QPoint globalPos) {
    if (clickKind == 0) SSList_RightClick(globalPos);
  });
  mpl_ = new GridView(program_.MPL, this);
  mpl_->setObjectName(QStringLiteral("MPL"));
  program_.MPL.Events().ButtonClicked = [this](long, long, int) { MPL_ButtonClicked(); };
  // The pull list names the same materials as the sheet stock: its material column is as wide,
  // where its shorter heading alone would cut the names short.
  if (program_.MPL.ColumnWidth(stock::kColMaterial) <= 0) {
    program_.MPL.SetColumnWidth(
        stock::kColMaterial, ssList_->columnWidth(stock::kColMaterial - 1) / ssList_->PixelsPerWidthUnit());
  }

  // The sheet stock shows first; the pull list fills when a run has ended.
  ssList_->show();
  mpl_->hide();
}

void ShtStk::MatTab_Click(int tab) {
  if (tab == 1) {
    ssList_->show();
    mpl_->hide();
    matTab_->setCurrentIndex(0);
  } else if (tab == 2) {
    ssList_->hide();
    mpl_->show();
    matTab_->setCurrentIndex(1);
  }
}

void ShtStk::SSList_RightClick(QPoint globalPos) {
  QMenu* menu = SharedPopupMenu(*this);
  if (menu == nullptr) return;
  ShowPopupItem(menu, "MnuExp", false);
  ShowPopupItem(menu, "MnuDel", true, "Delete Selected Row");
  for (const char* hidden : {"MnuToProc", "MnuClrProc", "MnuCUC"}) ShowPopupItem(menu, hidden, false);
  for (const char* shown : {"PopSep", "MnuCopy", "MnuPaste"}) ShowPopupItem(menu, shown, true);
  RunPopup(menu, globalPos, popupRunner_);
  const bool deleteRequested = program_.PopupDeleteRequested;
  program_.PopupDeleteRequested = false;
  stock::SSList_PopupClosed(program_, deleteRequested);
}

void ShtStk::MPL_ButtonClicked() {
  if (QMenu* menu = SharedPopupMenu(*this)) {
    for (const char* hidden : {"PopSep", "MnuCopy", "MnuPaste"}) ShowPopupItem(menu, hidden, false);
  }
}

void ShtStk::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  matTab_->setGeometry(0, 0, width(), matTab_->sizeHint().height());
  // The grids end at the window's bottom edge, so their last row and scroll bar stay in view.
  const int top = std::max(commands::TwipsToPixels(kGridTop, ScreenDpi(*this)), matTab_->sizeHint().height());
  for (GridView* grid : {ssList_, mpl_}) grid->setGeometry(0, top, width(), std::max(0, height() - top));
  Dock();
}

void ShtStk::Dock() {
  auto* main = qobject_cast<MdiMain*>(window());
  if (main == nullptr) return;
  QMdiSubWindow* self = main->StockWindowPlace();
  QMdiSubWindow* input = main->InputWindowPlace();
  QMdiSubWindow* viewer = main->ViewerPlace();
  if (self == nullptr || input == nullptr || self->height() >= input->height()) return;
  // A size set to the value it already has starts nothing further, so the viewer's own docking
  // and this one come to rest.
  if (viewer != nullptr) {
    const QRect wanted(viewer->x(), self->height(), viewer->width(), input->height() - self->height());
    if (viewer->geometry() != wanted) viewer->setGeometry(wanted);
  }
  QRect place = self->geometry();
  place.moveLeft(input->width());
  if (program_.RightPaneWidth != 0)
    place.setWidth(commands::TwipsToPixels(program_.RightPaneWidth, ScreenDpi(*this)));
  if (self->geometry() != place) self->setGeometry(place);
}

}  // namespace tv::gui
