#include "gui/gridview/grid_view.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <algorithm>

#include "gui/gridview/grid_delegate.h"
#include "gui/models/grid_model.h"

namespace tv::gui {
namespace {

// One column-width unit of the grid is 140 twips wide; 1440 twips make an inch.
constexpr double kTwipsPerWidthUnit = 140;
constexpr double kTwipsPerInch = 1440;
// Pixels around a heading's text, and the narrowest column (a check box and its margins).
constexpr int kHeadingPadding = 16;
constexpr int kMinColumnWidth = 36;

}  // namespace

GridView::GridView(grid::Grid& grid, QWidget* parent)
    : QTableView(parent), model_(new GridModel(grid, this)) {
  setModel(model_);
  setItemDelegate(new GridDelegate(this));
  setSortingEnabled(false);  // the grid sorts itself, on the program's request
  setSelectionBehavior(SelectItems);
  setSelectionMode(ExtendedSelection);
  setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
  setWordWrap(false);
  // Cell colours carry meaning (a marked row, the search's hit): no hover tint over them.
  viewport()->setAttribute(Qt::WA_Hover, false);
  // Uniform rows keep a long list quick to scroll and repaint.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setHighlightSections(false);

  connect(model_, &GridModel::ColumnFormatChanged, this, &GridView::ApplyColumn);
  connect(model_, &QAbstractItemModel::modelReset, this, &GridView::ApplyColumns);
  connect(model_, &QAbstractItemModel::headerDataChanged, this,
          [this](Qt::Orientation orientation, int first, int last) {
            if (orientation != Qt::Horizontal) return;
            for (int column = first; column <= last; ++column) {
              if (Grid().ColumnWidth(column + 1) <= 0) ApplyColumn(column);
            }
          });
  connect(model_, &GridModel::GridSelectionChanged, this, &GridView::SelectionFromGrid);
  connect(model_, &QAbstractItemModel::layoutChanged, this, &GridView::SelectionFromGrid);
  connect(model_, &GridModel::ActiveCellChanged, this, &GridView::ActiveCellFromGrid);
  connect(model_, &GridModel::PrintRequested, this, &GridView::PrintRequested);
  connect(model_, &GridModel::EndEditRequested, this, &GridView::EndEdit);
  // Rows moved by the program (a sort, a batch request filling the list) leave an open editor
  // over a cell that now holds something else: what was typed there is dropped, not written
  // into the wrong row.
  connect(model_, &QAbstractItemModel::layoutAboutToBeChanged, this, &GridView::DropEdit);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &GridView::SelectionToGrid);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FollowFocus(now); });
  connect(horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
          [this](int section) { Grid().RaiseDblClick(section + 1, 0); });
  horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(horizontalHeader(), &QHeaderView::customContextMenuRequested, this, [this](const QPoint& pos) {
    const long col = horizontalHeader()->logicalIndexAt(pos) + 1;
    Grid().RaiseRightClick(0, col, 0, pos.x(), pos.y());
    emit RightClicked(0, col, 0, horizontalHeader()->mapToGlobal(pos));
  });
  ApplyColumns();
}

grid::Grid& GridView::Grid() const {
  return model_->Grid();
}

double GridView::PixelsPerWidthUnit() const {
  return kTwipsPerWidthUnit * logicalDpiX() / kTwipsPerInch;
}

int GridView::VisibleRowCount() const {
  const int rowHeight = verticalHeader()->defaultSectionSize();
  return rowHeight > 0 ? viewport()->height() / rowHeight : 0;
}

void GridView::ApplyColumn(int column) {
  const long col = column + 1;
  setColumnHidden(column, Grid().IsColumnHidden(col));
  const double width = Grid().ColumnWidth(col);
  if (width > 0) {
    setColumnWidth(column, int(width * PixelsPerWidthUnit() + 0.5));
  } else {
    // A column without a width of its own is as wide as its heading needs.
    const QString heading = model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    setColumnWidth(column,
                   std::max(kMinColumnWidth, fontMetrics().horizontalAdvance(heading) + kHeadingPadding));
  }
}

void GridView::ApplyColumns() {
  for (int column = 0; column < model_->columnCount(); ++column) ApplyColumn(column);
}

void GridView::EndEdit() {
  if (state() != EditingState) return;
  QWidget* editor = indexWidget(currentIndex());
  if (editor == nullptr) return;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void GridView::DropEdit() {
  if (state() != EditingState) return;
  if (QWidget* editor = indexWidget(currentIndex())) closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void GridView::EndEditsBelow(QWidget* root) {
  const QList<QWidget*> tops = root ? QList<QWidget*>{root} : QApplication::topLevelWidgets();
  for (QWidget* top : tops) {
    if (auto* self = qobject_cast<GridView*>(top)) self->EndEdit();
    for (GridView* view : top->findChildren<GridView*>()) view->EndEdit();
  }
}

// ---- selection and active cell ----

void GridView::SelectionToGrid() {
  if (syncing_) return;
  syncing_ = true;
  grid::Grid& g = Grid();
  g.ClearSelection();
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    g.AddSelection({range.top() + 1L, range.left() + 1L, range.bottom() + 1L, range.right() + 1L});
  }
  syncing_ = false;
}

void GridView::SelectionFromGrid() {
  if (syncing_) return;
  syncing_ = true;
  const grid::Grid& g = Grid();
  QItemSelection selection;
  const int rows = model_->rowCount();
  const int cols = model_->columnCount();
  for (long i = 0; i < g.SelectionCount(); ++i) {
    const grid::Block b = g.Selection(i);
    const int top = b.row == -1 ? 0 : int(b.row - 1);
    const int bottom = (b.row == -1 || b.row2 == -1) ? rows - 1 : int(b.row2 - 1);
    const int left = b.col == -1 ? 0 : int(b.col - 1);
    const int right = (b.col == -1 || b.col2 == -1) ? cols - 1 : int(b.col2 - 1);
    if (top < 0 || left < 0 || top > bottom || left > right || bottom >= rows || right >= cols) continue;
    selection.select(model_->index(top, left), model_->index(bottom, right));
  }
  selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  syncing_ = false;
}

void GridView::ActiveCellFromGrid(int row, int column) {
  if (syncing_) return;
  const QModelIndex index = model_->index(row, column);
  if (!index.isValid() || index == currentIndex()) return;
  syncing_ = true;
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  scrollTo(index);
  syncing_ = false;
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (syncing_ || !current.isValid()) return;
  syncing_ = true;
  Grid().SetActiveCell(GridModel::GridRow(current), GridModel::GridCol(current));
  syncing_ = false;
}

// ---- mouse ----

int GridView::ButtonNumber(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

int GridView::ShiftState(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) + (modifiers & Qt::ControlModifier ? 2 : 0) +
         (modifiers & Qt::AltModifier ? 4 : 0);
}

void GridView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton) {
    QTableView::mousePressEvent(event);
    return;
  }
  // A right click leaves the selection as it is: the menu it opens acts on the selection.
  if (!hasFocus()) setFocus(Qt::MouseFocusReason);
  const QPoint pos = event->position().toPoint();
  const QModelIndex index = indexAt(pos);
  const long col = index.isValid() ? GridModel::GridCol(index) : 0;
  const long row = index.isValid() ? GridModel::GridRow(index) : 0;
  Grid().RaiseRightClick(0, col, row, pos.x(), pos.y());
  emit RightClicked(0, col, row, event->globalPosition().toPoint());
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton) QTableView::mouseReleaseEvent(event);
  const QPoint pos = event->position().toPoint();
  const int button = ButtonNumber(event->button());
  Grid().RaiseMouseUp(button, ShiftState(event->modifiers()), pos.x(), pos.y());
  emit MouseReleased(button);
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && index.isValid()) {
    Grid().RaiseDblClick(GridModel::GridCol(index), GridModel::GridRow(index));
  }
  // The grid's handler may have changed the rows (a sort, a new drawing): the cell under the
  // pointer is looked up again before the edit starts.
  QTableView::mouseDoubleClickEvent(event);
}

// ---- keys and clipboard ----

void GridView::keyPressEvent(QKeyEvent* event) {
  if (state() != EditingState) {
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace ||
        event->key() == Qt::Key_Clear) {
      ClearSelectedCells();
      return;
    }
    if (event->matches(QKeySequence::Copy)) {
      CopySelection();
      return;
    }
    if (event->matches(QKeySequence::Paste)) {
      PasteClipboard();
      return;
    }
  }
  QTableView::keyPressEvent(event);
}

void GridView::ClearSelectedCells() {
  grid::Grid& g = Grid();
  if (g.UserLocked()) return;
  QModelIndexList cells = selectionModel()->selectedIndexes();
  if (cells.isEmpty() && currentIndex().isValid()) cells << currentIndex();
  for (const QModelIndex& index : cells) {
    const long row = GridModel::GridRow(index);
    const long col = GridModel::GridCol(index);
    // A check box keeps its tick: only typed and chosen values are cleared.
    switch (g.CellKindAt(row, col)) {
      case grid::Kind::Edit:
        if (!g.CellText(row, col).empty()) g.UserEditText(row, col, "");
        break;
      case grid::Kind::Choice:
        if (!g.CellText(row, col).empty()) g.UserChooseItem(row, col, -1);
        break;
      case grid::Kind::CheckBox:
        break;
    }
  }
}

void GridView::CopySelection() {
  QApplication::clipboard()->setText(QString::fromStdString(Grid().CopyText()));
}

void GridView::PasteClipboard() {
  Grid().Paste(QApplication::clipboard()->text().toStdString());
}

// ---- focus and tool tips ----

void GridView::FollowFocus(QWidget* now) {
  // A popup menu or another application taking the focus leaves the grid's focus as it is; the
  // cell editor is part of the grid.
  if (now == nullptr || QApplication::activePopupWidget() != nullptr) return;
  const bool inside = now == this || isAncestorOf(now);
  if (inside == focused_) return;
  focused_ = inside;
  if (inside) {
    Grid().RaiseGotFocus();
  } else {
    Grid().RaiseLostFocus();
  }
}

bool GridView::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QTableView::viewportEvent(event);
  auto* help = static_cast<QHelpEvent*>(event);
  const QModelIndex index = indexAt(help->pos());
  std::string tip;
  const long col = index.isValid() ? GridModel::GridCol(index) : 0;
  const long row = index.isValid() ? GridModel::GridRow(index) : 0;
  if (Grid().FetchTextTip(col, row, tip) && !tip.empty()) {
    QToolTip::showText(help->globalPos(), QString::fromStdString(tip), viewport());
  } else {
    QToolTip::hideText();
  }
  return true;
}

}  // namespace tv::gui
